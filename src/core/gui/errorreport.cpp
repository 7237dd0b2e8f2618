#include "core/gui/errorreport.h"

#include "core/databaseerrortext.h"
#include "core/settingsstore.h"

#include "platform/gui/messagebox.h"

#include <QDir>

QString DatabaseErrorCause(const DatabaseError &error)
{
    if (error.extendedCode() == DatabaseError::RefusedByProgram)
        return error.engineText();
    return DatabaseErrorText::cause(error.extendedCode(), {Database::path(), Database::fileMovedOrDeleted()});
}

void ReportDatabaseError(QWidget *parent, const DatabaseError &error, const QString &notDone)
{
    // The program's own refusal names its reason in full; the engine's text adds nothing to it.
    const QString text = error.extendedCode() == DatabaseError::RefusedByProgram
                             ? error.engineText() + QStringLiteral("\n変更は保存されていません。")
                             : notDone + QLatin1Char('\n') + DatabaseErrorCause(error) + QStringLiteral("\n\n詳細: ")
                                   + error.engineText();
    MessageBox::critical(parent, QStringLiteral("Parvela"), text);
}

void ReportSettingsNotSaved(QWidget *parent)
{
    MessageBox::warning(parent, QStringLiteral("Parvela"),
                        QStringLiteral("設定を保存できませんでした。設定ファイル「%1」に書き込めません。\n"
                                       "データベースの内容は保存されています。")
                            .arg(QDir::toNativeSeparators(SettingsStore::fileName())));
}
