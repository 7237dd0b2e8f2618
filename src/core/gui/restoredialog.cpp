#include "core/gui/restoredialog.h"

#include "core/backup.h"
#include "core/database.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/tablewindow.h"
#include "platform/gui/widgets.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace {

const QString Title = QStringLiteral("Parvela");

QStringList textsOf(const Restore::BackupFile &file)
{
    const auto count = [&file](int value) { return file.sound ? QString::number(value) : QString(); };
    return {file.modified.toString(QStringLiteral("yyyy/MM/dd HH:mm")),
            QFileInfo(file.path).fileName(),
            QStringLiteral("%1 KB").arg(QLocale::c().toString((file.bytes + 1023) / 1024)),
            count(file.members),
            count(file.competitions),
            file.sound ? QStringLiteral("正常") : file.problem};
}

} // namespace

RestoreDialog::RestoreDialog(QWidget *parent)
    : QDialog(parent)
{
    TableWindow::setUp(*this, QStringLiteral("バックアップから復元"), 9600, 4800);
    Label1 = new QLabel(QStringLiteral("戻したいバックアップを選んで「復元」を押してください。今のデータは、復元の前に"
                                       "バックアップとして保存します。"),
                        this);
    BackupGrid = TableWindow::makeGrid(this,
                                       {QStringLiteral("日時"), QStringLiteral("ファイル"), QStringLiteral("大きさ"),
                                        QStringLiteral("メンバー"), QStringLiteral("月例会"), QStringLiteral("検査")},
                                       {1500, 3600, 900, 900, 900, 1200});
    Command1 = TableWindow::makeButton(this, QStringLiteral("復元"),
                                       QStringLiteral("選んだバックアップの内容にデータを戻します"));
    Command1->setEnabled(false);
    Command2 = TableWindow::makeButton(this, QStringLiteral("閉じる"));
    TableWindow::layOut(*this, Label1, {BackupGrid}, {Command1, Command2});

    connect(BackupGrid, &Grid::Click, this, &RestoreDialog::BackupGrid_Click);
    connect(Command1, &QPushButton::clicked, this, &RestoreDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::close);
}

void RestoreDialog::Showtable()
{
    WaitCursor wait;
    m_files = Restore::list(databasePath());
    BackupGrid->setRows(1);
    for (const Restore::BackupFile &file : m_files)
        TableWindow::appendRow(*BackupGrid, textsOf(file));
    BackupGrid->setRow(0);
    Command1->setEnabled(false);
    if (const QString refused = Restore::unusableFolder(databasePath()); !refused.isEmpty()) {
        Label1->setText(refused);
    } else if (m_files.isEmpty()) {
        Label1->setText(QStringLiteral("バックアップがありません（フォルダ「%1」）。")
                            .arg(QDir::toNativeSeparators(Backup::folderFor(databasePath()))));
    }
}

void RestoreDialog::useForDamagedFile(const QString &databasePath)
{
    m_damagedPath = databasePath;
}

QString RestoreDialog::databasePath() const
{
    return m_damagedPath.isEmpty() ? Database::path() : m_damagedPath;
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
        const QDateTime now = QDateTime::currentDateTime();
        outcome = m_damagedPath.isEmpty() ? Restore::restore(file->path, now)
                                          : Restore::replaceDamaged(m_damagedPath, file->path, now);
    }
    if (!outcome.restored) {
        MessageBox::critical(this, Title, outcome.problem);
        Showtable();
        return;
    }
    m_restoredDamaged = !m_damagedPath.isEmpty();
    const QString kept = m_restoredDamaged ? QStringLiteral("壊れたファイルは「%1」に残してあります。")
                                           : QStringLiteral("戻す前のデータは「%1」に残してあります。");
    MessageBox::information(this, Title,
                            QStringLiteral("「%1」の内容に戻しました。\n").arg(name)
                                + kept.arg(QDir::toNativeSeparators(outcome.keptCopy)));
    close();
}
