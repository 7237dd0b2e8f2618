#include "annual/gui/form9.h"

#include "annual/annualsummary.h"
#include "annual/print/annualprint.h"

#include "core/gui/failedreadnotice.h"
#include "core/gui/windowplacement.h"
#include "core/module1.h"
#include "monthly/scoretext.h"
#include "platform/gui/csvexport.h"
#include "platform/gui/grid.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/splitbutton.h"
#include "platform/gui/widgets.h"

#include <QPushButton>

const QString Form9::Caption = AnnualPrint::Caption;
const QString Form9::FormName = QStringLiteral("Form9");
const QSize Form9::DesignSize(745, 377);

namespace {

constexpr int NameColumn = 0;
constexpr int FirstMonthColumn = 3;
constexpr int ObColumn = 15;
constexpr int NameWidth = 1000; // twips
constexpr int OtherWidth = 500;

QString columnHeader(int column)
{
    static const QString fixed[] = {QStringLiteral("氏名"), QStringLiteral("初HC"), QStringLiteral("終HC")};
    static const QString totals[] = {QStringLiteral("OB罰金"), QStringLiteral("平均"), QStringLiteral("最高"),
                                     QStringLiteral("最低"), QStringLiteral("資格")};
    if (column < FirstMonthColumn)
        return fixed[column];
    if (column < ObColumn)
        return QStringLiteral("%1月").arg(column - FirstMonthColumn + 1);
    return totals[column - ObColumn];
}

// The columns of the CSV copy: the name, numbers, each month's gross followed by its place's
// label, and the eligibility mark last.
Csv::Columns csvColumns()
{
    Csv::Columns columns(Form9::ColumnCount + 12, Csv::Column::Number);
    columns.first() = columns.last() = Csv::Column::Text;
    for (int month = 0; month < 12; ++month)
        columns[FirstMonthColumn + 2 * month + 1] = Csv::Column::Text;
    return columns;
}

template <typename Button>
Button *makeButton(QWidget *parent, const QString &caption, int left)
{
    auto *button = new Button(caption, parent);
    button->setGeometry(left, 344, 73, 25);
    return button;
}

} // namespace

Form9::Form9(QWidget *parent)
    : QDialog(parent)
    , m_placement(this, FormName)
{
    setWindowTitle(Caption);
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());
    resize(DesignSize);

    QFont regular = Ui::formFont();
    regular.setBold(false);
    ScoreGrid = new Grid(this);
    ScoreGrid->setFont(regular);
    ScoreGrid->setGeometry(8, 8, 729, 329);
    ScoreGrid->setGridColor(QColor(192, 192, 192));
    ScoreGrid->setBackColorBkg(QColor(128, 128, 128));
    Command5 = makeButton<SplitButton>(this, QStringLiteral("印刷"), 584);
    Command7 = makeButton<QPushButton>(this, QStringLiteral("終了"), 664);
    Command7->setAutoDefault(false);
    m_readNotice = new FailedReadNotice(ScoreGrid, {Command5});

    connect(Command5, &QToolButton::clicked, this, &Form9::Command5_Click);
    // The preview, the PDF and the CSV copy share the name proposed for the document.
    const auto documentName = [] {
        return QString::number(Module1::Settings.EditYear) + QStringLiteral("年度_年間集計");
    };
    PrintCommand::equipButton(
        *Command5, [this] { return printout(); }, documentName);
    CsvExport::addCommand(
        *Command5, documentName, [this] { return csvRecords(); }, csvColumns());
    connect(Command7, &QPushButton::clicked, this, &Form9::Command7_Click);
    new EnterPressesButtons(this);

    Form_Load();
}

void Form9::Form_Load()
{
    ScoreGrid->setFixedCols(1);
    ScoreGrid->setCols(ColumnCount);
    ScoreGrid->setRows(1);
    for (int column = 0; column < ColumnCount; ++column) {
        ScoreGrid->setTextAt(0, column, columnHeader(column));
        ScoreGrid->setColWidth(column, column == NameColumn ? NameWidth : OtherWidth);
    }
    ScoreGrid->setRow(0);
    ScoreGrid->setCol(0);

    m_placement.restore(*ScoreGrid, ColumnCount, DesignSize);
    Form_Resize();
}

void Form9::Showtable()
{
    ScoreGrid->setRows(1);
    QVector<AnnualRow> rows;
    // A failed read is reported and leaves the table empty rather than half filled.
    m_readNotice->run(this, [&] { rows = AnnualSummary::compute(Module1::Settings.EditYear, Module1::Settings); });
    const QVector<AnnualPrint::Line> lines = AnnualPrint::linesOf(rows);
    {
        const Grid::Loading loading(*ScoreGrid, static_cast<int>(lines.size()));
        for (int row = 1; row <= lines.size(); ++row)
            Addrow(row, lines.at(row - 1));
    }
}

void Form9::Addrow(int row, const AnnualPrint::Line &line)
{
    ScoreGrid->setRowTexts(row, line.texts);
    for (int month = 0; month < 12; ++month) {
        if (line.monthBackgrounds[month].isValid())
            ScoreGrid->setCellBackground(row, FirstMonthColumn + month, line.monthBackgrounds[month]);
    }
}

void Form9::Command5_Click()
{
    if (PrintCommand::run(this, printout()))
        PrintCommand::makeLastRowCurrent(*ScoreGrid);
}

PrintCommand::Printout Form9::printout() const
{
    QVector<AnnualPrint::Line> lines;
    for (const QStringList &texts : PrintCommand::rowsOf(*ScoreGrid)) {
        AnnualPrint::Line line;
        line.texts = texts;
        const int row = lines.size() + 1;
        for (int month = 0; month < 12; ++month)
            line.monthBackgrounds[month] = ScoreGrid->cellBackground(row, FirstMonthColumn + month);
        lines.append(line);
    }
    return [year = Module1::Settings.EditYear, lines, printSize = Module1::Settings.printSize](PrintCanvas &canvas) {
        AnnualPrint::printpage(canvas, year, lines, printSize);
    };
}

QVector<QStringList> Form9::csvRecords() const
{
    // A spreadsheet keeps no cell colours from a CSV file: each month's place follows its
    // gross in a column of its own, so the month columns stay numbers.
    QVector<QStringList> records = CsvExport::gridTexts(*ScoreGrid);
    for (int row = 0; row < records.size(); ++row) {
        for (int month = 11; month >= 0; --month) {
            const int column = FirstMonthColumn + month;
            const int mark = AnnualMarks::markOf(ScoreGrid->cellBackground(row, column));
            const QString place = row == 0 ? records[row].at(column) + QStringLiteral("順位")
                                           : (mark != 0 ? ScoreText::placeLabel(mark) : QString());
            records[row].insert(column + 1, place);
        }
    }
    return records;
}

void Form9::Command7_Click()
{
    close();
}

void Form9::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void Form9::Form_Resize()
{
    // A minimised or tiny window gives the grid no room rather than a negative size.
    const int buttonTop = qMax(0, height() - 32);
    Command5->move(Command5->x(), buttonTop);
    Command7->move(qMax(0, width() - 80), buttonTop);
    ScoreGrid->resize(qMax(0, width() - 16), qMax(0, height() - 48));
}

void Form9::done(int result)
{
    Form_QueryUnload();
    QDialog::done(result);
}

void Form9::Form_QueryUnload()
{
    m_placement.saveOnce();
}
