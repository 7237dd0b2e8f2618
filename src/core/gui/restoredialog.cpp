#include "core/gui/restoredialog.h"

#include "core/backup.h"
#include "core/database.h"
#include "platform/gui/gridview.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/tablewindow.h"
#include "platform/gui/widgets.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <algorithm>

namespace {

const QString Title = QStringLiteral("Parvela");

QString textOf(const Restore::BackupFile &file, int, int column)
{
    const auto count = [&file](int value) { return file.sound ? QString::number(value) : QString(); };
    switch (column) {
    case 0:
        return file.modified.toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    case 1:
        return QFileInfo(file.path).fileName();
    case 2:
        return QStringLiteral("%1 KB").arg(QLocale::c().toString((file.bytes + 1023) / 1024));
    case 3:
        return count(file.members);
    case 4:
        return count(file.competitions);
    default:
        return file.sound ? QStringLiteral("正常") : file.problem;
    }
}

} // namespace

RestoreDialog::RestoreDialog(QWidget *parent)
    : RestoreDialog(QString(), parent)
{
}

RestoreDialog::RestoreDialog(const QString &damagedDatabasePath, QWidget *parent)
    : QDialog(parent)
    , m_files({QStringLiteral("日時"), QStringLiteral("ファイル"), QStringLiteral("大きさ"), QStringLiteral("メンバー"),
               QStringLiteral("月例会"), QStringLiteral("検査")},
              false, textOf)
    , m_damagedPath(damagedDatabasePath)
{
    TableWindow::setUp(*this, QStringLiteral("バックアップから復元"), 9600, 4800);
    explanation =
        new QLabel(QStringLiteral("戻したいバックアップを選んで「復元」を押してください。今のデータは、復元の前に"
                                  "バックアップとして保存します。"),
                   this);
    backupGrid = TableWindow::makeGrid(this, &m_files, {1500, 3600, 900, 900, 900, 1200});
    restoreButton = TableWindow::makeButton(this, QStringLiteral("復元"),
                                            QStringLiteral("選んだバックアップの内容にデータを戻します"));
    restoreButton->setEnabled(false);
    closeButton = TableWindow::makeButton(this, QStringLiteral("閉じる"));
    TableWindow::layOut(*this, explanation, {backupGrid}, {restoreButton, closeButton});

    connect(backupGrid, &GridView::highlightChanged, this, &RestoreDialog::updateRestoreButton);
    connect(restoreButton, &QPushButton::clicked, this, &RestoreDialog::restoreChosen);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

void RestoreDialog::reload()
{
    WaitCursor wait;
    m_files.setRows(Restore::list(databasePath()));
    backupGrid->widenColumnsToContents();
    restoreButton->setEnabled(false);
    if (const QString refused = Restore::unusableFolder(databasePath()); !refused.isEmpty()) {
        explanation->setText(refused);
    } else if (m_files.rowList().isEmpty()) {
        explanation->setText(QStringLiteral("バックアップがありません（フォルダ「%1」）。")
                                 .arg(QDir::toNativeSeparators(Backup::folderFor(databasePath()))));
    }
}

QString RestoreDialog::databasePath() const
{
    return m_damagedPath.isEmpty() ? Database::path() : m_damagedPath;
}

const Restore::BackupFile *RestoreDialog::chosen() const
{
    // The highlighted row, however the highlight came there: a click or the keyboard.
    return backupGrid->currentRowSelected() ? &m_files.rowList().at(backupGrid->currentRow()) : nullptr;
}

void RestoreDialog::updateRestoreButton()
{
    const Restore::BackupFile *file = chosen();
    restoreButton->setEnabled(file && file->sound);
}

void RestoreDialog::restoreChosen()
{
    const Restore::BackupFile *file = chosen();
    if (!file)
        return;
    const QString path = file->path;
    const QString name = QFileInfo(path).fileName();
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
        reload();
        return;
    }
    m_restoredDamaged = !m_damagedPath.isEmpty();
    emit restored();
    const QString kept = m_restoredDamaged ? QStringLiteral("壊れたファイルは「%1」に残してあります。")
                                           : QStringLiteral("戻す前のデータは「%1」に残してあります。");
    MessageBox::information(this, Title,
                            QStringLiteral("「%1」の内容に戻しました。\n").arg(name)
                                + kept.arg(QDir::toNativeSeparators(outcome.keptCopy)));
    if (m_restoredDamaged) {
        close(); // the start goes on with the database restored
        return;
    }
    // The list as the folder now is, the copy of the data before the restore among it, and the
    // copy restored still highlighted.
    reload();
    const QVector<Restore::BackupFile> &files = m_files.rowList();
    const auto restored =
        std::find_if(files.begin(), files.end(), [&](const auto &listed) { return listed.path == path; });
    if (restored != files.end())
        backupGrid->selectOnly(int(restored - files.begin()), 0);
}
