#include "text/fault_message.h"

#include "psychro/arithmetic_fault.h"

namespace {

// The quantity or formula in which a fault arose, named as the program names
// it elsewhere: the dialog's labels, the chart's headings, the readout.
const char *CauseName(FaultCause cause)
{
    switch (cause) {
    case FaultCause::SaturationPressure:
        return "饱和水蒸气分压力Pb";
    case FaultCause::RelativeHumidity:
        return "相对湿度φ";
    case FaultCause::VapourPressureFromPhi:
        return "由相对湿度求水蒸气分压力Pq";
    case FaultCause::VapourPressureFromMoisture:
        return "由含湿量求水蒸气分压力Pq";
    case FaultCause::MoistureFromVapourPressure:
        return "由水蒸气分压力求含湿量d";
    case FaultCause::TemperatureFromMoistureEnthalpy:
        return "由含湿量和焓求温度t";
    case FaultCause::MoistureFromTemperatureEnthalpy:
        return "由温度和焓求含湿量d";
    case FaultCause::EnthalpyFromTemperatureMoisture:
        return "由温度和含湿量求焓i";
    case FaultCause::PsychrometerVapourPressure:
        return "由干湿球温度求水蒸气分压力Pq";
    case FaultCause::MixedValue:
        return "新风与回风的混合";
    case FaultCause::ProcessLine:
        return "过程线与等温线的交点";
    case FaultCause::DesignParameter:
        return nullptr;
    case FaultCause::epsilon:
        return "热湿比ε";
    case FaultCause::epsilonWetBulb:
        return "湿球线的热湿比";
    case FaultCause::t_o:
        return "送风温度t_o";
    case FaultCause::MoistureDifference:
        return "室内与送风的含湿量差";
    case FaultCause::SupplyFlowByHeat:
        return "根据余热量确定的送风量";
    case FaultCause::SupplyFlowByMoisture:
        return "根据余湿量确定的送风量";
    case FaultCause::Q1:
        return "室内冷负荷Q1";
    case FaultCause::Q2:
        return "新风冷负荷Q2";
    case FaultCause::ReheatLoad:
        return "再热量";
    case FaultCause::SystemCooling:
        return "系统冷量";
    case FaultCause::TypedNumber:
        return "输入的数值";
    case FaultCause::WindowLayout:
        return "窗口布局";
    case FaultCause::SplashLayout:
        return "启动画面布局";
    }
    return "计算";
}

} // namespace

std::string FaultMessage(const std::string &activity, const ArithmeticFault &fault)
{
    const char *kind = "无效运算";
    switch (fault.kind()) {
    case ArithmeticFault::Kind::DivisionByZero:
        kind = "除数为零";
        break;
    case ArithmeticFault::Kind::Overflow:
        kind = "数值溢出";
        break;
    case ArithmeticFault::Kind::Invalid:
        break;
    }
    const char *name = CauseName(fault.cause());
    const std::string cause = name ? std::string(name) : fault.subject();
    return activity + "时出现数值错误（" + kind + "，" + cause + "），该操作已停止。";
}
