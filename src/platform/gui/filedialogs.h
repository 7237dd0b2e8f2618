#pragma once

#include <QString>

#include <functional>

class QWidget;

// Where the program asks the user for a file to write, so tests can answer instead of a dialog.
namespace FileDialogs {

// Asks where to save, in a dialog opened on `proposedPath` (its folder, its name selected).
// The name gets the proposal's extension when the user leaves it off, and replacing an
// existing file is confirmed first. Empty when the user cancels. Qt's own dialog, so that it
// speaks the program's language whatever the desktop's.
QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath, const QString &filter);

// `name` in the user's documents folder (the home folder when there is none): where a saved
// copy of a printout is proposed.
QString inDocuments(const QString &name);

// Test seam: while set, asked with the dialog's title, proposal and filter instead of showing
// it; returns the chosen path, empty for a cancel. An empty function restores the dialog.
using SaveAnswer = std::function<QString(const QString &title, const QString &proposedPath, const QString &filter)>;
void setSaveAnswer(SaveAnswer answer);

} // namespace FileDialogs
