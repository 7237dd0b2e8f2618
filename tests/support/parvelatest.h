#pragma once

#include "databasefixture.h"

// What the window tests drive.
#include "annual/gui/annualsummarywindow.h"
#include "core/gui/daycopy.h"
#include "core/gui/mainmenu.h"
#include "core/gui/restoredialog.h"
#include "core/gui/settingsdialog.h"
#include "core/gui/versionwindow.h"
#include "members/gui/handicaphistorywindow.h"
#include "members/gui/memberdialog.h"
#include "members/gui/memberimportdialog.h"
#include "members/gui/memberlistwindow.h"
#include "monthly/gui/bulkadddialog.h"
#include "monthly/gui/competitiondialog.h"
#include "monthly/gui/datepicker.h"
#include "monthly/gui/monthwindow.h"
#include "monthly/gui/scoreentrydialog.h"
#include "monthly/gui/scoresheetwindow.h"
#include "platform/gui/filedialogs.h"
#include "platform/gui/gridview.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/splitbutton.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <functional>

namespace ParvelaTest {

// The application's names, the settings loaded, and message boxes answered through the seam.
void prepareApplication();

// Runs `inspect` on the next modal dialog that opens (over any already open), from inside its event loop. Record what
// the dialog shows there and close it; assert after exec() returns (a failed check inside
// would leave the dialog open).
void onNextModal(std::function<void(QWidget *)> inspect, int timeoutMs = 5000);

// onNextModal for a dialog of one kind: `inspect` gets it as that kind. Any other dialog that
// opens instead is closed unseen, so the test is not left waiting and its checks on what the
// awaited dialog showed fail instead.
template <typename Dialog, typename Inspect>
void onNextDialog(Inspect inspect, int timeoutMs = 5000)
{
    onNextModal(
        [inspect](QWidget *modal) {
            if (auto *dialog = qobject_cast<Dialog *>(modal))
                inspect(dialog);
            else
                modal->close();
        },
        timeoutMs);
}

// Presses, then returns what `inspect` made of the modal window that opened (closed afterwards
// if still open; by default its class and caption, "ScoreEntryDialog:追加"), or an empty text when none
// opened.
QString opens(const std::function<void()> &press, const std::function<QString(QWidget *)> &inspect = {});

// The program's start on the test's main menu, as main() makes it: loaded, shown, and the day's
// copy made and its outcome told. False when the start was refused.
bool startProgram(MainMenu &menu);

// Deletes the windows closed so far, as the next pass of the event loop would.
void flushDeletes();
// Ends a window test: every window closed and deleted (the next test gets fresh ones), the
// printer and file dialog seams back to the real dialogs, messages left unread dropped, then the
// database closed.
void endWindowTest(std::unique_ptr<TemporaryDatabase> &db);

// A key press as the platform reports it, {Qt key, modifiers, X key code, X key symbol}, sent to
// `target` (the window sees it first).
void sendKey(QWidget *target, const QVector<int> &key);

// Shows a window, makes it active and waits for it, so key preview and focus behave as for a
// user.
bool showActive(QWidget *window);

// A window of that kind made with these arguments, deleted when it closes, shown and active as
// the user meets it.
template <typename Window, typename... Arguments>
Window &showWindow(Arguments &&...arguments)
{
    auto *window = new Window(std::forward<Arguments>(arguments)...);
    window->setAttribute(Qt::WA_DeleteOnClose);
    showActive(window);
    return *window;
}

// A window that lists a table, given the test's settings, with its rows loaded before it shows,
// as the menus open it.
template <typename Window>
Window &showTableWindow()
{
    Window *window;
    if constexpr (std::is_constructible_v<Window, SettingsRecord &, UndoHistory &>)
        window = new Window(settings(), undoHistory());
    else
        window = new Window(settings());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->reload();
    showActive(window);
    return *window;
}

// The sheet of the month's competition, loaded and captioned as the month window opens it, and
// shown without a modal loop so the test can drive it.
ScoreSheetWindow &openSheet(int year, int month);

// Takes the messages shown so far. The text of the only one when exactly one was shown and it
// was an error; an empty text otherwise (no error of the program's is), and what was shown
// instead goes to the test's log so the failing check can be read.
QString takeOnlyError();

// Types the texts into the member dialog's four boxes (an empty text keeps the box) and presses
// OK.
void enterMember(MemberDialog *dialog, const QStringList &texts);

// What a grid shows, read from the view as the user sees it: the header row and the fixed
// column included, and the data rows highlighted (1 = the first data row).
QString shownText(const GridView &grid, int row, int column);
QStringList shownColumn(const GridView &grid, int column);
QVector<QStringList> shownTable(const GridView &grid); // every row, the header row first
QList<int> highlightedRows(const GridView &grid);

// The mouse on a cell of any part of the grid: the header row, the fixed column or the body.
void clickCell(GridView &grid, int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton);
void doubleClickCell(GridView &grid, int row, int column);
// Presses on one row, moves to the other with the button held and releases there.
void dragRows(GridView &grid, int fromRow, int toRow);
void clickRow(GridView &grid, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A word of a PDF page and its glyph box, in points from the page's top-left corner, as
// pdftotext reads them.
struct Word
{
    QString text;
    QRectF box;
};
QVector<Word> pdfWords(const QString &path, QSizeF *pageSize = nullptr);
// The widget as drawn on a PDF page of its size, one point a pixel: what it shows, word by word.
QVector<Word> drawnWords(QWidget &widget);

} // namespace ParvelaTest

// A QtTest main that isolates the settings and answers message boxes through the seam.
#define PARVELA_TEST_MAIN(TestClass)                                                                                   \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        ParvelaTest::prepareEnvironment();                                                                             \
        QApplication app(argc, argv);                                                                                  \
        ParvelaTest::prepareApplication();                                                                             \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
