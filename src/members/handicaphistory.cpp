#include "members/handicaphistory.h"

#include "core/dates.h"
#include "core/numbertext.h"
#include "monthly/scoretext.h"

namespace HandicapHistory {

std::optional<History> of(int memberId)
{
    std::optional<MemberRecord> member = MemberTable::byId(memberId);
    if (!member)
        return std::nullopt;
    return History{*member, ScoreTable::roundsOfMember(memberId)};
}

QStringList headers()
{
    return {QStringLiteral("日付"), QStringLiteral("コース"), QStringLiteral("HC"),  QStringLiteral("GROSS"),
            QStringLiteral("NET"),  QStringLiteral("順位"),   QStringLiteral("新HC")};
}

QString cellText(const PlayedRound &round, int column)
{
    const bool calculated = round.rank > 0;
    switch (column) {
    case 0:
        return round.playDate.isEmpty() ? QStringLiteral("%1/%2").arg(round.year).arg(round.month) : round.playDate;
    case 1:
        return round.courseName;
    case 2:
        return NumberText::plain(round.hc);
    case 3:
        return QString::number(round.gross);
    case 4:
        return NumberText::plain(round.net);
    case 5:
        return calculated ? ScoreText::placeLabel(round.rank) : QString();
    case 6:
        return calculated ? NumberText::plain(round.newHc) : QString();
    default:
        return QString();
    }
}

QDate dateOf(const PlayedRound &round)
{
    const QDate played = Dates::parse(round.playDate);
    return played.isValid() ? played : QDate(round.year, round.month, 1);
}

} // namespace HandicapHistory
