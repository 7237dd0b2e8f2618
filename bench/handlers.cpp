#include "figures.h"
#include "floors.h"
#include "measure.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/settingsrecord.h"
#include "members/gui/memberlistwindow.h"
#include "members/latesthandicap.h"
#include "monthly/gui/scoresheetwindow.h"
#include "platform/gui/gridview.h"

#include <QComboBox>
#include <QCoreApplication>
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

void newHandicap(const Clubs::Club &club)
{
    Clubs::openCopy(club);
    const int year = Clubs::year();
    const CourseRecord december = *CourseTable::firstOfMonth(year, 12);
    // As before December's first calculation: its rows not placed yet, every member at the
    // handicap November left, and the year's final handicap not set.
    Database::exec(QStringLiteral("update Score set NEW_HC=0,RANK=0 where COURSE_ID=?"), {december.id});
    Database::exec(QStringLiteral("update Member set E_HC=F_HC"));
    LatestHandicap::apply(year);

    ScoreSheetWindow sheet(december, Clubs::settings());
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
        {{QStringLiteral("select ID,NEW_HC,RANK from Score where COURSE_ID=?"),
          {december.id},
          QStringLiteral("update Score set NEW_HC=?,RANK=? where ID=?")},
         {QStringLiteral("select ID,HC,F_HC,E_HC from Member"),
          {},
          QStringLiteral("update Member set HC=?,F_HC=?,E_HC=? where ID=?")}},
        [&] { sheet.calculateNewHandicaps(); }, [&] { sheet.reload(); }, read);
    Clubs::closeCopy(club);
}

void latestHandicap(const Clubs::Club &club)
{
    Clubs::openCopy(club);
    // As at the year's start, before the first retrieval.
    Database::exec(QStringLiteral("update Member set HC=F_HC"));
    MemberListWindow list(Clubs::settings());
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

} // namespace

void handlers(const Clubs::Club &club)
{
    newHandicap(club);
    latestHandicap(club);
}

} // namespace Figures
