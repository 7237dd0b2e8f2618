#include "figures.h"
#include "floors.h"
#include "measure.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/settingsrecord.h"
#include "core/undohistory.h"
#include "members/gui/memberlistwindow.h"
#include "members/latesthandicap.h"
#include "monthly/ranking.h"
#include "monthly/gui/scoresheetwindow.h"
#include "platform/gui/gridview.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>

namespace Figures {

namespace {

using Floors::readRows;

// A handler run once, untimed, from the state `reset` restores: what it writes and what its
// table shows before and after. `reset` then puts back the state before, table included.
struct Effect
{
    QVector<Floors::Writes> writes;
    QVector<Floors::Writes> undo;
    Floors::Cells before;
    Floors::Cells after;
    Floors::TableShape shape;
};

// Each table as `select` (ID first) reads it and `update` ("… where ID=?") writes it back.
struct Table
{
    QString select;
    QVariantList values;
    QString update;
};

Effect effectOf(QWidget &window, QTableView &grid, const QVector<Table> &tables, const std::function<void()> &press)
{
    Effect effect;
    QVector<Floors::Snapshot> before;
    for (const Table &table : tables)
        before << Floors::snapshot(table.select, table.values);
    effect.before = Floors::cellsOf(grid);
    press();
    QCoreApplication::processEvents();
    effect.after = Floors::cellsOf(grid);
    effect.shape = Floors::shapeOf(window, grid);
    for (int i = 0; i < tables.size(); ++i) {
        const Floors::Snapshot after = Floors::snapshot(tables.at(i).select, tables.at(i).values);
        effect.writes << Floors::changes(tables.at(i).update, before.at(i), after);
        effect.undo << Floors::changes(tables.at(i).update, after, before.at(i));
    }
    return effect;
}

qsizetype rowsWritten(const QVector<Floors::Writes> &writes)
{
    qsizetype rows = 0;
    for (const Floors::Writes &statement : writes)
        rows += statement.rows.size();
    return rows;
}

// Presses the handler of a shown window beside its floor, each run from the state before the
// press (`reload` shows it again). The floor is `read` (with the C API), then the handler's writes
// (only the rows that change, as the program writes them, with the C API) in one transaction,
// then the window's new cells handed to a bare table of the same size by the least model, and
// painted.
void pressBesideFloor(const QString &name, const Clubs::Club &club, QWidget &window, QTableView &grid,
                      const QVector<Table> &tables, const std::function<void()> &press,
                      const std::function<void()> &reload, const std::function<void()> &read)
{
    const Effect effect = effectOf(window, grid, tables, press);
    Floors::BareWindow bare(effect.shape);
    bare.show();
    const auto reset = [&] {
        Floors::write(effect.undo);
        reload();
        bare.fill(effect.before);
        QCoreApplication::processEvents();
    };
    const auto floor = [&] {
        read();
        Floors::write(effect.writes);
        bare.fill(effect.after);
    };
    Measure::compare({QStringLiteral("%1 (%2 writes)").arg(name).arg(rowsWritten(effect.writes)), club.label()},
                     Measure::paintedAfter(&window, press), Measure::paintedAfter(&bare, floor), targetFor(club, 1.3),
                     reset);
}

// December's competition, in a fresh copy of the club, as before its first calculation: its
// rows not placed yet, every member at the handicap November left, and the year's final handicap
// not set.
CourseRecord uncalculatedDecember(const Clubs::Club &club)
{
    Clubs::openCopy(club);
    const CourseRecord december = *CourseTable::firstOfMonth(Clubs::year(), 12);
    Database::exec(QStringLiteral("update Score set NEW_HC=0,RANK=0 where COURSE_ID=?"), {december.id});
    Database::exec(QStringLiteral("update Member set E_HC=F_HC"));
    LatestHandicap::apply(Clubs::year());
    return december;
}

// What 新HC計算 of that competition changes: its rows' places and new handicaps, the members'.
QVector<Table> newHandicapTables(int courseId)
{
    return {{QStringLiteral("select ID,NEW_HC,RANK from Score where COURSE_ID=?"),
             {courseId},
             QStringLiteral("update Score set NEW_HC=?,RANK=? where ID=?")},
            {QStringLiteral("select ID,HC,F_HC,E_HC from Member"),
             {},
             QStringLiteral("update Member set HC=?,F_HC=?,E_HC=? where ID=?")}};
}

void newHandicap(const Clubs::Club &club)
{
    const int year = Clubs::year();
    const CourseRecord december = uncalculatedDecember(club);

    UndoHistory history;
    ScoreSheetWindow sheet(december, Clubs::settings(), history);
    sheet.reload();
    sheet.show();
    QCoreApplication::processEvents();
    QVector<int> otherMonths = Clubs::yearCourseIds();
    otherMonths.removeAll(december.id);
    // The floor reads each row it needs once: the year's competitions; December's rows with
    // what the ranking and the sheet need (the left join keeps the rows of deleted members,
    // which are ranked too); the other months' rows with the handicaps the members' latest
    // result needs; the members' handicaps. It leaves out the ranking, the search for each
    // member's latest result and the texts.
    const auto read = [&] {
        readRows(QStringLiteral("select ID,CMONTH from Course where CYEAR=?"), {year});
        readRows(QStringLiteral("select Score.ID,Score.MEMBER_ID,Score.MEMBER_NAME,Score.HC,Score.OB,Score.OUT_VAL,"
                                "Score.IN_VAL,Score.GROSS_VAL,Score.NET_VAL,Member.BIRTHDAY from Score left join "
                                "Member on Score.MEMBER_ID=Member.ID where Score.COURSE_ID=?"),
                 {december.id});
        readRows(QStringLiteral("select COURSE_ID,MEMBER_ID,HC,NEW_HC from Score where COURSE_ID in (%1)")
                     .arg(Clubs::idList(otherMonths)));
        readRows(QStringLiteral("select ID,HC,F_HC,E_HC from Member"));
    };
    pressBesideFloor(
        QStringLiteral("新HC計算, December of %1").arg(sheet.rows().size()), club, sheet, *sheet.scoreGrid,
        newHandicapTables(december.id), [&] { sheet.calculateNewHandicaps(); }, [&] { sheet.reload(); }, read);
    Clubs::closeCopy(club);
}

void latestHandicap(const Clubs::Club &club)
{
    Clubs::openCopy(club);
    // As at the year's start, before the first retrieval.
    Database::exec(QStringLiteral("update Member set HC=F_HC"));
    UndoHistory history;
    MemberListWindow list(Clubs::settings(), history);
    list.reload();
    list.show();
    QCoreApplication::processEvents();
    const QString courses = Clubs::idList(Clubs::yearCourseIds());
    // The floor reads the year's competitions, their rows with the handicaps each member's
    // latest result needs, and the members once with the columns shown. It leaves out the search
    // for each member's latest result, the kana order and the texts.
    const auto read = [&] {
        readRows(QStringLiteral("select ID,CMONTH from Course where CYEAR=?"), {Clubs::year()});
        readRows(
            QStringLiteral("select COURSE_ID,MEMBER_ID,HC,NEW_HC from Score where COURSE_ID in (%1)").arg(courses));
        readRows(QStringLiteral("select ID,NAME,HURIKANA,BIRTHDAY,HC from Member"));
    };
    pressBesideFloor(
        QStringLiteral("最新HC取得"), club, list, *list.memberGrid,
        {{QStringLiteral("select ID,HC from Member"), {}, QStringLiteral("update Member set HC=? where ID=?")}},
        [&] { list.takeLatestHandicaps(); }, [&] { list.reload(); }, read);
    Clubs::closeCopy(club);
}

// What undo costs on the largest step a user makes: 新HC計算 of December. Recording it is
// against the calculation alone; undoing it against the calculation, the work it takes back.
// Both without the window, whose reading and painting are the same either way.
void undoOfNewHandicap(const Clubs::Club &club)
{
    const CourseRecord december = uncalculatedDecember(club);
    const auto calculate = [&] { Ranking::calculateMonth(december.id, 12, Clubs::year(), Clubs::settings()); };
    const QVector<Table> tables = newHandicapTables(december.id);
    QVector<Floors::Snapshot> before;
    for (const Table &table : tables)
        before << Floors::snapshot(table.select, table.values);
    calculate();
    QVector<Floors::Writes> back;
    for (int i = 0; i < tables.size(); ++i)
        back << Floors::changes(tables.at(i).update, Floors::snapshot(tables.at(i).select, tables.at(i).values), before.at(i));
    const auto timedFromBefore = [&](const std::function<void()> &untimed, const std::function<void()> &action) {
        return [&, untimed, action] {
            Floors::write(back);
            untimed();
            QElapsedTimer clock;
            clock.start();
            action();
            return double(clock.nsecsElapsed()) / 1e6;
        };
    };
    UndoHistory history;
    const QString step = QStringLiteral("12月の新HC計算");
    const qsizetype rows = before.first().size();
    const auto nothing = [] {};
    Measure::compare({QStringLiteral("新HC計算 recorded for undo, December of %1").arg(rows), club.label()},
                     timedFromBefore(nothing, [&] { history.record(step, calculate); }),
                     timedFromBefore(nothing, calculate), {1.1, 0}, [&] { history.clear(); });
    Measure::compare({QStringLiteral("undo of 新HC計算, December of %1").arg(rows), club.label()},
                     timedFromBefore([&] { history.record(step, calculate); }, [&] { history.undo(); }),
                     timedFromBefore(nothing, calculate), {1.3, 0}, [&] { history.clear(); });
    Clubs::closeCopy(club);
}

} // namespace

void handlers(const Clubs::Club &club)
{
    newHandicap(club);
    latestHandicap(club);
    if (club.members == 2000)
        undoOfNewHandicap(club);
}

} // namespace Figures
