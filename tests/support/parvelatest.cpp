#include "parvelatest.h"

#include "platform/gui/japanese.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>

namespace ParvelaTest {

void prepareApplication()
{
    prepareCoreApplication();
    useJapanese();
    MessageBox::setAnswering(true);
}

void onNextModal(std::function<void(QWidget *)> inspect, int timeoutMs)
{
    auto *timer = new QTimer;
    QElapsedTimer clock;
    clock.start();
    // A dialog already open (the one under test) is not the one awaited.
    QPointer<QWidget> alreadyOpen = QApplication::activeModalWidget();
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        const bool opened = modal && modal != alreadyOpen;
        if (opened || clock.hasExpired(timeoutMs)) {
            timer->stop();
            timer->deleteLater();
        }
        if (opened)
            inspect(modal);
    });
    timer->start(10);
}

QString opens(const std::function<void()> &press, const std::function<QString(QWidget *)> &inspect)
{
    QString seen;
    onNextModal(
        [&](QWidget *modal) {
            QPointer<QWidget> guard(modal);
            seen = inspect ? inspect(modal)
                           : QString::fromLatin1(modal->metaObject()->className()) + ':' + modal->windowTitle();
            if (guard && guard->isVisible())
                guard->close();
        },
        500);
    press();
    if (seen.isEmpty())
        QTest::qWait(600); // nothing opened: let the wait for it run out
    return seen;
}

bool startProgram(Form1 &menu)
{
    if (!menu.Form_Load())
        return false;
    menu.show();
    const DayCopy *copy = menu.findChild<DayCopy *>();
    return copy && QTest::qWaitFor([copy] { return copy->isFinished(); }, 30000);
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void endWindowTest(std::unique_ptr<TemporaryDatabase> &db)
{
    PrintCommand::setChooser({});
    PrintCommand::setCanvasFactory({});
    FileDialogs::setAnswer({});
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
    flushDeletes();
    MessageBox::takeShown();
    db.reset();
}

void sendKey(QWidget *target, const QVector<int> &key)
{
    QKeyEvent press(QEvent::KeyPress, key.value(0), Qt::KeyboardModifiers(key.value(1)), quint32(key.value(2)),
                    quint32(key.value(3)), 0);
    QApplication::sendEvent(target, &press);
}

bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

Form4 &openSheet(int year, int month)
{
    const CourseRecord course = *CourseTable::firstOfMonth(year, month);
    Module1::CurrentCourseId = course.id;
    Module1::CurrentMonth = static_cast<qint16>(month);
    Form4 &sheet = WindowRegistry::instance().form<Form4>();
    sheet.setWindowTitle(QStringLiteral("%1年%2月").arg(year).arg(month));
    sheet.boxDate->setText(course.playDate);
    sheet.boxCourse->setEditText(course.courseName);
    sheet.Showtable();
    showActive(&sheet);
    return sheet;
}

QString takeOnlyError()
{
    const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
    if (shown.size() == 1 && shown.first().icon == QMessageBox::Critical)
        return shown.first().text;
    qWarning("%d messages shown where one error was expected", int(shown.size()));
    for (const MessageBox::Shown &message : shown)
        qWarning("icon %d: %s", int(message.icon), qPrintable(message.text));
    return {};
}

void enterMember(Form8 *dialog, const QStringList &texts)
{
    const QList<QLineEdit *> boxes = {dialog->Text1, dialog->Text2, dialog->Text3, dialog->Text4};
    for (int i = 0; i < 4; ++i)
        boxes[i]->setText(texts[i].isEmpty() ? boxes[i]->text() : texts[i]);
    dialog->Command1->click();
}

QString shownText(const Grid &grid, int row, int column)
{
    const int body = column - grid.fixedCols();
    if (row == 0 && body < 0)
        return grid.findChild<QLabel *>("gridCorner")->text();
    if (row == 0)
        return grid.model()->headerData(body, Qt::Horizontal).toString();
    if (body < 0)
        return grid.model()->headerData(row - 1, Qt::Vertical).toString();
    return grid.model()->index(row - 1, body).data().toString();
}

QStringList shownColumn(const Grid &grid, int column)
{
    QStringList texts;
    for (int row = 1; row < grid.rows(); ++row)
        texts << shownText(grid, row, column);
    return texts;
}

QVector<QStringList> shownTable(const Grid &grid)
{
    QVector<QStringList> rows(grid.rows());
    for (int row = 0; row < grid.rows(); ++row) {
        for (int column = 0; column < grid.cols(); ++column)
            rows[row] << shownText(grid, row, column);
    }
    return rows;
}

QList<int> highlightedRows(const Grid &grid)
{
    QList<int> rows;
    for (const QModelIndex &index : grid.selectionModel()->selectedRows())
        rows << index.row() + 1;
    std::sort(rows.begin(), rows.end());
    return rows;
}

namespace {

// The part of the grid that shows the cell, and the cell's centre in it.
QWidget *cellPart(Grid &grid, int row, int column, QPoint &centre)
{
    const int body = column - grid.fixedCols();
    QHeaderView *across = grid.horizontalHeader();
    QHeaderView *down = grid.verticalHeader();
    const int x = body < 0 ? down->width() / 2 : across->sectionViewportPosition(body) + across->sectionSize(body) / 2;
    const int y =
        row == 0 ? across->height() / 2 : down->sectionViewportPosition(row - 1) + down->sectionSize(row - 1) / 2;
    centre = QPoint(x, y);
    if (row == 0 && body < 0)
        return grid.findChild<QLabel *>("gridCorner");
    if (row == 0)
        return across->viewport();
    return body < 0 ? down->viewport() : grid.viewport();
}

} // namespace

void clickCell(Grid &grid, int row, int column, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    QPoint centre;
    QWidget *part = cellPart(grid, row, column, centre);
    QTest::mouseClick(part, button, modifiers, centre);
}

void doubleClickCell(Grid &grid, int row, int column)
{
    QPoint centre;
    QWidget *part = cellPart(grid, row, column, centre);
    QTest::mouseClick(part, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(part, Qt::LeftButton, Qt::NoModifier, centre);
}

void dragRows(Grid &grid, int fromRow, int toRow)
{
    QPoint from, to;
    QWidget *part = cellPart(grid, fromRow, grid.fixedCols(), from);
    cellPart(grid, toRow, grid.fixedCols(), to);
    QTest::mousePress(part, Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(part, from + (to - from) * step / 4);
    QTest::mouseRelease(part, Qt::LeftButton, Qt::NoModifier, to);
}

void clickRow(Grid &grid, int row, Qt::KeyboardModifiers modifiers)
{
    clickCell(grid, row, grid.fixedCols(), modifiers);
}

} // namespace ParvelaTest
