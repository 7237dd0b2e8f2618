#include "figures.h"
#include "floors.h"
#include "measure.h"

#include "annual/gui/annualsummarywindow.h"
#include "core/coursetable.h"
#include "core/database.h"
#include "core/undohistory.h"
#include "members/gui/memberlistwindow.h"
#include "monthly/gui/scoresheetwindow.h"
#include "platform/gui/gridview.h"

#include <QCoreApplication>
#include <QDir>

namespace Figures {

namespace {

// The three grid windows of the club, each shown with its rows as the user opens it.
struct GridWindows
{
    GridWindows()
    {
        for (auto [window, reload] : {std::pair<QWidget *, std::function<void()>>(&annual, [this] { annual.reload(); }),
                                      {&members, [this] { members.reload(); }},
                                      {&sheet, [this] { sheet.reload(); }}}) {
            reload();
            window->show();
        }
        QCoreApplication::processEvents();
    }

    AnnualSummaryWindow annual{Clubs::settings()};
    UndoHistory history;
    MemberListWindow members{Clubs::settings(), history};
    ScoreSheetWindow sheet{*CourseTable::firstOfMonth(Clubs::year(), 12), Clubs::settings(), history};
};

// A shown window's table read again from the database and painted, as after each change the user
// makes, beside the floor: the same rows read with the C API and the same cells handed to a bare
// table of the same size by the least model, and painted.
void reload(const QString &name, const Clubs::Club &club, QWidget &window, QTableView &table,
            const std::function<void()> &reloadTable, const std::function<void()> &read)
{
    const Floors::Cells cells = Floors::cellsOf(table);
    Floors::BareWindow bare(Floors::shapeOf(window, table));
    bare.show();
    QCoreApplication::processEvents();
    Measure::compare({QStringLiteral("%1 reloaded (%2 rows)").arg(name).arg(cells.texts.size()), club.label()},
                     Measure::paintedAfter(&window, reloadTable),
                     Measure::paintedAfter(&bare,
                                           [&] {
                                               read();
                                               bare.fill(cells);
                                           }),
                     targetFor(club, 1.5));
}

void printout(const QString &name, const Clubs::Club &club, const std::function<void()> &printButton)
{
    const QString pdf = QDir(Clubs::runFolder()).filePath(QStringLiteral("printout.pdf"));
    const QString barePdf = QDir(Clubs::runFolder()).filePath(QStringLiteral("bare.pdf"));
    const Floors::Drawing drawing = Floors::record(printButton, pdf);
    // The floor draws what the print button drew, with one bare painter into a PDF file of the
    // same page: the same texts at the same places, the same rules and boxes. The demo clubs'
    // texts fit their cells, so the clipping the program does leaves the same page.
    Measure::compare(
        {QStringLiteral("%1 printout to PDF (%2 pages)").arg(name).arg(drawing.pages.size()), club.label()},
        Measure::timed(printButton), Measure::timed([&] { Floors::drawBare(drawing, barePdf); }), targetFor(club, 1.3));
}

} // namespace

void reloads(const Clubs::Club &club)
{
    Clubs::open(club);
    GridWindows windows;
    reload(
        QStringLiteral("annual window"), club, windows.annual, *windows.annual.summaryGrid,
        [&] { windows.annual.reload(); }, [] { Floors::readAnnualRows(Clubs::year()); });
    reload(
        QStringLiteral("member list"), club, windows.members, *windows.members.memberGrid,
        [&] { windows.members.reload(); }, [] { Floors::readMemberRows(); });
    reload(
        QStringLiteral("December's sheet"), club, windows.sheet, *windows.sheet.scoreGrid,
        [&] { windows.sheet.reload(); }, [] { Floors::readSheetRows(Clubs::year(), 12); });
    Database::close();
}

void printouts(const Clubs::Club &club)
{
    Clubs::open(club);
    GridWindows windows;
    printout(QStringLiteral("annual"), club, [&] { windows.annual.print(); });
    printout(QStringLiteral("member list"), club, [&] { windows.members.print(); });
    printout(QStringLiteral("December's sheet"), club, [&] { windows.sheet.print(); });
    Database::close();
}

} // namespace Figures
