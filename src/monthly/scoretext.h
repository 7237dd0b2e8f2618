#pragma once

#include <QString>
#include <QStringList>

struct ScoreRecord;

// How the score sheet writes its rows.
namespace ScoreText {

// The label of a sheet place (1 = the first data row): "優勝", "準優勝", "3位", then "4", "5", ...
QString placeLabel(int place);
// The nine cells of a sheet row: place label, name, HC, OB, OUT, IN, GROSS, NET, new HC.
inline constexpr int SheetColumns = 9;
QString sheetCellText(const ScoreRecord &score, int place, int column);

} // namespace ScoreText
