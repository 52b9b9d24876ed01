#pragma once

#include <QSize>
#include <QString>

#include <string>
#include <vector>

class QDialog;
class QWidget;

// A table shown in a window of its own over `parent`, in the chart's face:
// its cells read-only, 复制 (and Ctrl+C) putting the whole table on the
// clipboard tab-separated as 复制结果 writes it, 关闭 closing it. With
// `headerRow` the first row heads the columns; otherwise the rows are shown
// as they are, without headings. The window is deleted when closed.
QDialog *ShowTableDialog(QWidget &parent, const QString &title,
                         const std::vector<std::vector<std::string>> &rows, bool headerRow,
                         QSize size);
