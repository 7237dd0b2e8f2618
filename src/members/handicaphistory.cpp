#include "members/handicaphistory.h"

#include "core/dates.h"
#include "core/numbertext.h"
#include "monthly/scoretext.h"

#include <algorithm>
#include <cmath>

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

ChartAxes chartAxes(const History &history, int year)
{
    ChartAxes axes{QDate(year, 1, 1), QDate(year, 12, 31)};
    QVector<double> handicaps;
    for (const PlayedRound &round : history.rounds) {
        const QDate day = dateOf(round);
        axes.firstDay = std::min(axes.firstDay, day);
        axes.lastDay = std::max(axes.lastDay, day);
        handicaps << round.hc;
    }
    handicaps << history.member.firstHc << history.member.endHc;
    // A value stored as no finite number is left off the range rather than making it endless.
    handicaps.erase(std::remove_if(handicaps.begin(), handicaps.end(), [](double hc) { return !std::isfinite(hc); }),
                    handicaps.end());
    const double lowest = handicaps.isEmpty() ? 0 : *std::min_element(handicaps.begin(), handicaps.end());
    const double highest = handicaps.isEmpty() ? 0 : *std::max_element(handicaps.begin(), handicaps.end());
    // Steps 1, 2, 5, 10, 20, 50 …: the first whose multiples just beyond the points are few enough.
    static const double growth[] = {2, 2.5, 2};
    for (int i = 0;; ++i) {
        axes.lowestHc = (std::ceil(lowest / axes.hcStep) - 1) * axes.hcStep;
        axes.highestHc = (std::floor(highest / axes.hcStep) + 1) * axes.hcStep;
        if (axes.hcTicks() - 1 <= MaxHcIntervals)
            return axes;
        axes.hcStep *= growth[i % 3];
    }
}

} // namespace HandicapHistory
