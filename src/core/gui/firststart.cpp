#include "core/gui/firststart.h"

#include "core/database.h"
#include "core/module1.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QFileInfo>

namespace FirstStart {

bool offerDatabase(const QString &path)
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
        Module1::CreateDatabase(path, answer == QMessageBox::Yes ? Module1::NewDatabase::Empty
                                                                 : Module1::NewDatabase::DemonstrationClub);
    } catch (const StartupError &error) {
        MessageBox::critical(nullptr, QStringLiteral("Parvela"), error.message());
        return false;
    }
    return true;
}

} // namespace FirstStart
