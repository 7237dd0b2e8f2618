#include "members/gui/handicaphistorywindow.h"

#include "core/gui/errorreport.h"
#include "core/numbertext.h"
#include "members/handicaphistory.h"
#include "monthly/scoretext.h"
#include "platform/gui/gridview.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/tablewindow.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>

namespace {

qreal timeOf(const QDate &date)
{
    return static_cast<qreal>(date.startOfDay().toMSecsSinceEpoch());
}

// The handicap played with at each round, and the edited year's first and final HC at its
// first and last day, over axes that hold every point clear of the frame.
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
    const HandicapHistory::ChartAxes axes = HandicapHistory::chartAxes(history, year);
    auto *time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("yyyy/M"));
    auto *handicap = new QValueAxis;
    handicap->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(handicap, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(time);
        series->attachAxis(handicap);
    }
    // Attaching a series fits the axes to it: the ranges are set after.
    time->setRange(axes.firstDay.startOfDay(), axes.lastDay.startOfDay());
    handicap->setRange(axes.lowestHc, axes.highestHc);
    handicap->setTickCount(axes.hcTicks());
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

} // namespace

HandicapHistoryWindow::HandicapHistoryWindow(int editYear, QWidget *parent)
    : QDialog(parent)
    , m_editYear(editYear)
    , m_rounds(HandicapHistory::headers(), false,
               [](const PlayedRound &round, int, int column) { return HandicapHistory::cellText(round, column); })
{
    TableWindow::setUp(*this, QStringLiteral("HC履歴"), 9600, 8400);
    summaryLabel = new QLabel(this);
    chartView = new QChartView(this);
    chartView->setRenderHint(QPainter::Antialiasing);
    historyGrid = TableWindow::makeGrid(this, &m_rounds, {1100, 2400, 600, 700, 700, 800, 600});
    closeButton = TableWindow::makeButton(this, QStringLiteral("閉じる"));
    TableWindow::layOut(*this, summaryLabel, {chartView, historyGrid}, {closeButton});

    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

bool HandicapHistoryWindow::load(int memberId)
{
    std::optional<HandicapHistory::History> history;
    if (!RunReportingErrors(this, [&] { history = HandicapHistory::of(memberId); }))
        return false;
    if (!history) {
        MessageBox::information(this, QStringLiteral("Parvela"), QStringLiteral("このメンバーは削除されています。"));
        return false;
    }
    const MemberRecord &member = history->member;
    const int year = m_editYear;
    setWindowTitle(QStringLiteral("HC履歴 - %1").arg(member.name));
    summaryLabel->setText(QStringLiteral("%1（%2）　出場 %3 回　%4年度 初HC %5　終HC %6")
                              .arg(member.name, member.kana)
                              .arg(history->rounds.size())
                              .arg(year)
                              .arg(NumberText::plain(member.firstHc), NumberText::plain(member.endHc)));

    m_rounds.setRows(history->rounds);
    historyGrid->widenColumnsToContents();

    QChart *previous = chartView->chart();
    chartView->setChart(chartOf(*history, year));
    delete previous;
    return true;
}
