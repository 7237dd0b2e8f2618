#pragma once

#include <QString>

#include <functional>

class QWidget;

// The file dialogs of the CSV commands, behind a seam: Qt's dialogs cannot be driven in a test.
namespace CsvFileDialogs {

// The file to save to, starting from the proposed path; empty when the user cancelled.
QString saveFileName(QWidget *parent, const QString &caption, const QString &proposedPath);
// The CSV file to read; empty when the user cancelled.
QString openFileName(QWidget *parent, const QString &caption);

// The user's documents folder, where the dialogs start.
QString startFolder();

// Test seam: while set, answers every dialog instead of showing it (the proposed path is empty
// for an open dialog). An empty function restores the dialogs.
using Answer = std::function<QString(const QString &caption, const QString &proposedPath)>;
void setAnswer(Answer answer);

} // namespace CsvFileDialogs
