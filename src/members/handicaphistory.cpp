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

QStringList rowTexts(const PlayedRound &round)
{
    const bool calculated = round.rank > 0;
    const QString date =
        round.playDate.isEmpty() ? QStringLiteral("%1/%2").arg(round.year).arg(round.month) : round.playDate;
    return {date,
            round.courseName,
            NumberText::plain(round.hc),
            QString::number(round.gross),
            NumberText::plain(round.net),
            calculated ? ScoreText::placeLabel(round.rank) : QString(),
            calculated ? NumberText::plain(round.newHc) : QString()};
}

QDate dateOf(const PlayedRound &round)
{
    const QDate played = Dates::parse(round.playDate);
    return played.isValid() ? played : QDate(round.year, round.month, 1);
}

} // namespace HandicapHistory
