#include "monthly/scoretext.h"

#include "core/numbertext.h"
#include "core/scoretable.h"

namespace ScoreText {

QString placeLabel(int place)
{
    switch (place) {
    case 1:
        return QStringLiteral("優勝");
    case 2:
        return QStringLiteral("準優勝");
    case 3:
        return QStringLiteral("3位");
    default:
        return QString::number(place);
    }
}

QString sheetCellText(const ScoreRecord &score, int place, int column)
{
    switch (column) {
    case 0:
        return placeLabel(place);
    case 1:
        return score.memberName;
    case 2:
        return NumberText::plain(score.hc);
    case 3:
        return NumberText::plain(score.ob);
    case 4:
        return QString::number(score.out);
    case 5:
        return QString::number(score.in);
    case 6:
        return QString::number(score.gross);
    case 7:
        return NumberText::plain(score.net);
    case 8:
        return NumberText::plain(score.newHc);
    default:
        return QString();
    }
}

} // namespace ScoreText
