#include "core/gui/firststart.h"

#include "core/database.h"
#include "core/demodata.h"
#include "core/settingsrecord.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QDir>
#include <QFileInfo>

namespace FirstStart {

namespace {

// Creates the database at `path`, with its folder, empty or holding the made-up club that
// parvela-db demo makes. Never overwrites a file. Throws StartupError with a message ready to show.
void createDatabase(const QString &path, bool demonstrationClub, const SettingsRecord &settings)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw StartupError(QStringLiteral("フォルダー「%1」を作成できません。").arg(folder));
    if (!demonstrationClub) {
        Database::create(path);
        return;
    }
    DemoData::Options club;
    club.lastYear = settings.editYear;
    DemoData::createClub(path, club, settings);
}

} // namespace

bool offerDatabase(const QString &path, const SettingsRecord &settings)
{
    const QFileInfo file(path);
    if (file.exists() || file.isSymLink())
        return true;
    const QMessageBox::StandardButton answer = MessageBox::choose(
        nullptr, QStringLiteral("Parvela"),
        QStringLiteral("データベースファイル「%1」が見つかりません。\n\n"
                       "新しく始めるときは空のデータベースを作ります。見本のクラブ（架空の会員と1年分の月例会）"
                       "でプログラムを試すこともできます。どちらもこの場所に作ります。")
            .arg(path),
        {{QMessageBox::Yes, QStringLiteral("空のデータベースを作る")},
         {QMessageBox::Open, QStringLiteral("見本のクラブで始める")},
         {QMessageBox::Close, QStringLiteral("終了")}});
    if (answer != QMessageBox::Yes && answer != QMessageBox::Open)
        return false;
    try {
        WaitCursor busy;
        createDatabase(path, answer == QMessageBox::Open, settings);
    } catch (const StartupError &error) {
        MessageBox::critical(nullptr, QStringLiteral("Parvela"), error.message());
        return false;
    }
    return true;
}

} // namespace FirstStart
