#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class Grid;
class QWidget;
class SplitButton;

// "CSVに保存" on a grid window's print button: the table as the window shows it, into a file a
// spreadsheet program opens.
namespace CsvExport {

// Every cell's text, header row first, read without moving the grid's current cell.
QVector<QStringList> gridTexts(const Grid &grid);

// Adds the command to the arrow of the window's print button; `save` runs it.
void addCommand(SplitButton &printButton, std::function<void()> save);

// Asks where to save, proposing `fileName` in the documents folder, and writes the records.
// Cancelling ends the command silently; a failure is told.
void save(QWidget *window, const QString &fileName, const QVector<QStringList> &records);

} // namespace CsvExport
