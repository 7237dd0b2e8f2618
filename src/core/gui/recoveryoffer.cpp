#include "core/gui/recoveryoffer.h"

#include "core/backup.h"
#include "core/database.h"
#include "core/gui/restoredialog.h"
#include "core/restore.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QDir>
#include <QFileInfo>

namespace RecoveryOffer {

namespace {

const QString Title = QStringLiteral("Parvela");

// Asks which way back: the newest sound copy (Yes), another copy (Open), or the third choice
// (Close); the first two only when there is a copy to offer.
QMessageBox::StandardButton ask(QWidget *parent, const QString &databasePath, const QString &situation,
                                const QString &kept, const QString &third, const Restore::BackupFile *newest,
                                bool anyCopy)
{
    QVector<MessageBox::Choice> choices;
    QString text = situation + QStringLiteral("\n\n");
    if (newest) {
        choices.append(
            {QMessageBox::Yes,
             QStringLiteral("最新の正常なバックアップ（%1）に戻す").arg(QFileInfo(newest->path).fileName())});
        text += QStringLiteral("バックアップから戻せます。") + kept;
    } else {
        text += QStringLiteral("戻せる正常なバックアップがありません（フォルダ「%1」）。")
                    .arg(QDir::toNativeSeparators(Backup::folderFor(databasePath)));
    }
    if (anyCopy)
        choices.append({QMessageBox::Open, QStringLiteral("ほかのバックアップを選ぶ")});
    choices.append({QMessageBox::Close, third});
    return MessageBox::choose(parent, Title, text, choices);
}

void tellRestored(QWidget *parent, const Restore::BackupFile &copy, const Restore::Outcome &outcome,
                  const QString &keptWhere)
{
    if (!outcome.restored) {
        MessageBox::critical(parent, Title, outcome.problem);
        return;
    }
    MessageBox::information(
        parent, Title,
        QStringLiteral("「%1」の内容に戻しました。\n%2")
            .arg(QFileInfo(copy.path).fileName(), keptWhere.arg(QDir::toNativeSeparators(outcome.keptCopy))));
}

} // namespace

bool openOrRecover(const QString &databasePath)
{
    try {
        Database::open(databasePath, Database::FileCheck::Identity);
        return true;
    } catch (const StartupError &error) {
        if (!error.damaged()) {
            MessageBox::critical(nullptr, Title, error.message());
            return false;
        }
        const QVector<Restore::BackupFile> copies = Restore::list(databasePath);
        const Restore::BackupFile *newest = Restore::newestSound(copies);
        const QDateTime now = QDateTime::currentDateTime();
        const QString aside = QFileInfo(databasePath).absoluteDir().filePath(Restore::damagedName(now));
        const QMessageBox::StandardButton answer = ask(
            nullptr, databasePath, error.message(),
            QStringLiteral("壊れたファイルは消さずに「%1」という名前で残します。").arg(QDir::toNativeSeparators(aside)),
            QStringLiteral("終了"), newest, !copies.isEmpty());
        bool restored = false;
        if (answer == QMessageBox::Yes) {
            Restore::Outcome outcome;
            {
                WaitCursor busy;
                outcome = Restore::replaceDamaged(databasePath, newest->path, now);
            }
            tellRestored(nullptr, *newest, outcome, QStringLiteral("壊れたファイルは「%1」に残してあります。"));
            restored = outcome.restored;
        } else if (answer == QMessageBox::Open) {
            RestoreDialog dialog(databasePath, nullptr); // read after it closes
            dialog.reload();
            dialog.exec();
            restored = dialog.restoredDamagedFile();
        }
        if (!restored)
            return false;
    }
    try {
        Database::open(databasePath, Database::FileCheck::Identity);
    } catch (const StartupError &error) {
        MessageBox::critical(nullptr, Title, error.message());
        return false;
    }
    return true;
}

void forFailedCopy(QWidget *parent)
{
    const QString databasePath = Database::path();
    const QVector<Restore::BackupFile> copies = Restore::list(databasePath);
    const Restore::BackupFile *newest = Restore::newestSound(copies);
    const QMessageBox::StandardButton answer = ask(
        parent, databasePath,
        QStringLiteral("今日のバックアップを作るときの検査（quick_check）で誤りが見つかりました。データベースファイル"
                       "「%1」が壊れているかもしれません。")
            .arg(QDir::toNativeSeparators(databasePath)),
        QStringLiteral("今のデータは、戻す前にバックアップのフォルダに残します。"), QStringLiteral("このまま使う"),
        newest, !copies.isEmpty());
    if (answer == QMessageBox::Yes) {
        Restore::Outcome outcome;
        {
            WaitCursor busy;
            outcome = Restore::restore(newest->path, QDateTime::currentDateTime());
        }
        tellRestored(parent, *newest, outcome, QStringLiteral("戻す前のデータは「%1」に残してあります。"));
    } else if (answer == QMessageBox::Open) {
        RestoreDialog dialog(parent);
        dialog.reload();
        dialog.exec();
    }
}

} // namespace RecoveryOffer
