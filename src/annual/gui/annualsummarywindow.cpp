#include "annual/gui/annualsummarywindow.h"

#include "annual/annualsummary.h"
#include "annual/print/annualprint.h"

#include "core/gui/failedreadnotice.h"
#include "core/gui/windowplacement.h"
#include "core/settingsrecord.h"
#include "monthly/scoretext.h"
#include "platform/gui/csvexport.h"
#include "platform/gui/gridview.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/splitbutton.h"
#include "platform/gui/widgets.h"

#include <QPushButton>

const QString AnnualSummaryWindow::Caption = AnnualPrint::Caption;
const QString AnnualSummaryWindow::PlacementName = QStringLiteral("Form9");
const QSize AnnualSummaryWindow::DesignSize(745, 377);

namespace {

constexpr int NameWidth = 1000; // twips
constexpr int OtherWidth = 500;

QString textOf(const AnnualRow &row, int, int column)
{
    return annualCellText(row, column);
}

// A placed month's tint; the others keep the plain background.
QColor backgroundOf(const AnnualRow &row, int column)
{
    const int month = column - AnnualColumns::FirstMonth;
    return month >= 0 && month < 12 ? AnnualMarks::colorOf(row.monthMark[static_cast<std::size_t>(month)]) : QColor();
}

// The columns of the CSV copy: the name, numbers, each month's gross followed by its place's
// label, and the eligibility mark last.
Csv::Columns csvColumns()
{
    Csv::Columns columns(AnnualColumns::Count + 12, Csv::Column::Number);
    columns.first() = columns.last() = Csv::Column::Text;
    for (int month = 0; month < 12; ++month)
        columns[AnnualColumns::FirstMonth + 2 * month + 1] = Csv::Column::Text;
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

AnnualSummaryWindow::AnnualSummaryWindow(const SettingsRecord &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_rows(annualHeaders(), true, textOf, backgroundOf)
    , m_placement(this, PlacementName)
{
    setWindowTitle(Caption);
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());
    resize(DesignSize);

    QFont regular = Ui::formFont();
    regular.setBold(false);
    summaryGrid = new GridView(this);
    summaryGrid->setFont(regular);
    summaryGrid->setGeometry(8, 8, 729, 329);
    summaryGrid->setGridColor(QColor(192, 192, 192));
    summaryGrid->setBackgroundBeyondCells(QColor(128, 128, 128));
    summaryGrid->setModel(&m_rows);
    summaryGrid->setFixedColumn(m_rows.headers().first());
    for (int column = 0; column < AnnualColumns::Count; ++column)
        summaryGrid->setColumnTwips(column, column == 0 ? NameWidth : OtherWidth);
    printButton = makeButton<SplitButton>(this, QStringLiteral("印刷"), 584);
    closeButton = makeButton<QPushButton>(this, QStringLiteral("終了"), 664);
    closeButton->setAutoDefault(false);
    m_readNotice = new FailedReadNotice(summaryGrid, {printButton});

    connect(printButton, &QToolButton::clicked, this, &AnnualSummaryWindow::print);
    // The preview, the PDF and the CSV copy share the name proposed for the document.
    const auto documentName = [this] { return QString::number(m_settings.editYear) + QStringLiteral("年度_年間集計"); };
    PrintCommand::equipButton(
        *printButton, [this] { return printout(); }, documentName);
    CsvExport::addCommand(
        *printButton, documentName, [this] { return csvRecords(); }, csvColumns());
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    new EnterPressesButtons(this);

    m_placement.restore(*summaryGrid, AnnualColumns::Count, DesignSize);
    layOut();
}

void AnnualSummaryWindow::reload()
{
    QVector<AnnualRow> rows;
    // A failed read is reported and leaves the table empty rather than half filled.
    m_readNotice->run(this, [&] { rows = AnnualSummary::compute(m_settings.editYear, m_settings); });
    m_rows.setRows(std::move(rows));
}

void AnnualSummaryWindow::print()
{
    if (PrintCommand::run(this, printout()))
        PrintCommand::makeLastRowCurrent(*summaryGrid);
}

PrintCommand::Printout AnnualSummaryWindow::printout() const
{
    return [year = m_settings.editYear, lines = AnnualPrint::linesOf(rows()), printScale = m_settings.printScale](
               PrintCanvas &canvas) { AnnualPrint::drawCopy(canvas, year, lines, printScale); };
}

QVector<QStringList> AnnualSummaryWindow::csvRecords() const
{
    // A spreadsheet keeps no cell colours from a CSV file: each month's place follows its
    // gross in a column of its own, so the month columns stay numbers.
    QVector<QStringList> records = m_rows.texts();
    for (int row = 0; row < records.size(); ++row) {
        for (int month = 11; month >= 0; --month) {
            const int column = AnnualColumns::FirstMonth + month;
            const int mark = row == 0 ? 0 : rows().at(row - 1).monthMark[static_cast<std::size_t>(month)];
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
    m_placement.saveOnce();
    QDialog::done(result);
}
