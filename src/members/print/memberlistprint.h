#pragma once

#include <QStringList>
#include <QVector>

class PrintCanvas;

// The printed member list: the window's caption over a two-column table, name and handicap.
namespace MemberListPrint {

// Draws one copy; the caller ends the document. printSize is the percentage of the settings.
void drawCopy(PrintCanvas &canvas, const QString &caption, const QVector<QStringList> &cells, int printSize);

} // namespace MemberListPrint
