#include "monthly/sideprizes.h"

#include "core/scoretable.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace SidePrizes {

namespace {

constexpr int PlacesWithPrizes = 3;
constexpr int LastPlace = 32767;

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

std::optional<QVector<int>> readPlaces(const QString &text)
{
    static const QRegularExpression apart(QStringLiteral("[,、，\\s]+"));
    QVector<int> places;
    for (const QString &word : text.split(apart, Qt::SkipEmptyParts)) {
        bool whole = false;
        const int place = word.toInt(&whole);
        if (!whole || place < 1 || place > LastPlace)
            return std::nullopt;
        places << place;
    }
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    return places;
}

QString placesText(const QVector<int> &places)
{
    QStringList words;
    for (const int place : places)
        words << QString::number(place);
    return words.join(',');
}

} // namespace SidePrizes
