#include "ui/fault_message.h"

#include "psychro/arithmetic_fault.h"

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
    return activity + "时出现数值错误（" + kind + "，" + fault.operation() + "），该操作已停止。";
}
