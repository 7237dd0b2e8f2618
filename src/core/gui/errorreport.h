#pragma once

#include "core/database.h"

class QWidget;

// Tells the user about a failed statement, in Japanese with the engine's own text; the
// window stays usable.
void ReportDatabaseError(QWidget *parent, const DatabaseError &error);

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
