#include "members/gui/handicaphistorywindow.h"

#include "core/gui/errorreport.h"
#include "core/module1.h"
#include "members/handicaphistory.h"
#include "monthly/scoretext.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/widgets.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

constexpr int ColumnWidths[] = {1100, 2400, 600, 700, 700, 800, 600}; // twips

qreal timeOf(const QDate &date)
{
    return static_cast<qreal>(date.startOfDay().toMSecsSinceEpoch());
}

// The handicap played with at each round, and the edited year's first and final HC at its
// first and last day.
QChart *chartOf(const HandicapHistory::History &history, int year)
{
    auto *played = new QLineSeries;
    played->setName(QStringLiteral("HC"));
    played->setPointsVisible(true);
    for (const PlayedRound &round : history.rounds)
        played->append(timeOf(HandicapHistory::dateOf(round)), round.hc);
    auto *yearEnds = new QScatterSeries;
    yearEnds->setName(QStringLiteral("%1年度の初HC・終HC").arg(year));
    yearEnds->setMarkerSize(9);
    yearEnds->append(timeOf(QDate(year, 1, 1)), history.member.firstHc);
    yearEnds->append(timeOf(QDate(year, 12, 31)), history.member.endHc);

    auto *chart = new QChart;
    chart->addSeries(played);
    chart->addSeries(yearEnds);
    auto *time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("yyyy/M"));
    auto *handicap = new QValueAxis;
    handicap->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(handicap, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(time);
        series->attachAxis(handicap);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

} // namespace

HandicapHistoryWindow::HandicapHistoryWindow(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("HC履歴"));
    setWindowFlags(Ui::SizableWindowFlags);
    setFont(Ui::formFont());
    resize(Twips::toPixels(9600), Twips::toPixels(8400));

    Label1 = new QLabel(this);
    Chart1 = new QChartView(this);
    Chart1->setRenderHint(QPainter::Antialiasing);
    QFont regular = Ui::formFont();
    regular.setBold(false);
    HistoryGrid = new Grid(this);
    HistoryGrid->setFont(regular);
    const QStringList headers = HandicapHistory::headers();
    HistoryGrid->setCols(int(headers.size()));
    HistoryGrid->setRows(1);
    for (int column = 0; column < headers.size(); ++column) {
        HistoryGrid->setTextAt(0, column, headers.at(column));
        HistoryGrid->setColWidth(column, ColumnWidths[column]);
    }
    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Chart1, 1);
    layout->addWidget(HistoryGrid, 1);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &QDialog::close);
}

bool HandicapHistoryWindow::Showtable(int memberId)
{
    std::optional<HandicapHistory::History> history;
    if (!RunReportingErrors(this, [&] { history = HandicapHistory::of(memberId); }))
        return false;
    if (!history) {
        MessageBox::information(this, QStringLiteral("Parvela"), QStringLiteral("このメンバーは削除されています。"));
        return false;
    }
    const MemberRecord &member = history->member;
    const int year = Module1::Settings.EditYear;
    setWindowTitle(QStringLiteral("HC履歴 - %1").arg(member.name));
    Label1->setText(QStringLiteral("%1（%2）　出場 %3 回　%4年度 初HC %5　終HC %6")
                        .arg(member.name, member.kana)
                        .arg(history->rounds.size())
                        .arg(year)
                        .arg(ScoreText::number(member.firstHc), ScoreText::number(member.endHc)));

    HistoryGrid->setVisible(false);
    HistoryGrid->setRows(1);
    for (const PlayedRound &round : history->rounds) {
        HistoryGrid->addRow();
        const int row = HistoryGrid->rows() - 1;
        const QStringList texts = HandicapHistory::rowTexts(round);
        for (int column = 0; column < texts.size(); ++column)
            HistoryGrid->setTextAt(row, column, texts.at(column));
    }
    HistoryGrid->setRow(0);
    HistoryGrid->setVisible(true);

    QChart *previous = Chart1->chart();
    Chart1->setChart(chartOf(*history, year));
    delete previous;
    return true;
}
