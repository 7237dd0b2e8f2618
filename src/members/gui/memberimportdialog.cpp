#include "members/gui/memberimportdialog.h"

#include "core/gui/errorreport.h"
#include "platform/gui/gridview.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/tablewindow.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

QString textOf(const MemberImport::Row &row, int, int column)
{
    switch (column) {
    case 0:
        return QString::number(row.line);
    case 1:
        return row.name;
    case 2:
        return row.kana;
    case 3:
        return row.birthday;
    case 4:
        return row.hcText;
    default:
        return MemberImport::verdictText(row);
    }
}

} // namespace

MemberImportDialog::MemberImportDialog(const QString &fileName, const QVector<MemberImport::Row> &rows, QWidget *parent)
    : QDialog(parent)
    , m_rows({QStringLiteral("行"), QStringLiteral("氏名"), QStringLiteral("ふりがな"), QStringLiteral("誕生日"),
              QStringLiteral("HC"), QStringLiteral("判定")},
             false, textOf)
{
    TableWindow::setUp(*this, QStringLiteral("CSVから取込"), 10800, 6000);
    summaryLabel = new QLabel(this);
    previewGrid = TableWindow::makeGrid(this, &m_rows, {600, 2000, 2000, 1200, 600, 4000});
    importButton =
        TableWindow::makeButton(this, QStringLiteral("取込"),
                                QStringLiteral("判定が「新規」の人をメンバーに追加します（重複の人は追加しません）"));
    cancelButton =
        TableWindow::makeButton(this, QStringLiteral("キャンセル"), QStringLiteral("何も追加せずに閉じます"));
    TableWindow::layOut(*this, summaryLabel, {previewGrid}, {importButton, cancelButton});

    connect(importButton, &QPushButton::clicked, this, &MemberImportDialog::store);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    m_rows.setRows(rows);
    showPreview(fileName);
}

void MemberImportDialog::showPreview(const QString &fileName)
{
    const QVector<MemberImport::Row> &rows = m_rows.rowList();
    const auto faulty = std::find_if(rows.cbegin(), rows.cend(), MemberImport::isFaulty);
    const MemberImport::Row *firstFault = faulty == rows.cend() ? nullptr : &*faulty;

    const MemberImport::Counts counts = MemberImport::countsOf(rows);
    QString next;
    if (firstFault) {
        next = QStringLiteral("誤りのある行があるため取り込めません（最初の誤り：%1行目、%2）。"
                              "ファイルを直してから、もう一度読み込んでください。")
                   .arg(firstFault->line)
                   .arg(MemberImport::verdictText(*firstFault));
    } else if (counts.newRows == 0) {
        next = QStringLiteral("新しく取り込める人がいません。");
    } else {
        next = QStringLiteral("「取込」で新規の %1 人をメンバーに追加します。").arg(counts.newRows);
    }
    summaryLabel->setText(QStringLiteral("「%1」：新規 %2 人、重複 %3 人、誤り %4 行\n%5")
                              .arg(fileName)
                              .arg(counts.newRows)
                              .arg(counts.duplicates)
                              .arg(counts.faulty)
                              .arg(next));
    importButton->setEnabled(!firstFault && counts.newRows > 0);
}

void MemberImportDialog::store()
{
    int stored = 0;
    if (!RunReportingErrors(this, [&] { stored = MemberImport::store(m_rows.rowList()); }))
        return;
    MessageBox::information(this, QStringLiteral("Parvela"), QStringLiteral("%1 人を取り込みました。").arg(stored));
    accept();
}
