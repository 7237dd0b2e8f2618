#include "monthly/gui/scoresheetwindow.h"

#include "monthly/coursehistory.h"
#include "monthly/gui/bulkadddialog.h"
#include "monthly/gui/datepicker.h"
#include "monthly/gui/scoreentrydialog.h"
#include "monthly/print/monthsheetprint.h"
#include "monthly/ranking.h"
#include "monthly/scoretext.h"

#include "core/coursetable.h"
#include "core/gui/errorreport.h"
#include "core/gui/failedreadnotice.h"
#include "core/gui/windowplacement.h"
#include "core/gui/windowregistry.h"
#include "core/module1.h"
#include "core/numbertext.h"
#include "core/scoretable.h"
#include "platform/gui/csvexport.h"
#include "platform/gui/grid.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/splitbutton.h"
#include "platform/gui/widgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

const QString ScoreSheetWindow::PlacementName = QStringLiteral("Form4");
const QSize ScoreSheetWindow::DesignSize(545, 424);

namespace {

struct Column
{
    const char16_t *header;
    int width; // twips
};

const std::array<Column, ScoreSheetWindow::ColumnCount> Columns = {{
    {u"RANK", 600},
    {u"氏名", 2000},
    {u"HC", 500},
    {u"OB罰金", 1000},
    {u"OUT", 500},
    {u"IN", 500},
    {u"GROSS", 500},
    {u"NET", 500},
    {u"新HC", 500},
}};

QPushButton *makeButton(QWidget *parent, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ScoreSheetWindow::ScoreSheetWindow(QWidget *parent)
    : QDialog(parent)
    , m_placement(this, PlacementName)
{
    setWindowTitle(QStringLiteral("1999年1月"));
    // Maximised and minimised like the other windows with a grid.
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());

    QFont regular = Ui::formFont();
    regular.setBold(false);

    captions[0] = new QLabel(QStringLiteral("Date"), this);
    playDateEdit = new QLineEdit(this);
    playDateEdit->setFont(regular);
    playDateEdit->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
    pickDateButton = makeButton(this, QStringLiteral("..."));
    captions[1] = new QLabel(QStringLiteral("Course"), this);
    courseCombo = new QComboBox(this);
    courseCombo->setEditable(true);
    courseCombo->setInsertPolicy(QComboBox::NoInsert);
    courseCombo->setFont(regular);

    scoreGrid = new Grid(this);
    scoreGrid->setFont(regular);

    addButton = makeButton(this, QStringLiteral("追加"));
    bulkAddButton = makeButton(this, QStringLiteral("一括追加"));
    editButton = makeButton(this, QStringLiteral("編集"));
    deleteButton = makeButton(this, QStringLiteral("削除"));
    printButton = new SplitButton(QStringLiteral("印刷"), this);
    newHandicapButton = makeButton(this, QStringLiteral("新HC計算"));
    closeButton = makeButton(this, QStringLiteral("終了"));
    setEditButtons(false);
    m_readNotice = new FailedReadNotice(scoreGrid, {printButton});

    connect(addButton, &QPushButton::clicked, this, &ScoreSheetWindow::addScore);
    connect(editButton, &QPushButton::clicked, this, &ScoreSheetWindow::editCurrentRow);
    connect(deleteButton, &QPushButton::clicked, this, &ScoreSheetWindow::deleteSelectedRows);
    connect(newHandicapButton, &QPushButton::clicked, this, &ScoreSheetWindow::calculateNewHandicaps);
    connect(printButton, &QToolButton::clicked, this, &ScoreSheetWindow::print);
    // The preview, the PDF and the CSV copy share the name proposed for the document.
    const auto documentName = [this] { return windowTitle() + QStringLiteral("_月例会"); };
    PrintCommand::equipButton(
        *printButton, [this] { return printout(); }, documentName);
    CsvExport::addCommand(*printButton, documentName, [this] { return CsvExport::gridTexts(*scoreGrid); });
    connect(pickDateButton, &QPushButton::clicked, this, &ScoreSheetWindow::pickDate);
    connect(closeButton, &QPushButton::clicked, this, &ScoreSheetWindow::storeAndClose);
    connect(bulkAddButton, &QPushButton::clicked, this, &ScoreSheetWindow::bulkAdd);
    connect(scoreGrid, &Grid::SelChange, this, &ScoreSheetWindow::updateEditButtons);
    connect(scoreGrid, &Grid::DblClick, this, &ScoreSheetWindow::editDoubleClickedRow);
    connect(scoreGrid, &Grid::MouseDown, this, &ScoreSheetWindow::addOnRightButton);
    new EnterPressesButtons(this);

    // Form_Load.
    courseCombo->addItems(CourseHistory::names());
    courseCombo->setCurrentIndex(-1);
    courseCombo->clearEditText();

    scoreGrid->setFixedCols(1);
    scoreGrid->setCols(ColumnCount);
    scoreGrid->setRows(1);
    for (int column = 0; column < ColumnCount; ++column) {
        scoreGrid->setTextAt(0, column, QString::fromUtf16(Columns[column].header));
        scoreGrid->setColWidth(column, Columns[column].width);
    }
    scoreGrid->setRow(0);

    resize(DesignSize);
    m_placement.restore(*scoreGrid, ColumnCount, DesignSize);
    layOut();
}

void ScoreSheetWindow::showCompetition(QWidget *owner, const CourseRecord &course)
{
    Module1::CurrentCourseId = course.id;
    ScoreSheetWindow &sheet = WindowRegistry::instance().form<ScoreSheetWindow>(owner);
    sheet.setWindowTitle(QStringLiteral("%1年%2月").arg(Module1::Settings.EditYear).arg(Module1::CurrentMonth));
    sheet.playDateEdit->setText(course.playDate);
    sheet.courseCombo->setEditText(course.courseName);
    sheet.reload();
    sheet.exec();
}

void ScoreSheetWindow::setEditButtons(bool enabled)
{
    editButton->setEnabled(enabled);
    deleteButton->setEnabled(enabled);
}

void ScoreSheetWindow::reload()
{
    loadRows([] { return ScoreTable::sheetRows(Module1::CurrentCourseId); });
}

void ScoreSheetWindow::loadRows(const std::function<QVector<ScoreRecord>()> &read)
{
    // Emptying the grid leaves no row current or selected, so edit and delete disarm.
    scoreGrid->setRows(1);
    m_rows.clear();
    m_readNotice->run(this, [&] { m_rows = read(); });
    {
        const Grid::Loading loading(*scoreGrid, static_cast<int>(m_rows.size()));
        for (int row = 1; row <= m_rows.size(); ++row)
            addRow(row, m_rows.at(row - 1));
    }
}

void ScoreSheetWindow::addRow(int row, const ScoreRecord &score)
{
    scoreGrid->setRowTexts(row, ScoreText::sheetRowTexts(score, row));
}

void ScoreSheetWindow::addScore()
{
    ScoreEntryDialog &entry = WindowRegistry::instance().form<ScoreEntryDialog>(this);
    entry.setWindowTitle(ScoreEntryDialog::AddCaption);
    entry.exec();
}

void ScoreSheetWindow::editCurrentRow()
{
    const int row = scoreGrid->row();
    if (!scoreGrid->hasSelectedRow() || row > m_rows.size())
        return;
    // The row highlighted is the row edited, found by its own ID: a name may since belong to
    // another member, or to two rows.
    const QString name = m_rows.at(row - 1).memberName;
    std::optional<ScoreRecord> score;
    if (!RunReportingErrors(this, [&] { score = ScoreTable::byId(m_rows.at(row - 1).id); }) || !score)
        return;
    Module1::EditScoreId = score->id;
    Module1::EditMemberId = static_cast<qint16>(score->memberId);

    ScoreEntryDialog &entry = WindowRegistry::instance().form<ScoreEntryDialog>(this);
    entry.memberCombo->clear();
    entry.memberCombo->addItem(name, score->memberId);
    entry.memberCombo->setCurrentIndex(0);
    entry.hcEdit->setText(NumberText::plain(score->hc));
    const bool allZero = score->out == 0 && score->in == 0 && score->ob == 0;
    entry.obEdit->setText(allZero ? QString() : NumberText::plain(score->ob));
    entry.outEdit->setText(score->out != 0 ? QString::number(score->out) : QString());
    entry.inEdit->setText(score->out != 0 ? QString::number(score->in) : QString());
    entry.grossEdit->setText(QString::number(score->gross));
    entry.netEdit->setText(NumberText::plain(score->net));
    entry.newHcEdit->setText(NumberText::plain(score->newHc));
    entry.setWindowTitle(ScoreEntryDialog::EditCaption);
    entry.exec();
}

void ScoreSheetWindow::deleteSelectedRows()
{
    if (!scoreGrid->hasSelectedRow())
        return;
    // Exactly the block the user sees selected goes, or on an error none of it.
    const int from = scoreGrid->firstSelectedRow();
    const int to = qMin(scoreGrid->lastSelectedRow(), static_cast<int>(m_rows.size()));
    QVector<qint16> ids;
    for (int row = from; row <= to; ++row)
        ids.append(m_rows.at(row - 1).id);
    if (ids.isEmpty())
        return;
    Module1::EditScoreId = ids.last();
    RunReportingErrors(this, [&] { ScoreTable::removeAll(ids); });
    reload();
}

void ScoreSheetWindow::pickDate()
{
    playDateEdit->setText(Module1::PickDate(playDateEdit->text(), this));
}

void ScoreSheetWindow::storeAndClose()
{
    const QString date = playDateEdit->text();
    const QString name = courseCombo->currentText();
    // An unwritable settings file is told once, by the placement saved as the sheet closes.
    const bool stored = RunReportingErrors(this, [&] {
        CourseHistory::remember(name);
        CourseTable::updateDateAndName(Module1::CurrentCourseId, date, name);
    });
    // When the date and course could not be stored the sheet stays open, so nothing typed is
    // lost without the user knowing.
    if (stored)
        close();
}

void ScoreSheetWindow::bulkAdd()
{
    BulkAddDialog &selection = WindowRegistry::instance().form<BulkAddDialog>(this);
    selection.reload();
    selection.exec();
}

void ScoreSheetWindow::updateEditButtons()
{
    // Armed exactly while a data row is selected, however it was selected.
    setEditButtons(scoreGrid->hasSelectedRow());
}

void ScoreSheetWindow::editDoubleClickedRow()
{
    if (scoreGrid->row() >= 1)
        editCurrentRow();
}

void ScoreSheetWindow::addOnRightButton(int button)
{
    if (button == 2)
        addScore();
}

void ScoreSheetWindow::keyPressEvent(QKeyEvent *event)
{
    // 終了 is the cancel button: Esc stores date and course like a click on it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        closeButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ScoreSheetWindow::closeEvent(QCloseEvent *event)
{
    storePlacement();
    QDialog::closeEvent(event);
}

void ScoreSheetWindow::storePlacement()
{
    m_placement.saveOnce();
}

void ScoreSheetWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOut();
}

void ScoreSheetWindow::layOut()
{
    // A minimised or tiny window would give negative sizes: clamp everything at 0.
    const int width = qMax(0, this->width());
    const int height = qMax(0, this->height());
    const int buttonTop = qMax(0, height - 32);
    addButton->setGeometry(8, buttonTop, 57, 25);
    bulkAddButton->setGeometry(72, buttonTop, 65, 25);
    editButton->setGeometry(144, buttonTop, 57, 25);
    deleteButton->setGeometry(208, buttonTop, 57, 25);
    printButton->setGeometry(312, buttonTop, 57, 25);
    newHandicapButton->setGeometry(376, buttonTop, 73, 25);
    closeButton->setGeometry(qMax(0, width - 80), buttonTop, 73, 25);
    scoreGrid->setGeometry(8, 24, qMax(0, width - 16), qMax(0, height - 64));
    captions[0]->setGeometry(8, 4, 30, 16);
    playDateEdit->setGeometry(40, 2, 97, 20);
    pickDateButton->setGeometry(139, 2, 20, 20);
    captions[1]->setGeometry(qMax(0, width - 217), 4, 45, 16);
    courseCombo->setGeometry(qMax(0, width - 169), 2, 161, 20);
}

void ScoreSheetWindow::print()
{
    if (PrintCommand::run(this, printout()))
        PrintCommand::makeLastRowCurrent(*scoreGrid);
}

PrintCommand::Printout ScoreSheetWindow::printout() const
{
    return [caption = windowTitle(), date = playDateEdit->text(), course = courseCombo->currentText(),
            rows = PrintCommand::rowsOf(*scoreGrid), printSize = Module1::Settings.printSize](PrintCanvas &canvas) {
        MonthSheetPrint::printpage(canvas, caption, date, course, rows, printSize);
    };
}

void ScoreSheetWindow::calculateNewHandicaps()
{
    WaitCursor hourglass;
    QVector<ScoreRecord> sheet;
    const bool calculated = RunReportingErrors(this, [&] {
        sheet = Ranking::calculateMonth(Module1::CurrentCourseId, Module1::CurrentMonth, Module1::Settings.EditYear,
                                        Module1::Settings);
    });
    // The calculation gives the sheet as it now reads, so it need not be read again; after a
    // failure the sheet shows what is stored.
    if (calculated)
        loadRows([&sheet] { return sheet; });
    else
        reload();
}
