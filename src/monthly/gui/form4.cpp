#include "monthly/gui/form4.h"

#include "monthly/coursehistory.h"
#include "monthly/gui/form10.h"
#include "monthly/gui/form12.h"
#include "monthly/gui/form5.h"
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

const QString Form4::FormName = QStringLiteral("Form4");
const QSize Form4::DesignSize(545, 424);

namespace {

struct Column
{
    const char16_t *header;
    int width; // twips
};

const std::array<Column, Form4::ColumnCount> Columns = {{
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

Form4::Form4(QWidget *parent)
    : QDialog(parent)
    , m_placement(this, FormName)
{
    setWindowTitle(QStringLiteral("1999年1月"));
    // Maximised and minimised like the other windows with a grid.
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());

    QFont regular = Ui::formFont();
    regular.setBold(false);

    Label1[0] = new QLabel(QStringLiteral("Date"), this);
    boxDate = new QLineEdit(this);
    boxDate->setFont(regular);
    boxDate->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
    Command6 = makeButton(this, QStringLiteral("..."));
    Label1[1] = new QLabel(QStringLiteral("Course"), this);
    boxCourse = new QComboBox(this);
    boxCourse->setEditable(true);
    boxCourse->setInsertPolicy(QComboBox::NoInsert);
    boxCourse->setFont(regular);

    ScoreGrid = new Grid(this);
    ScoreGrid->setFont(regular);

    Command1 = makeButton(this, QStringLiteral("追加"));
    Command8 = makeButton(this, QStringLiteral("一括追加"));
    Command2 = makeButton(this, QStringLiteral("編集"));
    Command3 = makeButton(this, QStringLiteral("削除"));
    Command5 = new SplitButton(QStringLiteral("印刷"), this);
    Command4 = makeButton(this, QStringLiteral("新HC計算"));
    Command7 = makeButton(this, QStringLiteral("終了"));
    setEditButtons(false);
    m_readNotice = new FailedReadNotice(ScoreGrid, {Command5});

    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form4::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form4::Command4_Click);
    connect(Command5, &QToolButton::clicked, this, &Form4::Command5_Click);
    // The preview, the PDF and the CSV copy share the name proposed for the document.
    const auto documentName = [this] { return windowTitle() + QStringLiteral("_月例会"); };
    PrintCommand::equipButton(
        *Command5, [this] { return printout(); }, documentName);
    // The place's label and the name, then numbers.
    Csv::Columns csvColumns(ColumnCount, Csv::Column::Number);
    csvColumns[0] = csvColumns[1] = Csv::Column::Text;
    CsvExport::addCommand(
        *Command5, documentName, [this] { return CsvExport::gridTexts(*ScoreGrid); }, csvColumns);
    connect(Command6, &QPushButton::clicked, this, &Form4::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form4::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Form4::Command8_Click);
    connect(ScoreGrid, &Grid::SelChange, this, &Form4::ScoreGrid_SelChange);
    connect(ScoreGrid, &Grid::DblClick, this, &Form4::ScoreGrid_DblClick);
    connect(ScoreGrid, &Grid::MouseDown, this, &Form4::ScoreGrid_MouseDown);
    new EnterPressesButtons(this);

    // Form_Load.
    boxCourse->addItems(CourseHistory::names());
    boxCourse->setCurrentIndex(-1);
    boxCourse->clearEditText();

    ScoreGrid->setFixedCols(1);
    ScoreGrid->setCols(ColumnCount);
    ScoreGrid->setRows(1);
    for (int column = 0; column < ColumnCount; ++column) {
        ScoreGrid->setTextAt(0, column, QString::fromUtf16(Columns[column].header));
        ScoreGrid->setColWidth(column, Columns[column].width);
    }
    ScoreGrid->setRow(0);

    resize(DesignSize);
    m_placement.restore(*ScoreGrid, ColumnCount, DesignSize);
    Form_Resize();
}

void Form4::ShowCompetition(QWidget *owner, const CourseRecord &course)
{
    Module1::CurrentCourseId = course.id;
    Form4 &sheet = WindowRegistry::instance().form<Form4>(owner);
    sheet.setWindowTitle(QStringLiteral("%1年%2月").arg(Module1::Settings.EditYear).arg(Module1::CurrentMonth));
    sheet.boxDate->setText(course.playDate);
    sheet.boxCourse->setEditText(course.courseName);
    sheet.Showtable();
    sheet.exec();
}

void Form4::setEditButtons(bool enabled)
{
    Command2->setEnabled(enabled);
    Command3->setEnabled(enabled);
}

void Form4::Showtable()
{
    loadRows([] { return ScoreTable::sheetRows(Module1::CurrentCourseId); });
}

void Form4::loadRows(const std::function<QVector<ScoreRecord>()> &read)
{
    // Emptying the grid leaves no row current or selected, so edit and delete disarm.
    ScoreGrid->setRows(1);
    m_rows.clear();
    m_readNotice->run(this, [&] { m_rows = read(); });
    {
        const Grid::Loading loading(*ScoreGrid, static_cast<int>(m_rows.size()));
        for (int row = 1; row <= m_rows.size(); ++row)
            Addrow(row, m_rows.at(row - 1));
    }
}

void Form4::Addrow(int row, const ScoreRecord &score)
{
    ScoreGrid->setRowTexts(row, ScoreText::sheetRowTexts(score, row));
}

void Form4::Command1_Click()
{
    Form5 &entry = WindowRegistry::instance().form<Form5>(this);
    entry.setWindowTitle(Form5::AddCaption);
    entry.exec();
}

void Form4::Command2_Click()
{
    const int row = ScoreGrid->row();
    if (!ScoreGrid->hasSelectedRow() || row > m_rows.size())
        return;
    // The row highlighted is the row edited, found by its own ID: a name may since belong to
    // another member, or to two rows.
    const QString name = m_rows.at(row - 1).memberName;
    std::optional<ScoreRecord> score;
    if (!RunReportingErrors(this, [&] { score = ScoreTable::byId(m_rows.at(row - 1).id); }) || !score)
        return;
    Module1::EditScoreId = score->id;
    Module1::EditMemberId = static_cast<qint16>(score->memberId);

    Form5 &entry = WindowRegistry::instance().form<Form5>(this);
    entry.Combo1->clear();
    entry.Combo1->addItem(name, score->memberId);
    entry.Combo1->setCurrentIndex(0);
    entry.Text1->setText(NumberText::plain(score->hc));
    const bool allZero = score->out == 0 && score->in == 0 && score->ob == 0;
    entry.Text2->setText(allZero ? QString() : NumberText::plain(score->ob));
    entry.Text3->setText(score->out != 0 ? QString::number(score->out) : QString());
    entry.Text4->setText(score->out != 0 ? QString::number(score->in) : QString());
    entry.Text5->setText(QString::number(score->gross));
    entry.Text6->setText(NumberText::plain(score->net));
    entry.Text7->setText(NumberText::plain(score->newHc));
    entry.setWindowTitle(Form5::EditCaption);
    entry.exec();
}

void Form4::Command3_Click()
{
    if (!ScoreGrid->hasSelectedRow())
        return;
    // Exactly the block the user sees selected goes, or on an error none of it.
    const int from = ScoreGrid->firstSelectedRow();
    const int to = qMin(ScoreGrid->lastSelectedRow(), static_cast<int>(m_rows.size()));
    QVector<qint16> ids;
    for (int row = from; row <= to; ++row)
        ids.append(m_rows.at(row - 1).id);
    if (ids.isEmpty())
        return;
    Module1::EditScoreId = ids.last();
    RunReportingErrors(this, [&] { ScoreTable::removeAll(ids); });
    Showtable();
}

void Form4::Command6_Click()
{
    boxDate->setText(Module1::PickDate(boxDate->text(), this));
}

void Form4::Command7_Click()
{
    const QString date = boxDate->text();
    const QString name = boxCourse->currentText();
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

void Form4::Command8_Click()
{
    Form12 &selection = WindowRegistry::instance().form<Form12>(this);
    selection.Showtable();
    selection.exec();
}

void Form4::ScoreGrid_SelChange()
{
    // Armed exactly while a data row is selected, however it was selected.
    setEditButtons(ScoreGrid->hasSelectedRow());
}

void Form4::ScoreGrid_DblClick()
{
    if (ScoreGrid->row() >= 1)
        Command2_Click();
}

void Form4::ScoreGrid_MouseDown(int button)
{
    if (button == 2)
        Command1_Click();
}

void Form4::keyPressEvent(QKeyEvent *event)
{
    // 終了 is the cancel button: Esc stores date and course like a click on it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        Command7->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form4::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    QDialog::closeEvent(event);
}

void Form4::Form_QueryUnload()
{
    m_placement.saveOnce();
}

void Form4::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void Form4::Form_Resize()
{
    // A minimised or tiny window would give negative sizes: clamp everything at 0.
    const int width = qMax(0, this->width());
    const int height = qMax(0, this->height());
    const int buttonTop = qMax(0, height - 32);
    Command1->setGeometry(8, buttonTop, 57, 25);
    Command8->setGeometry(72, buttonTop, 65, 25);
    Command2->setGeometry(144, buttonTop, 57, 25);
    Command3->setGeometry(208, buttonTop, 57, 25);
    Command5->setGeometry(312, buttonTop, 57, 25);
    Command4->setGeometry(376, buttonTop, 73, 25);
    Command7->setGeometry(qMax(0, width - 80), buttonTop, 73, 25);
    ScoreGrid->setGeometry(8, 24, qMax(0, width - 16), qMax(0, height - 64));
    Label1[0]->setGeometry(8, 4, 30, 16);
    boxDate->setGeometry(40, 2, 97, 20);
    Command6->setGeometry(139, 2, 20, 20);
    Label1[1]->setGeometry(qMax(0, width - 217), 4, 45, 16);
    boxCourse->setGeometry(qMax(0, width - 169), 2, 161, 20);
}

void Form4::Command5_Click()
{
    if (PrintCommand::run(this, printout()))
        PrintCommand::makeLastRowCurrent(*ScoreGrid);
}

PrintCommand::Printout Form4::printout() const
{
    return [caption = windowTitle(), date = boxDate->text(), course = boxCourse->currentText(),
            rows = PrintCommand::rowsOf(*ScoreGrid), printSize = Module1::Settings.printSize](PrintCanvas &canvas) {
        MonthSheetPrint::printpage(canvas, caption, date, course, rows, printSize);
    };
}

void Form4::Command4_Click()
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
        Showtable();
}
