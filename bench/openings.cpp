#include "figures.h"
#include "floors.h"
#include "measure.h"

#include "annual/gui/annualsummarywindow.h"
#include "core/database.h"
#include "core/gui/mainmenu.h"
#include "core/settingsstore.h"
#include "core/undohistory.h"
#include "members/gui/handicaphistorywindow.h"
#include "members/gui/memberlistwindow.h"
#include "monthly/gui/monthwindow.h"
#include "monthly/gui/scoresheetwindow.h"
#include "platform/gui/gridview.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QSettings>

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

// A table window the user opens with a button of `owner`.
template <typename Window>
struct Opened
{
    QString name;
    QWidget *owner;
    std::function<void()> press;
    GridView *Window::*grid;
    std::function<void()> read; // the rows, for the floor
};

template <typename Window>
Shown opening(const Clubs::Club &club, const Opened<Window> &opened)
{
    const Shown shown = shownBy(opened.press, opened.grid);
    Measure::compare(
        {QStringLiteral("%1 opened").arg(opened.name), club.label()}, [&] { return untilModalPainted(opened.press); },
        [&] { return bareOpening(opened.owner, shown, opened.read); }, targetFor(club, 1.5));
    return shown;
}

// Closing the window with 終了 once it has been painted, until it has gone and the button that
// opened it has returned; its placement and column widths are then stored. The floor is the same
// cells in a bare window, closed by writing the keys the window's close wrote, with their values,
// with one QSettings and one sync: the settings file cannot come out the same with less, as every
// write of it replaces the whole file.
template <typename Window>
void closing(const Clubs::Club &club, const Opened<Window> &opened, const Shown &shown)
{
    const auto close = [](QWidget &window) { static_cast<Window &>(window).closeButton->click(); };
    // The keys are what a close leaves in a settings file that had none.
    QFile::remove(SettingsStore::fileName());
    Measure::untilModalClosed(opened.press, close);
    QVector<std::pair<QString, QVariant>> keys;
    {
        const QSettings stored(SettingsStore::fileName(), QSettings::IniFormat);
        for (const QString &key : stored.allKeys())
            keys.append({key, stored.value(key)});
    }
    const auto bareClose = [&keys](QWidget &window) {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Parvela"),
                        QStringLiteral("Parvela"));
        for (const auto &[key, value] : keys)
            store.setValue(key, value);
        store.sync();
        static_cast<QDialog &>(window).reject();
    };
    Measure::compare(
        {QStringLiteral("%1 closed (%2 keys)").arg(opened.name).arg(keys.size()), club.label()},
        [&] { return Measure::untilModalClosed(opened.press, close); },
        [&] {
            return Measure::untilModalClosed(
                [&] {
                    Floors::BareWindow window(shown.shape, opened.owner);
                    window.fill(shown.cells);
                    window.exec();
                },
                bareClose);
        },
        targetFor(club, 1.3));
}

// The three table windows whose placement is stored: each opened, then closed.
void openedAndClosed(const Clubs::Club &club, MainMenu &menu, MonthWindow &months)
{
    const Opened<AnnualSummaryWindow> annual{
        QStringLiteral("annual window (年間)"), &months, [&months] { months.openAnnualSummary(); },
        &AnnualSummaryWindow::summaryGrid, [] { Floors::readAnnualRows(Clubs::year()); }};
    closing(club, annual, opening(club, annual));
    const Opened<MemberListWindow> members{QStringLiteral("member list (メンバー)"), &menu,
                                           [&menu] { menu.openMemberList(); }, &MemberListWindow::memberGrid,
                                           [] { Floors::readMemberRows(); }};
    closing(club, members, opening(club, members));
    const Opened<ScoreSheetWindow> sheet{QStringLiteral("December's sheet (12月)"), &months,
                                         [&months] { months.openMonth(December); }, &ScoreSheetWindow::scoreGrid,
                                         [] { Floors::readSheetRows(Clubs::year(), December); }};
    closing(club, sheet, opening(club, sheet));
}

// The window draws the member's handicaps as a chart besides the table, which the floor does not:
// its time is held to what the user should not notice, not to a ratio.
void handicapHistory(const Clubs::Club &club)
{
    // The member who played most often, current in the member list.
    const int memberId =
        Database::scalar(
            QStringLiteral("select MEMBER_ID from Score group by MEMBER_ID order by count(*) desc, MEMBER_ID limit 1"))
            .toInt();
    UndoHistory history;
    MemberListWindow list(Clubs::settings(), history);
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
    openedAndClosed(club, menu, months);
    handicapHistory(club);
    months.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Database::close();
}

} // namespace Figures
