#pragma once

#include "core/database.h"

#include <QString>

class QWidget;

// What a failed change tells first: nothing of it was stored.
inline const QString ChangeNotStored =
    QStringLiteral("データベースの処理ができませんでした。変更は保存されていません。");

// Tells the user about a failed statement: what was not done, the cause and what to do about
// it, and the engine's own text; the window stays usable.
void ReportDatabaseError(QWidget *parent, const DatabaseError &error, const QString &notDone = ChangeNotStored);

// The cause and what to do, as ReportDatabaseError tells it, for the open database.
QString DatabaseErrorCause(const DatabaseError &error);

// Tells the user that the settings store could not be written (a read-only or broken settings
// file); what the database holds is not affected.
void ReportSettingsNotSaved(QWidget *parent);

// Runs a handler's work; a database error is reported and ends only that work.
// Returns true when the work ran to its end.
template <typename Work>
bool RunReportingErrors(QWidget *parent, Work &&work)
{
    try {
        work();
        return true;
    } catch (const DatabaseError &error) {
        ReportDatabaseError(parent, error);
        return false;
    }
}
