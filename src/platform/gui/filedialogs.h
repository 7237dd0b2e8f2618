#pragma once

#include <QString>

#include <functional>

class QWidget;

// Where the program asks the user for a file to write or to read, so tests can answer instead of a
// dialog.
namespace FileDialogs {

inline const QString CsvFilter = QStringLiteral("CSV ファイル (*.csv);;すべてのファイル (*)");

// Asks where to save, in a dialog opened on `proposedPath` (its folder, its name selected).
// The name gets the proposal's extension when the user leaves it off, and replacing an
// existing file is confirmed first. Empty when the user cancels. Qt's own dialog, so that it
// speaks the program's language whatever the desktop's.
QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath, const QString &filter);

// Asks which file to read, in a dialog opened on the user's documents folder. Empty when the
// user cancels.
QString openFileName(QWidget *parent, const QString &title, const QString &filter);

// `name` in the user's documents folder (the home folder when there is none): where a saved
// copy of a printout is proposed.
QString inDocuments(const QString &name);

// Test seam: while set, asked with the dialog's title, proposal (empty when a file is to be read)
// and filter instead of showing it; returns the chosen path, empty for a cancel. An empty
// function restores the dialogs.
using Answer = std::function<QString(const QString &title, const QString &proposedPath, const QString &filter)>;
void setAnswer(Answer answer);

} // namespace FileDialogs
