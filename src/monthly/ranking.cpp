#include "monthly/ranking.h"

#include "core/database.h"
#include "core/numbertext.h"
#include "core/scoretable.h"
#include "core/settingsrecord.h"
#include "core/settingsstore.h"
#include "members/latesthandicap.h"

#include <cmath>
#include <limits>
#include <optional>

namespace Ranking {

int newHandicap(double hc, int place, const SettingsRecord &settings)
{
    float multiplier = 1.0f;
    if (place == 1)
        multiplier = settings.winnerMultiplier;
    else if (place == 2)
        multiplier = settings.runnerUpMultiplier;
    else if (place == 3)
        multiplier = settings.thirdMultiplier;
    // Beyond the float range the conversion itself would be undefined; such an HC cannot give a
    // 16-bit handicap anyway.
    const bool fitsFloat = std::fabs(hc) <= std::numeric_limits<float>::max();
    const std::optional<qint16> rounded =
        fitsFloat ? NumberText::roundToInt16(static_cast<float>(hc) * multiplier) : std::nullopt;
    if (!rounded) {
        throw DatabaseError(QStringLiteral("新HC計算を中止しました。%1位の新HC（HC %2 × 倍率 %3）が新HCの範囲"
                                           "（-32768～32767）に収まりません。HC と設定の倍率を確かめてください。")
                                .arg(place)
                                .arg(NumberText::plain(hc), SettingsStore::floatText(multiplier)),
                            DatabaseError::RefusedByProgram);
    }
    return *rounded;
}

QVector<ScoreRecord> calculateMonth(int courseId, int sheetMonth, int year, const SettingsRecord &settings)
{
    Transaction transaction;
    int place = 0;
    QVector<ScoreRecord> sheet;
    for (ScoreRecord &row : ScoreTable::rankingRows(courseId)) {
        ++place;
        row.newHc = newHandicap(row.hc, place, settings);
        row.rank = place;
        ScoreTable::updateNewHcAndRank(row.id, row.newHc, row.rank);
        if (row.memberExists)
            sheet.append(std::move(row));
    }
    LatestHandicap::AlsoSet alsoSet = LatestHandicap::AlsoSet::Nothing;
    if (sheetMonth == 1)
        alsoSet = LatestHandicap::AlsoSet::FirstHc;
    else if (sheetMonth == 12)
        alsoSet = LatestHandicap::AlsoSet::EndHc;
    LatestHandicap::apply(year, alsoSet);
    transaction.commit();
    return sheet;
}

} // namespace Ranking
