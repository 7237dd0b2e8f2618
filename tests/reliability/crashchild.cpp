// A child process for the reliability tests: opens a database as the program does, says
// "ready", then runs one operation, or holds the file locked, until it ends or is killed.
//
//   reliability_crashchild PATH rank COURSE_ID MONTH YEAR
//   reliability_crashchild PATH bulkadd COURSE_ID
//   reliability_crashchild PATH deletescores COURSE_ID
//   reliability_crashchild PATH deletemembers FIRST_ID LAST_ID
//   reliability_crashchild PATH lock
#include "core/database.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "monthly/bulkadd.h"
#include "monthly/ranking.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString operation = args[2];
    const auto number = [&args](int index) { return args.value(index).toInt(); };
    try {
        Database::open(args[1]);
        // A tiny page cache spills changed pages to the file long before the commit, so a kill
        // can land while the file itself is half written.
        Database::exec(QStringLiteral("PRAGMA cache_size = 4"));
        if (operation == QLatin1String("lock"))
            Database::exec(QStringLiteral("BEGIN EXCLUSIVE"));
        std::fputs("ready\n", stdout);
        std::fflush(stdout);

        if (operation == QLatin1String("rank")) {
            Ranking::calculateMonth(number(3), number(4), number(5), SettingsRecord());
        } else if (operation == QLatin1String("bulkadd")) {
            QVector<BulkAdd::Choice> chosen;
            for (const MemberRecord &member : MemberTable::allByKana())
                chosen.append({member.id, member.name});
            BulkAdd::enter(number(3), chosen);
        } else if (operation == QLatin1String("deletescores")) {
            QVector<qint16> ids;
            for (const ScoreRecord &score : ScoreTable::rankingRows(number(3)))
                ids.append(score.id);
            ScoreTable::removeAll(ids);
        } else if (operation == QLatin1String("deletemembers")) {
            QVector<qint16> ids;
            for (int id = number(3); id <= number(4); ++id)
                ids.append(static_cast<qint16>(id));
            MemberTable::removeAll(ids);
        } else if (operation == QLatin1String("lock")) {
            for (;;)
                QThread::sleep(1);
        } else {
            return 2;
        }
        Database::close();
    } catch (const DatabaseError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    } catch (const StartupError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::fputs("done\n", stdout);
    return 0;
}
