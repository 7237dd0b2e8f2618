#include "parvelatest.h"

#include "platform/gui/japanese.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPdfWriter>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

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

bool startProgram(MainMenu &menu)
{
    if (!menu.start())
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

ScoreSheetWindow &openSheet(int year, int month)
{
    auto *sheet = new ScoreSheetWindow(*CourseTable::firstOfMonth(year, month), settings(), undoHistory());
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->reload();
    showActive(sheet);
    return *sheet;
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

void enterMember(MemberDialog *dialog, const QStringList &texts)
{
    const QList<QLineEdit *> boxes = {dialog->nameEdit, dialog->kanaEdit, dialog->birthdayEdit, dialog->hcEdit};
    for (int i = 0; i < 4; ++i)
        boxes[i]->setText(texts[i].isEmpty() ? boxes[i]->text() : texts[i]);
    dialog->okButton->click();
}

QString shownText(const GridView &grid, int row, int column)
{
    const int body = column - (grid.hasFixedColumn() ? 1 : 0);
    if (row == 0 && body < 0)
        return grid.findChild<QLabel *>("gridCorner")->text();
    if (row == 0)
        return grid.model()->headerData(body, Qt::Horizontal).toString();
    if (body < 0)
        return grid.model()->headerData(row - 1, Qt::Vertical).toString();
    return grid.model()->index(row - 1, body).data().toString();
}

QStringList shownColumn(const GridView &grid, int column)
{
    QStringList texts;
    for (int row = 1; row <= grid.model()->rowCount(); ++row)
        texts << shownText(grid, row, column);
    return texts;
}

QVector<QStringList> shownTable(const GridView &grid)
{
    QVector<QStringList> rows(grid.model()->rowCount() + 1);
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < grid.columns(); ++column)
            rows[row] << shownText(grid, row, column);
    }
    return rows;
}

QList<int> highlightedRows(const GridView &grid)
{
    QList<int> rows;
    for (const QModelIndex &index : grid.selectionModel()->selectedRows())
        rows << index.row() + 1;
    std::sort(rows.begin(), rows.end());
    return rows;
}

QVector<Word> pdfWords(const QString &path, QSizeF *pageSize)
{
    QProcess process;
    process.start("pdftotext", {"-bbox", path, "-"});
    process.waitForFinished(30000);
    const QRegularExpression number("\"([\\d.]+)\"");
    QVector<Word> words;
    for (const QString &line : QString::fromUtf8(process.readAllStandardOutput()).split('\n')) {
        QVector<double> values;
        for (auto it = number.globalMatch(line); it.hasNext();)
            values << it.next().captured(1).toDouble();
        if (line.contains("<page") && pageSize)
            *pageSize = QSizeF(values.value(0), values.value(1));
        if (line.contains("<word"))
            words.append({line.section('>', 1).section('<', 0, 0),
                          QRectF(QPointF(values.at(0), values.at(1)), QPointF(values.at(2), values.at(3)))});
    }
    return words;
}

QVector<Word> drawnWords(QWidget &widget)
{
    QTemporaryDir dir;
    {
        QPdfWriter page(dir.filePath("widget.pdf"));
        page.setResolution(72);
        page.setPageSize(QPageSize(QSizeF(widget.size()), QPageSize::Point, QString(), QPageSize::ExactMatch));
        page.setPageMargins(QMarginsF());
        widget.render(&page);
    }
    return pdfWords(dir.filePath("widget.pdf"));
}

namespace {

// The part of the grid that shows the cell, and the cell's centre in it.
QWidget *cellPart(GridView &grid, int row, int column, QPoint &centre)
{
    const int body = column - (grid.hasFixedColumn() ? 1 : 0);
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

void clickCell(GridView &grid, int row, int column, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    QPoint centre;
    QWidget *part = cellPart(grid, row, column, centre);
    QTest::mouseClick(part, button, modifiers, centre);
}

void doubleClickCell(GridView &grid, int row, int column)
{
    QPoint centre;
    QWidget *part = cellPart(grid, row, column, centre);
    QTest::mouseClick(part, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(part, Qt::LeftButton, Qt::NoModifier, centre);
}

void dragRows(GridView &grid, int fromRow, int toRow)
{
    QPoint from, to;
    QWidget *part = cellPart(grid, fromRow, (grid.hasFixedColumn() ? 1 : 0), from);
    cellPart(grid, toRow, (grid.hasFixedColumn() ? 1 : 0), to);
    QTest::mousePress(part, Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(part, from + (to - from) * step / 4);
    QTest::mouseRelease(part, Qt::LeftButton, Qt::NoModifier, to);
}

void clickRow(GridView &grid, int row, Qt::KeyboardModifiers modifiers)
{
    clickCell(grid, row, (grid.hasFixedColumn() ? 1 : 0), modifiers);
}

} // namespace ParvelaTest
