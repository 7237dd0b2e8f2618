#pragma once

#include "core/csv.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class SplitButton;

// "CSVに保存" on a grid window's print button: the table as the window shows it, into a file a
// spreadsheet program opens.
namespace CsvExport {

// Adds the command to the arrow of the window's print button. It asks where to save, proposing
// the window's document name with ".csv" in the documents folder, and writes what `records`
// gives then, each cell disarmed by its column in `columns`. Cancelling ends the command
// silently; where the file went, or why it could not be written, is told.
void addCommand(SplitButton &printButton, std::function<QString()> documentName,
                std::function<QVector<QStringList>()> records, const Csv::Columns &columns);

} // namespace CsvExport
