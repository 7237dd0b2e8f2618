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

QStringList sheetRowTexts(const ScoreRecord &score, int place)
{
    return {placeLabel(place),
            score.memberName,
            NumberText::plain(score.hc),
            NumberText::plain(score.ob),
            QString::number(score.out),
            QString::number(score.in),
            QString::number(score.gross),
            NumberText::plain(score.net),
            NumberText::plain(score.newHc)};
}

} // namespace ScoreText
