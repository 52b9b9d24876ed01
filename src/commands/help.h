#pragma once

#include <string>

// The program's help, in Chinese, as one HTML document that the desktop's
// 帮助 window and the web page show alike: the buttons, the chart's menu and
// its shortcuts, the designs and every input with its unit and the values it
// takes, the chart's lines, colours and letters, the command line (what
// `idchart --help` prints) and where files go; last, under 关于, the original
// author's note of 2003 as it was written, with its date.
std::string HelpHtml();
