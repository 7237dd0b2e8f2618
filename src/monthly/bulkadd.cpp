#include "monthly/bulkadd.h"

#include "core/database.h"
#include "core/membertable.h"
#include "core/scoretable.h"

#include <QSet>

namespace BulkAdd {

int enter(int courseId, const QVector<Choice> &chosen)
{
    Transaction transaction;
    QSet<int> entered;
    for (const ScoreRecord &score : ScoreTable::rankingRows(courseId))
        entered.insert(score.memberId);
    int count = 0;
    for (const Choice &choice : chosen) {
        if (entered.contains(choice.memberId))
            continue;
        const std::optional<MemberRecord> member = MemberTable::byId(choice.memberId);
        if (!member)
            continue;
        ScoreRecord score;
        score.courseId = static_cast<qint16>(courseId);
        score.memberId = choice.memberId;
        score.memberName = choice.name;
        score.hc = member->hc;
        ScoreTable::insert(score);
        entered.insert(choice.memberId);
        ++count;
    }
    transaction.commit();
    return count;
}

} // namespace BulkAdd
