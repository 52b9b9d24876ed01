#pragma once

#include <array>

// The captions and fixed texts of the program's windows, as values: the
// desktop windows and the web page show the same ones.

namespace captions {

inline constexpr const char *kProgram
    = "焓湿图及一次回风计算软件      作者：Tressel 空调系 Quennet";

// The main window's buttons in their row order.
inline constexpr std::array<const char *, 7> kMainButtons
    = {"生成焓湿图", "重    绘", "计算并描点", "一次回风", "二次回风", "帮   助", "冬季工况"};
// The headings of the readout columns below the chart, left to right.
inline constexpr std::array<const char *, 7> kReadoutHeadings
    = {"t:(℃)", "Pb:(pa)", "φ:(%)", "Pq:(pa)", "d:(g/kg)", "i:(kj/kg)", "ts:(℃)"};

// The parameter dialogs.
inline constexpr const char *kPrimaryDialog = "一次回风参数设定";
inline constexpr const char *kSecondaryDialog = "二次回风参数设定";
inline constexpr const char *kWinterDialog = "一次回风冬季参数设定";
inline constexpr const char *kDialogOk = "确  定";

// The 帮助 window's title and button; the original author's note, kept under
// 关于 in the help with its own title.
inline constexpr const char *kHelpTitle = "帮助";
inline constexpr const char *kNoteTitle = "作者的话";
inline constexpr const char *kNoteBack = "返   回";
inline constexpr std::array kNoteLines = {
    "   在此,我谨代表我本人和全班同学,衷心感谢Tressel热能工程系和",
    "建筑设备工程系的各位老师,感谢老师们四年来对",
    "我的辛勤培养孜孜不倦的教导.在毕业设计即将完成之时,特别制作此小小",
    "软件,希望能帮助<工程热力学>,<空气调节>等相关课程的讲解,亦希望同学",
    "们在完成作业和设计能从繁重的查表工作中解放出来,同时希望设计院等需",
    " 要进行焓湿计算的工程部门可以充分利用.",
    "",
    "    本软件各种曲线均由函数生成,各状态点亦由参数计算得出,机器露点",
    " 由无限逼近的方法得到,误差值小于千分之一,完全不同于采用其他软件的",
    " 贴图方法.",
    "",
    "    因为毕业设计需要大量的计算和绘图工作,限于作者水平,在短短的一",
    "星期时间内未能完成二次回风等计算功能.如果有可能,我将在以后的时间",
    "内继续本软件的编写.您可以从网上下载该软件的最新版本.如果您在使用",
    "中发现问题,请与我联系:",
    "                        联系方式：请见软件发布页",
    "                              Tressel 空调专业 Quennet",
    "                               2003.6",
    "",
    "                    暖通空调 焓湿计算 软件开发",
};

// 标注状态点: the dialog, its rows, the choices of property (in the order of
// state_solver::Property) and the pair it opens with (t and φ).
inline constexpr const char *kPointDialog = "标注状态点";
inline constexpr std::array<const char *, 2> kPointRows = {"参数一:", "参数二:"};
inline constexpr std::array<const char *, 7> kPointChoices = {
    "t 干球温度 (℃)",        "ts 湿球温度 (℃)",    "td 露点温度 (℃)",      "φ 相对湿度 (%)",
    "d 含湿量 (g/kg干空气)", "i 焓 (kJ/kg干空气)", "Pq 水蒸气分压力 (Pa)",
};
inline constexpr std::array<int, 2> kPointFirstChoices = {0, 3};
inline constexpr const char *kPointName = "名称:";
inline constexpr const char *kPointNameHint = "可不填，默认为 P1、P2…";

} // namespace captions
