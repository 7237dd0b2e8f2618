#include "monthly/sideprizes.h"

#include "core/scoretable.h"

#include <QStringList>

namespace SidePrizes {

namespace {

constexpr int PlacesWithPrizes = 3;

} // namespace

bool Rules::any() const
{
    return bestGross || booby || boobyMaker || !flyingPlaces.isEmpty() || flyingEvery > 0;
}

QVector<Prizes> award(const QVector<ScoreRecord> &sheet, const Rules &rules)
{
    QVector<Prizes> prizes(sheet.size());
    // The sheet rows of the places p = 1 … n: element p - 1.
    QVector<int> rowOfPlace;
    for (int row = 0; row < sheet.size(); ++row) {
        if (sheet.at(row).out != 0 && sheet.at(row).in != 0)
            rowOfPlace << row;
    }
    const int n = int(rowOfPlace.size());
    // Whether the participant at place p already holds one of the exclusive prizes.
    QVector<bool> holds(n + 1, false);
    for (int place = 1; place <= qMin(PlacesWithPrizes, n); ++place)
        holds[place] = true;
    const auto give = [&](int place, Prize prize) {
        if (place < 1 || place > n || holds.at(place))
            return;
        holds[place] = true;
        prizes[rowOfPlace.at(place - 1)] |= prize;
    };
    if (rules.boobyMaker)
        give(n, BoobyMaker);
    if (rules.booby)
        give(n - 1, Booby);
    for (const int place : rules.flyingPlaces)
        give(place, Flying);
    for (int place = rules.flyingEvery; rules.flyingEvery > 0 && place <= n; place += rules.flyingEvery)
        give(place, Flying);

    if (rules.bestGross) {
        int best = 0;
        for (int place = rules.bestGrossLeavesOutPlaces ? PlacesWithPrizes + 1 : 1; place <= n; ++place) {
            // Strictly lower: on equal gross the one placed higher keeps it.
            if (best == 0 || sheet.at(rowOfPlace.at(place - 1)).gross < sheet.at(rowOfPlace.at(best - 1)).gross)
                best = place;
        }
        if (best != 0)
            prizes[rowOfPlace.at(best - 1)] |= BestGross;
    }
    return prizes;
}

QString text(Prizes prizes)
{
    QStringList names;
    if (prizes & BestGross)
        names << QStringLiteral("ベスグロ");
    if (prizes & Booby)
        names << QStringLiteral("BB");
    if (prizes & BoobyMaker)
        names << QStringLiteral("BM");
    if (prizes & Flying)
        names << QStringLiteral("飛び賞");
    return names.join(QStringLiteral("・"));
}

} // namespace SidePrizes
