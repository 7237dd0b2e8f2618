#pragma once

#include <QFlags>
#include <QString>
#include <QVector>

#include <optional>

struct ScoreRecord;

// The month's prizes besides the first three places, as a club reads them out after the
// round: the best gross (ベスグロ), the second-to-last (ブービー, BB), the last (ブービーメーカー,
// BM) and the "flying" places (飛び賞).
namespace SidePrizes {

// What the club awards. With nothing set nobody gets a side prize, and the sheet, its printout
// and its CSV copy show no prize column.
struct Rules
{
    bool bestGross = false;
    bool bestGrossLeavesOutPlaces = false; // 入賞者を除く: the best gross among the rest
    bool booby = false;
    bool boobyMaker = false;
    QVector<int> flyingPlaces; // 飛び賞 at these places …
    int flyingEvery = 0;       // … or at every N-th place (0: none)

    bool any() const;
};

enum Prize {
    BestGross = 0x1,
    Booby = 0x2,
    BoobyMaker = 0x4,
    Flying = 0x8,
};
Q_DECLARE_FLAGS(Prizes, Prize)

// The side prizes of each row of a month sheet given in the sheet's order (net, ties by age).
// Only rows with a result count (OUT and IN both entered): they are the places p = 1 … n used
// here, whatever RANK a row carries. A participant holds at most one of a first-three place,
// BM, BB and 飛び賞, in that order; a prize whose participant holds a higher one is not given,
// nor passed on to anyone else. The best gross may come on top of BB, BM or 飛び賞: the lowest
// gross among the counted rows (p > 3 only when it leaves out the places), a tie to the one
// placed higher.
QVector<Prizes> award(const QVector<ScoreRecord> &sheet, const Rules &rules);

// How a row's prizes read in the sheet's prize column: 「ベスグロ・BB」.
QString text(Prizes prizes);

// The 飛び賞 places as the club types them: whole numbers from 1 to 32767 (a field never holds
// more members), apart by commas, 「、」 or spaces (「5,10,15」, 「5、10」). They come back in
// order without repeats. Nothing when the text holds anything else; an empty text is no place.
std::optional<QVector<int>> readPlaces(const QString &text);
// The places as readPlaces reads them back: 「5,10,15」.
QString placesText(const QVector<int> &places);

} // namespace SidePrizes

Q_DECLARE_OPERATORS_FOR_FLAGS(SidePrizes::Prizes)
