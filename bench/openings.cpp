#include "figures.h"
#include "floors.h"
#include "measure.h"

#include "annual/gui/annualsummarywindow.h"
#include "core/database.h"
#include "core/gui/mainmenu.h"
#include "members/gui/handicaphistorywindow.h"
#include "members/gui/memberlistwindow.h"
#include "monthly/gui/monthwindow.h"
#include "monthly/gui/scoresheetwindow.h"
#include "platform/gui/gridview.h"

#include <QApplication>

namespace Figures {

namespace {

using Measure::untilModalPainted;

constexpr int December = 12;

// The window a press opens, as it was painted the first time: its cells and their shape.
struct Shown
{
    Floors::Cells cells;
    Floors::TableShape shape;
};

template <typename Window, typename Table>
Shown shownBy(const std::function<void()> &press, Table *Window::*table)
{
    Shown shown;
    untilModalPainted(press, [&](QWidget &opened) {
        auto &window = static_cast<Window &>(opened);
        shown.cells = Floors::cellsOf(*(window.*table));
        shown.shape = Floors::shapeOf(window, *(window.*table));
    });
    return shown;
}

// Every window opens at once for the small club; a large club's table costs what its rows cost.
Measure::Target openingTarget(const Clubs::Club &club)
{
    if (club.members <= 40)
        return {0, 50};
    return club.members >= 2000 ? Measure::Target{1.5, 0} : Measure::Target{};
}

// The floor of an opening: `read` (the rows, with the C API), the same cells handed to a bare
// table view by the least model, a bare window shown and painted. The bare window is opened
// modally over the same window as the program's.
double bareOpening(QWidget *owner, const Shown &shown, const std::function<void()> &read)
{
    return untilModalPainted([&] {
        Floors::BareWindow window(shown.shape, owner);
        read();
        window.fill(shown.cells);
        window.exec();
    });
}

void annualWindow(const Clubs::Club &club, MonthWindow &months)
{
    const auto press = [&months] { months.openAnnualSummary(); };
    const Shown shown = shownBy(press, &AnnualSummaryWindow::summaryGrid);
    const auto read = [] { Floors::readAnnualRows(Clubs::year()); };
    Measure::compare(
        {QStringLiteral("annual window opened (年間)"), club.label()}, [&] { return untilModalPainted(press); },
        [&] { return bareOpening(&months, shown, read); }, openingTarget(club));
}

void memberList(const Clubs::Club &club, MainMenu &menu)
{
    const auto press = [&menu] { menu.openMemberList(); };
    const Shown shown = shownBy(press, &MemberListWindow::memberGrid);
    const auto read = [] { Floors::readMemberRows(); };
    Measure::compare(
        {QStringLiteral("member list opened (メンバー)"), club.label()}, [&] { return untilModalPainted(press); },
        [&] { return bareOpening(&menu, shown, read); }, openingTarget(club));
}

void scoreSheet(const Clubs::Club &club, MonthWindow &months)
{
    const auto press = [&months] { months.openMonth(December); };
    const Shown shown = shownBy(press, &ScoreSheetWindow::scoreGrid);
    const auto read = [] { Floors::readSheetRows(Clubs::year(), December); };
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
    MemberListWindow list(Clubs::settings());
    list.reload();
    list.show();
    for (int row = 0; row < list.members().size(); ++row) {
        if (list.members().at(row).id == memberId)
            list.memberGrid->selectOnly(row, 0);
    }
    QCoreApplication::processEvents();
    const auto press = [&list] { list.showHistory(); };
    const Shown shown = shownBy(press, &HandicapHistoryWindow::historyGrid);
    const auto read = [memberId] { Floors::readHistoryRows(memberId); };
    Measure::compare(
        {QStringLiteral("HC history opened (%1 rounds)").arg(shown.cells.texts.size()), club.label()},
        [&] { return untilModalPainted(press); }, [&] { return bareOpening(&list, shown, read); }, {0, 50});
    list.close();
}

} // namespace

void openings(const Clubs::Club &club)
{
    Clubs::open(club);
    MainMenu menu(Clubs::settings());
    menu.show();
    menu.openMonths();
    MonthWindow &months = *menu.monthWindow();
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
