#include "figures.h"
#include "floors.h"
#include "measure.h"

#include "annual/gui/form9.h"
#include "core/database.h"
#include "core/gui/form1.h"
#include "core/gui/windowregistry.h"
#include "members/gui/form7.h"
#include "members/gui/handicaphistorywindow.h"
#include "monthly/gui/form3.h"
#include "monthly/gui/form4.h"
#include "platform/gui/grid.h"

#include <QApplication>
#include <QSqlQuery>

namespace Figures {

namespace {

using Floors::readRows;
using Measure::untilModalPainted;

constexpr int December = 12;

// The window a press opens, as it was painted the first time: its cells and their shape.
struct Shown
{
    Floors::Cells cells;
    Floors::TableShape shape;
};

template <typename Form>
Shown shownBy(const std::function<void()> &press, Grid *Form::*grid)
{
    Shown shown;
    untilModalPainted(press, [&](QWidget &window) {
        auto &form = static_cast<Form &>(window);
        shown.cells = Floors::cellsOf(*(form.*grid));
        shown.shape = Floors::shapeOf(form, *(form.*grid));
    });
    return shown;
}

// Every window opens at once for the small club.
Measure::Target openingTarget(const Clubs::Club &club)
{
    return club.members <= 40 ? Measure::Target{0, 50} : Measure::Target{};
}

// The floor of an opening: `read` (the rows), the same cells put into a bare table, a bare
// window shown and painted. The bare window is opened modally over the same window as the
// program's.
double bareOpening(QWidget *owner, const Shown &shown, const std::function<void()> &read)
{
    return untilModalPainted([&] {
        Floors::BareWindow window(shown.shape, owner);
        read();
        window.fill(shown.cells);
        window.exec();
    });
}

void annualWindow(const Clubs::Club &club, Form3 &months)
{
    const auto press = [&months] { months.Command3_Click(); };
    const Shown shown = shownBy(press, &Form9::ScoreGrid);
    // The floor reads the rows the program reads, with the program's statements (the year's
    // competitions, their rows, the members) and only the columns the table needs: no reader of
    // these rows does less. It leaves out everything the program works out from them (months,
    // totals, eligibility, kana order, the cell texts).
    const auto read = [] {
        QVector<int> courses;
        QSqlQuery query = Database::run(QStringLiteral("select ID,CMONTH from Course where CYEAR=? order by CMONTH,ID"),
                                        {Clubs::year()});
        while (query.next())
            courses << query.value(0).toInt();
        readRows(QStringLiteral("select ID,COURSE_ID,MEMBER_ID,OB,GROSS_VAL,RANK from Score where COURSE_ID in (%1)")
                     .arg(Clubs::idList(courses)));
        readRows(QStringLiteral("select ID,NAME,HURIKANA,F_HC,E_HC from Member"));
    };
    Measure::Target target = openingTarget(club);
    if (club.members >= 2000)
        target.ratio = 1.5;
    Measure::compare(
        {QStringLiteral("annual window opened (年間)"), club.label()}, [&] { return untilModalPainted(press); },
        [&] { return bareOpening(&months, shown, read); }, target);
}

void memberList(const Clubs::Club &club, Form1 &menu)
{
    const auto press = [&menu] { menu.Command1_Click(); };
    const Shown shown = shownBy(press, &Form7::MemberGrid);
    // The floor reads the four columns shown in one statement, without the kana order.
    const auto read = [] { readRows(QStringLiteral("select NAME,HURIKANA,BIRTHDAY,HC from Member")); };
    Measure::compare(
        {QStringLiteral("member list opened (メンバー)"), club.label()}, [&] { return untilModalPainted(press); },
        [&] { return bareOpening(&menu, shown, read); }, openingTarget(club));
}

void scoreSheet(const Clubs::Club &club, Form3 &months)
{
    const auto press = [&months] { months.Command1_Click(December - 1); };
    const Shown shown = shownBy(press, &Form4::ScoreGrid);
    // The floor reads the month's competition and its rows with the columns shown and the
    // birthday the order needs, joined with Member as the sheet shows only present members; it
    // leaves out the order, the places and the texts.
    const auto read = [] {
        const QVariant course =
            readRows(QStringLiteral("select ID,PLAYDATE,COURSENAME from Course where CYEAR=? and CMONTH=?"),
                     {Clubs::year(), December});
        readRows(QStringLiteral("select Score.MEMBER_NAME,Score.HC,Score.OB,Score.OUT_VAL,Score.IN_VAL,"
                                "Score.GROSS_VAL,Score.NET_VAL,Score.NEW_HC,Member.BIRTHDAY from Score inner join "
                                "Member on Score.MEMBER_ID=Member.ID where Score.COURSE_ID=?"),
                 {course});
    };
    Measure::compare(
        {QStringLiteral("December's sheet opened (12月)"), club.label()}, [&] { return untilModalPainted(press); },
        [&] { return bareOpening(&months, shown, read); }, openingTarget(club));
}

void handicapHistory(const Clubs::Club &club)
{
    // The member who played most often, current in the member list.
    const int memberId =
        Database::scalar(
            QStringLiteral("select MEMBER_ID from Score group by MEMBER_ID order by count(*) desc, MEMBER_ID limit 1"))
            .toInt();
    Form7 list;
    list.Showtable();
    list.show();
    for (int row = 1; row < list.MemberGrid->rows(); ++row) {
        if (list.memberIdOfRow(row) == memberId)
            list.MemberGrid->setRow(row);
    }
    QCoreApplication::processEvents();
    const auto press = [&list] { list.History_Click(); };
    const Shown shown = shownBy(press, &HandicapHistoryWindow::HistoryGrid);
    // The floor reads the member and the member's rounds with their competitions, the columns
    // shown; it has no chart, which the window draws besides.
    const auto read = [memberId] {
        readRows(QStringLiteral("select NAME,HURIKANA,F_HC,E_HC from Member where ID=?"), {memberId});
        readRows(QStringLiteral("select Course.CYEAR,Course.CMONTH,Course.PLAYDATE,Course.COURSENAME,Score.HC,"
                                "Score.GROSS_VAL,Score.NET_VAL,Score.NEW_HC,Score.RANK from Score inner join Course "
                                "on Score.COURSE_ID=Course.ID where Score.MEMBER_ID=?"),
                 {memberId});
    };
    Measure::compare(
        {QStringLiteral("HC history opened (%1 rounds)").arg(shown.cells.texts.size()), club.label()},
        [&] { return untilModalPainted(press); }, [&] { return bareOpening(&list, shown, read); }, {0, 50});
    list.close();
}

} // namespace

void openings(const Clubs::Club &club)
{
    Clubs::open(club);
    Form1 menu;
    menu.show();
    Form3 &months = WindowRegistry::instance().form<Form3>(&menu);
    months.show();
    QCoreApplication::processEvents();
    annualWindow(club, months);
    memberList(club, menu);
    scoreSheet(club, months);
    handicapHistory(club);
    months.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Database::close();
}

} // namespace Figures
