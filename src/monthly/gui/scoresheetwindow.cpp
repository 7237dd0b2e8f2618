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
#include "core/gui/undocommands.h"
#include "core/gui/windowplacement.h"
#include "core/scoretable.h"
#include "core/settingsrecord.h"
#include "core/undohistory.h"
#include "platform/gui/csvexport.h"
#include "platform/gui/gridview.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/splitbutton.h"
#include "platform/gui/widgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

const QString ScoreSheetWindow::PlacementName = QStringLiteral("Form4");
const QSize ScoreSheetWindow::DesignSize(545, 424);

namespace {

const std::array<int, ScoreText::SheetColumns> ColumnTwips = {600, 2000, 500, 1000, 500, 500, 500, 500, 500};
// Wide enough for two prizes, 「ベスグロ・BB」.
constexpr int PrizeColumnTwips = 1200;
// The prize column comes after the sheet's own.
constexpr int PrizeColumn = ScoreText::SheetColumns;

QStringList captionsFor(const SidePrizes::Rules &rules)
{
    QStringList captions = {QStringLiteral("RANK"),   QStringLiteral("氏名"), QStringLiteral("HC"),
                            QStringLiteral("OB罰金"), QStringLiteral("OUT"),  QStringLiteral("IN"),
                            QStringLiteral("GROSS"),  QStringLiteral("NET"),  QStringLiteral("新HC")};
    if (rules.any())
        captions << QStringLiteral("賞");
    return captions;
}

// The first row is the winner's: place 1.
QString textOf(const ScoreRecord &score, int row, int column)
{
    return ScoreText::sheetCellText(score, row + 1, column);
}

QPushButton *makeButton(QWidget *parent, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ScoreSheetModel::ScoreSheetModel(const SidePrizes::Rules &rules)
    : RowsModel<ScoreRecord>(captionsFor(rules), true, textOf)
    , m_rules(rules)
{
}

void ScoreSheetModel::setSheet(QVector<ScoreRecord> rows)
{
    m_prizes = SidePrizes::award(rows, m_rules);
    setRows(std::move(rows));
}

QString ScoreSheetModel::text(int row, int column) const
{
    return column == PrizeColumn ? SidePrizes::text(m_prizes.at(row)) : RowsModel<ScoreRecord>::text(row, column);
}

ScoreSheetWindow::ScoreSheetWindow(const CourseRecord &competition, const SettingsRecord &settings,
                                   UndoHistory &history, QWidget *parent)
    : QDialog(parent)
    , m_competition(competition)
    , m_settings(settings)
    , m_history(history)
    , m_rows(settings.sidePrizes)
    , m_placement(this, PlacementName)
{
    setWindowTitle(QStringLiteral("%1年%2月").arg(competition.year).arg(competition.month));
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

    scoreGrid = new GridView(this);
    scoreGrid->setFont(regular);
    scoreGrid->setModel(&m_rows);
    scoreGrid->setFixedColumn(m_rows.headers().first());
    for (int column = 0; column < ScoreText::SheetColumns; ++column)
        scoreGrid->setColumnTwips(column, ColumnTwips[column]);
    const bool prizeColumn = settings.sidePrizes.any();
    if (prizeColumn)
        scoreGrid->setColumnTwips(PrizeColumn, PrizeColumnTwips);

    addButton = new SplitButton(QStringLiteral("追加"), this);
    bulkAddButton = makeButton(this, QStringLiteral("一括追加"));
    editButton = makeButton(this, QStringLiteral("編集"));
    deleteButton = makeButton(this, QStringLiteral("削除"));
    printButton = new SplitButton(QStringLiteral("印刷"), this);
    newHandicapButton = makeButton(this, QStringLiteral("新HC計算"));
    closeButton = makeButton(this, QStringLiteral("終了"));
    updateEditButtons();
    m_readNotice = new FailedReadNotice(scoreGrid, {printButton});
    undoCommands = new UndoCommands(this, history, nullptr, scoreGrid);
    addButton->menu()->addActions({undoCommands->undoAction, undoCommands->redoAction});
    connect(&history, &UndoHistory::recordsRestored, this, &ScoreSheetWindow::showRestored);

    connect(addButton, &QToolButton::clicked, this, &ScoreSheetWindow::addScore);
    connect(editButton, &QPushButton::clicked, this, &ScoreSheetWindow::editCurrentRow);
    connect(deleteButton, &QPushButton::clicked, this, &ScoreSheetWindow::deleteSelectedRows);
    connect(newHandicapButton, &QPushButton::clicked, this, &ScoreSheetWindow::calculateNewHandicaps);
    connect(printButton, &QToolButton::clicked, this, &ScoreSheetWindow::print);
    // The preview, the PDF and the CSV copy share the name proposed for the document.
    const auto documentName = [this] { return windowTitle() + QStringLiteral("_月例会"); };
    PrintCommand::equipButton(
        *printButton, [this] { return printout(); }, documentName);
    // The place's label and the name, then numbers.
    Csv::Columns csvColumns(ScoreText::SheetColumns, Csv::Column::Number);
    csvColumns[0] = csvColumns[1] = Csv::Column::Text;
    CsvExport::addCommand(
        *printButton, documentName, [this] { return m_rows.texts(); }, csvColumns);
    connect(pickDateButton, &QPushButton::clicked, this, &ScoreSheetWindow::pickDate);
    connect(closeButton, &QPushButton::clicked, this, &ScoreSheetWindow::storeAndClose);
    connect(bulkAddButton, &QPushButton::clicked, this, &ScoreSheetWindow::bulkAdd);
    connect(scoreGrid, &GridView::highlightChanged, this, &ScoreSheetWindow::updateEditButtons);
    connect(scoreGrid, &GridView::rowDoubleClicked, this, &ScoreSheetWindow::editCurrentRow);
    connect(scoreGrid, &GridView::rightButtonPressed, this, &ScoreSheetWindow::addScore);
    new EnterPressesButtons(this);

    courseCombo->addItems(CourseHistory::names());
    courseCombo->setCurrentIndex(-1);
    courseCombo->clearEditText();
    playDateEdit->setText(competition.playDate);
    courseCombo->setEditText(competition.courseName);

    resize(DesignSize);
    if (prizeColumn)
        m_placement.keepColumnWidth(PrizeColumn, SettingKeys::PrizeColumnWidth);
    m_placement.restore(*scoreGrid, ScoreText::SheetColumns, DesignSize);
    layOut();
}

void ScoreSheetWindow::updateEditButtons()
{
    // Armed exactly while a data row is selected, however it was selected.
    const bool enabled = scoreGrid->currentRowSelected();
    editButton->setEnabled(enabled);
    deleteButton->setEnabled(enabled);
}

void ScoreSheetWindow::reload()
{
    loadRows([this] { return ScoreTable::sheetRows(m_competition.id); });
}

void ScoreSheetWindow::loadRows(const std::function<QVector<ScoreRecord>()> &read)
{
    // A reload leaves no row current or selected, so edit and delete disarm.
    QVector<ScoreRecord> rows;
    m_readNotice->run(this, [&] { rows = read(); });
    m_rows.setSheet(std::move(rows));
}

void ScoreSheetWindow::addScore()
{
    // The members already on the sheet are not offered.
    QStringList entered;
    for (const ScoreRecord &score : rows())
        entered << score.memberName;
    ScoreRecord row;
    row.courseId = m_competition.id;
    ScoreEntryDialog entry(EntryMode::Add, row, entered, this);
    bool accepted = false;
    RunAsStep(
        this, m_history, [&] { accepted = entry.exec() == QDialog::Accepted; },
        [&] { return StepName({entry.memberCombo->currentText()}, QStringLiteral("追加")); });
    if (accepted)
        reload();
}

void ScoreSheetWindow::editCurrentRow()
{
    if (!scoreGrid->currentRowSelected())
        return;
    // The row highlighted is the row edited, found by its own ID: a name may since belong to
    // another member, or to two rows.
    std::optional<ScoreRecord> score;
    if (!RunReportingErrors(this, [&] { score = ScoreTable::byId(rows().at(scoreGrid->currentRow()).id); }) || !score)
        return;
    ScoreEntryDialog entry(EntryMode::Edit, *score, {}, this);
    bool accepted = false;
    RunAsStep(
        this, m_history, [&] { accepted = entry.exec() == QDialog::Accepted; },
        [&] { return StepName({score->memberName}, QStringLiteral("編集")); });
    if (accepted)
        reload();
}

void ScoreSheetWindow::deleteSelectedRows()
{
    const std::optional<GridView::Block> block = scoreGrid->highlightedBlock();
    if (!block)
        return;
    // Exactly the block the user sees selected goes, or on an error none of it.
    QVector<qint16> ids;
    QStringList names;
    for (int row = block->first; row <= block->last; ++row) {
        ids.append(rows().at(row).id);
        names.append(rows().at(row).memberName);
    }
    RunAsStep(
        this, m_history, [&] { ScoreTable::removeAll(ids); }, [&] { return StepName(names, QStringLiteral("削除")); });
    reload();
}

void ScoreSheetWindow::bulkAdd()
{
    BulkAddDialog selection(m_competition.id, this);
    bool accepted = false;
    RunAsStep(
        this, m_history, [&] { accepted = selection.exec() == QDialog::Accepted; },
        [this] { return QStringLiteral("%1月の一括追加").arg(m_competition.month); });
    if (accepted)
        reload();
}

void ScoreSheetWindow::showRestored()
{
    std::optional<CourseRecord> stored;
    if (!RunReportingErrors(this, [&] { stored = CourseTable::firstOfMonth(m_competition.year, m_competition.month); }))
        return;
    // Its rows would belong to no competition: closed without storing date and course.
    if (!stored || stored->id != m_competition.id) {
        close();
        return;
    }
    playDateEdit->setText(stored->playDate);
    courseCombo->setEditText(stored->courseName);
    reload();
}

void ScoreSheetWindow::pickDate()
{
    playDateEdit->setText(
        DatePicker::pickPlayDate(playDateEdit->text(), m_competition.year, m_competition.month, this));
}

void ScoreSheetWindow::storeAndClose()
{
    const QString date = playDateEdit->text();
    const QString name = courseCombo->currentText();
    // A date stored before is not asked about again.
    if (date != m_competition.playDate
        && !DatePicker::confirmPlayDate(this, *playDateEdit, m_competition.year, m_competition.month))
        return;
    // An unwritable settings file is told once, by the placement saved as the sheet closes.
    const bool stored = RunReportingErrors(this, [&] {
        CourseHistory::remember(name);
        m_history.record(QStringLiteral("%1月のプレイ日とコースの変更").arg(m_competition.month),
                         [&] { CourseTable::updateDateAndName(m_competition.id, date, name); });
    });
    // When the date and course could not be stored the sheet stays open, so nothing typed is
    // lost without the user knowing.
    if (stored)
        close();
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
    m_placement.saveOnce();
    QDialog::closeEvent(event);
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
    QVector<QStringList> texts = m_rows.texts();
    texts.removeFirst(); // the header row: the printout has its own
    return [caption = windowTitle(), date = playDateEdit->text(), course = courseCombo->currentText(), texts,
            printScale = m_settings.printScale, prizes = m_settings.sidePrizes.any()](PrintCanvas &canvas) {
        MonthSheetPrint::drawCopy(canvas, caption, date, course, texts, printScale, prizes);
    };
}

void ScoreSheetWindow::calculateNewHandicaps()
{
    WaitCursor hourglass;
    QVector<ScoreRecord> sheet;
    const bool calculated = RunReportingErrors(this, [&] {
        m_history.record(QStringLiteral("%1月の新HC計算").arg(m_competition.month), [&] {
            sheet = Ranking::calculateMonth(m_competition.id, m_competition.month, m_competition.year, m_settings);
        });
    });
    // The calculation gives the sheet as it now reads, so it need not be read again; after a
    // failure the sheet shows what is stored.
    if (calculated)
        loadRows([&sheet] { return sheet; });
    else
        reload();
}
