#include "core/gui/errorreport.h"

#include "core/settingsstore.h"

#include "platform/gui/messagebox.h"

#include <QDir>

void ReportDatabaseError(QWidget *parent, const DatabaseError &error)
{
    QString reason;
    switch (error.primaryCode()) {
    case 5:
    case 6:
        reason = QStringLiteral("データベースが他のプログラムに使われています。");
        break;
    case 8:
        reason = QStringLiteral("データベースファイルに書き込めません（読み取り専用です）。");
        break;
    case 11:
    case 26:
        reason = QStringLiteral("データベースファイルが壊れています。");
        break;
    case 13:
        reason = QStringLiteral("ディスクがいっぱいです。");
        break;
    default:
        break;
    }
    QString text = QStringLiteral("データベースの処理ができませんでした。変更は保存されていません。");
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    text += QStringLiteral("\n\n詳細: ") + error.engineText();
    MessageBox::critical(parent, QStringLiteral("Parvela"), text);
}

void ReportSettingsNotSaved(QWidget *parent)
{
    MessageBox::warning(parent, QStringLiteral("Parvela"),
                        QStringLiteral("設定を保存できませんでした。設定ファイル「%1」に書き込めません。\n"
                                       "データベースの内容は保存されています。")
                            .arg(QDir::toNativeSeparators(SettingsStore::fileName())));
}
