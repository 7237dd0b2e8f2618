#include "annual/gui/annualsummarywindow.h"

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

const QString AnnualSummaryWindow::Caption = AnnualPrint::Caption;
const QString AnnualSummaryWindow::PlacementName = QStringLiteral("Form9");
const QSize AnnualSummaryWindow::DesignSize(745, 377);

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

template <typename Button>
Button *makeButton(QWidget *parent, const QString &caption, int left)
{
    auto *button = new Button(caption, parent);
    button->setGeometry(left, 344, 73, 25);
    return button;
}

} // namespace

AnnualSummaryWindow::AnnualSummaryWindow(QWidget *parent)
    : QDialog(parent)
    , m_placement(this, PlacementName)
{
    setWindowTitle(Caption);
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());
    resize(DesignSize);

    QFont regular = Ui::formFont();
    regular.setBold(false);
    summaryGrid = new Grid(this);
    summaryGrid->setFont(regular);
    summaryGrid->setGeometry(8, 8, 729, 329);
    summaryGrid->setGridColor(QColor(192, 192, 192));
    summaryGrid->setBackColorBkg(QColor(128, 128, 128));
    printButton = makeButton<SplitButton>(this, QStringLiteral("印刷"), 584);
    closeButton = makeButton<QPushButton>(this, QStringLiteral("終了"), 664);
    closeButton->setAutoDefault(false);
    m_readNotice = new FailedReadNotice(summaryGrid, {printButton});

    connect(printButton, &QToolButton::clicked, this, &AnnualSummaryWindow::print);
    // The preview, the PDF and the CSV copy share the name proposed for the document.
    const auto documentName = [] {
        return QString::number(Module1::Settings.EditYear) + QStringLiteral("年度_年間集計");
    };
    PrintCommand::equipButton(
        *printButton, [this] { return printout(); }, documentName);
    CsvExport::addCommand(*printButton, documentName, [this] { return csvRecords(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    new EnterPressesButtons(this);

    setUpGrid();
}

void AnnualSummaryWindow::setUpGrid()
{
    summaryGrid->setFixedCols(1);
    summaryGrid->setCols(ColumnCount);
    summaryGrid->setRows(1);
    for (int column = 0; column < ColumnCount; ++column) {
        summaryGrid->setTextAt(0, column, columnHeader(column));
        summaryGrid->setColWidth(column, column == NameColumn ? NameWidth : OtherWidth);
    }
    summaryGrid->setRow(0);
    summaryGrid->setCol(0);

    m_placement.restore(*summaryGrid, ColumnCount, DesignSize);
    layOut();
}

void AnnualSummaryWindow::reload()
{
    summaryGrid->setRows(1);
    QVector<AnnualRow> rows;
    // A failed read is reported and leaves the table empty rather than half filled.
    m_readNotice->run(this, [&] { rows = AnnualSummary::compute(Module1::Settings.EditYear, Module1::Settings); });
    const QVector<AnnualPrint::Line> lines = AnnualPrint::linesOf(rows);
    {
        const Grid::Loading loading(*summaryGrid, static_cast<int>(lines.size()));
        for (int row = 1; row <= lines.size(); ++row)
            addRow(row, lines.at(row - 1));
    }
}

void AnnualSummaryWindow::addRow(int row, const AnnualPrint::Line &line)
{
    summaryGrid->setRowTexts(row, line.texts);
    for (int month = 0; month < 12; ++month) {
        if (line.monthBackgrounds[month].isValid())
            summaryGrid->setCellBackground(row, FirstMonthColumn + month, line.monthBackgrounds[month]);
    }
}

void AnnualSummaryWindow::print()
{
    if (PrintCommand::run(this, printout()))
        PrintCommand::makeLastRowCurrent(*summaryGrid);
}

PrintCommand::Printout AnnualSummaryWindow::printout() const
{
    QVector<AnnualPrint::Line> lines;
    for (const QStringList &texts : PrintCommand::rowsOf(*summaryGrid)) {
        AnnualPrint::Line line;
        line.texts = texts;
        const int row = lines.size() + 1;
        for (int month = 0; month < 12; ++month)
            line.monthBackgrounds[month] = summaryGrid->cellBackground(row, FirstMonthColumn + month);
        lines.append(line);
    }
    return [year = Module1::Settings.EditYear, lines, printSize = Module1::Settings.printSize](PrintCanvas &canvas) {
        AnnualPrint::printpage(canvas, year, lines, printSize);
    };
}

QVector<QStringList> AnnualSummaryWindow::csvRecords() const
{
    // A spreadsheet keeps no cell colours from a CSV file: each month's place follows its
    // gross in a column of its own, so the month columns stay numbers.
    QVector<QStringList> records = CsvExport::gridTexts(*summaryGrid);
    for (int row = 0; row < records.size(); ++row) {
        for (int month = 11; month >= 0; --month) {
            const int column = FirstMonthColumn + month;
            const int mark = AnnualMarks::markOf(summaryGrid->cellBackground(row, column));
            const QString place = row == 0 ? records[row].at(column) + QStringLiteral("順位")
                                           : (mark != 0 ? ScoreText::placeLabel(mark) : QString());
            records[row].insert(column + 1, place);
        }
    }
    return records;
}

void AnnualSummaryWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOut();
}

void AnnualSummaryWindow::layOut()
{
    // A minimised or tiny window gives the grid no room rather than a negative size.
    const int buttonTop = qMax(0, height() - 32);
    printButton->move(printButton->x(), buttonTop);
    closeButton->move(qMax(0, width() - 80), buttonTop);
    summaryGrid->resize(qMax(0, width() - 16), qMax(0, height() - 48));
}

void AnnualSummaryWindow::done(int result)
{
    storePlacement();
    QDialog::done(result);
}

void AnnualSummaryWindow::storePlacement()
{
    m_placement.saveOnce();
}
