#include "shell/table_dialog.h"

#include "qt/fonts.h"
#include "report/result_sheet.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr double kTablePoints = 9.0;

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

QDialog *ShowTableDialog(QWidget &parent, const QString &title,
                         const std::vector<std::vector<std::string>> &rows, bool headerRow,
                         QSize size)
{
    auto *dialog = new QDialog(&parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    QFont font(QString::fromUtf8(faces::kSong));
    font.setPointSizeF(kTablePoints);
    dialog->setFont(font);

    const std::size_t first = headerRow && !rows.empty() ? 1 : 0;
    std::size_t columns = 0;
    for (const std::vector<std::string> &row : rows)
        columns = std::max(columns, row.size());
    auto *table = new QTableWidget(static_cast<int>(rows.size() - first), static_cast<int>(columns),
                                   dialog);
    if (first == 1) {
        for (std::size_t c = 0; c < rows.front().size(); ++c)
            table->setHorizontalHeaderItem(static_cast<int>(c),
                                           new QTableWidgetItem(Text(rows.front()[c])));
    } else {
        table->horizontalHeader()->hide();
    }
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t r = first; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            table->setItem(static_cast<int>(r - first), static_cast<int>(c),
                           new QTableWidgetItem(Text(rows[r][c])));
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    const QString tsv = Text(TableTsv(rows));
    const auto copyTable = [tsv] { QGuiApplication::clipboard()->setText(tsv); };
    auto *copy = new QPushButton(QStringLiteral("复制"), dialog);
    auto *close = new QPushButton(QStringLiteral("关闭"), dialog);
    QObject::connect(copy, &QPushButton::clicked, dialog, copyTable);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::close);
    auto *copyKey = new QAction(dialog);
    copyKey->setShortcut(QKeySequence::Copy);
    QObject::connect(copyKey, &QAction::triggered, dialog, copyTable);
    dialog->addAction(copyKey);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(table);
    layout->addLayout(buttons);
    dialog->resize(size);
    dialog->show();
    return dialog;
}
