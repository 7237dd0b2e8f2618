#include "core/gui/restoredialog.h"

#include "core/backup.h"
#include "core/database.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Parvela");
constexpr int ColumnCount = 6;
constexpr int ColumnWidths[ColumnCount] = {1500, 3600, 900, 900, 900, 1200}; // twips

QStringList textsOf(const Restore::BackupFile &file)
{
    const auto count = [&file](int value) { return file.sound ? QString::number(value) : QString(); };
    return {file.modified.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
            QFileInfo(file.path).fileName(),
            QStringLiteral("%1 KB").arg(QLocale::c().toString((file.bytes + 1023) / 1024)),
            count(file.members),
            count(file.competitions),
            file.sound ? QStringLiteral("正常") : QStringLiteral("壊れています")};
}

} // namespace

RestoreDialog::RestoreDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("バックアップから復元"));
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());
    resize(Twips::toPixels(9600), Twips::toPixels(4800));

    Label1 = new QLabel(QStringLiteral("戻したいバックアップを選んで「復元」を押してください。今のデータは、復元の前に"
                                       "バックアップとして保存します。"),
                        this);
    Label1->setWordWrap(true);
    QFont regular = Ui::formFont();
    regular.setBold(false);
    BackupGrid = new Grid(this);
    BackupGrid->setFont(regular);
    BackupGrid->setCols(ColumnCount);
    BackupGrid->setRows(1);
    const QStringList headers = {QStringLiteral("日時"),     QStringLiteral("ファイル"), QStringLiteral("大きさ"),
                                 QStringLiteral("メンバー"), QStringLiteral("月例会"),   QStringLiteral("検査")};
    for (int column = 0; column < ColumnCount; ++column) {
        BackupGrid->setTextAt(0, column, headers.at(column));
        BackupGrid->setColWidth(column, ColumnWidths[column]);
    }
    Command1 = new QPushButton(QStringLiteral("復元"), this);
    Command1->setToolTip(QStringLiteral("選んだバックアップの内容にデータを戻します"));
    Command1->setEnabled(false);
    Command2 = new QPushButton(QStringLiteral("閉じる"), this);
    for (QPushButton *button : {Command1, Command2})
        button->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(BackupGrid, 1);
    layout->addLayout(buttons);

    connect(BackupGrid, &Grid::Click, this, &RestoreDialog::BackupGrid_Click);
    connect(Command1, &QPushButton::clicked, this, &RestoreDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::close);
}

void RestoreDialog::Showtable()
{
    WaitCursor wait;
    m_files = Restore::list(Database::path());
    BackupGrid->setRows(1);
    for (const Restore::BackupFile &file : m_files) {
        BackupGrid->addRow();
        const int row = BackupGrid->rows() - 1;
        const QStringList texts = textsOf(file);
        for (int column = 0; column < ColumnCount; ++column)
            BackupGrid->setTextAt(row, column, texts.at(column));
    }
    BackupGrid->setRow(0);
    Command1->setEnabled(false);
    if (m_files.isEmpty()) {
        Label1->setText(QStringLiteral("バックアップがありません（フォルダ「%1」）。")
                            .arg(QDir::toNativeSeparators(Backup::folderFor(Database::path()))));
    }
}

const Restore::BackupFile *RestoreDialog::chosen() const
{
    const int row = BackupGrid->row();
    return row >= 1 && row <= m_files.size() ? &m_files.at(row - 1) : nullptr;
}

void RestoreDialog::BackupGrid_Click()
{
    const Restore::BackupFile *file = chosen();
    Command1->setEnabled(file && file->sound);
}

void RestoreDialog::Command1_Click()
{
    const Restore::BackupFile *file = chosen();
    if (!file)
        return;
    const QString name = QFileInfo(file->path).fileName();
    const QString question = QStringLiteral("データを「%1」（%2）の内容に戻します。\nよろしいですか？")
                                 .arg(name, file->modified.toString(QStringLiteral("yyyy/MM/dd HH:mm")));
    if (MessageBox::show(this, QMessageBox::Question, Title, question, QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::No)
        != QMessageBox::Yes)
        return;
    Restore::Outcome outcome;
    {
        WaitCursor wait;
        outcome = Restore::restore(file->path, QDateTime::currentDateTime());
    }
    if (!outcome.restored) {
        MessageBox::critical(this, Title, outcome.problem);
        Showtable();
        return;
    }
    MessageBox::information(this, Title,
                            QStringLiteral("「%1」の内容に戻しました。\n戻す前のデータは「%2」に保存してあります。")
                                .arg(name, QFileInfo(outcome.keptCopy).fileName()));
    close();
}
