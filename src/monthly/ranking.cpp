#include "monthly/ranking.h"

#include "core/database.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "members/latesthandicap.h"

#include <cmath>

namespace Ranking {

int newHandicap(double hc, int place, const SettingsRecord &settings)
{
    const float handicap = static_cast<float>(hc);
    float product = handicap;
    if (place == 1)
        product = handicap * settings.par1st;
    else if (place == 2)
        product = handicap * settings.par2nd;
    else if (place == 3)
        product = handicap * settings.par3rd;
    return static_cast<int>(std::nearbyint(product)); // the default rounding mode is to even
}

void calculateMonth(int courseId, int sheetMonth, int year, const SettingsRecord &settings)
{
    Transaction transaction;
    int place = 0;
    for (const ScoreRecord &row : ScoreTable::rankingRows(courseId)) {
        ++place;
        ScoreTable::updateNewHcAndRank(row.id, newHandicap(row.hc, place, settings), place);
    }
    LatestHandicap::AlsoSet alsoSet = LatestHandicap::AlsoSet::Nothing;
    if (sheetMonth == 1)
        alsoSet = LatestHandicap::AlsoSet::FirstHc;
    else if (sheetMonth == 12)
        alsoSet = LatestHandicap::AlsoSet::EndHc;
    LatestHandicap::apply(year, alsoSet);
    transaction.commit();
}

} // namespace Ranking
