// The annual summary: what each member's row holds, and the window that shows it.

#include "parvelatest.h"

#include "annual/annualsummary.h"
#include "annual/gui/form9.h"
#include "core/coursetable.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "monthly/gui/form3.h"
#include "platform/gui/grid.h"

#include <QPushButton>

using namespace ParvelaTest;

namespace {

constexpr int Year = 2025;

qint16 member(const QString &name, const QString &kana, double firstHc = 18, double endHc = 12.5)
{
    const qint16 id = MemberTable::insert(name, kana, QStringLiteral("1970/1/1"), firstHc);
    MemberTable::updateHcAndEndHc(id, endHc, endHc);
    return id;
}

// The year's competition of the month, made on first use.
qint16 month(int month)
{
    const std::optional<CourseRecord> course = CourseTable::firstOfMonth(Year, month);
    return course ? course->id : CourseTable::insert(Year, month, QStringLiteral("2025/%1/1").arg(month), "東");
}

void result(qint16 courseId, qint16 memberId, int gross, int rank = 0, double ob = 0)
{
    ScoreRecord score;
    score.courseId = courseId;
    score.memberId = memberId;
    score.gross = gross;
    score.ob = ob;
    const qint16 id = ScoreTable::insert(score);
    if (rank != 0)
        ScoreTable::updateNewHcAndRank(id, 10, rank);
}

AnnualRow rowOf(qint16 memberId)
{
    for (const AnnualRow &row : AnnualSummary::compute(Year, Module1::Settings)) {
        if (row.memberId == memberId)
            return row;
    }
    return {};
}

} // namespace

class TestAnnualSummary : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;

private slots:
    void init() { m_db = freshSettingsAndDatabase(Year); }
    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_db.reset();
    }

    void eligibility_data()
    {
        QTest::addColumn<QVector<int>>("ranks"); // of the months played, one after the other; 0 for no place
        QTest::addColumn<int>("optTori1");
        QTest::addColumn<int>("optTori2");
        QTest::addColumn<QString>("expected"); // months counted, points, eligibility
        QTest::newRow("every month, never placed") << QVector<int>(12) << 1 << 1 << "12 24 ○";
        // 5 × 2 + 3 × 3 + 1 = 20 points, but one month short.
        QTest::newRow("5 months, 20 points") << QVector<int>{1, 1, 1, 3, 0} << 1 << 1 << "5 20 ×";
        QTest::newRow("attendance rule off") << QVector<int>{1, 1, 1, 3, 0} << 0 << 1 << "0 20 ○";
        QTest::newRow("attendance rule 2 is off") << QVector<int>{1, 1, 1, 3, 0} << 2 << 1 << "0 20 ○";
        QTest::newRow("exactly 6 months, 13 points") << QVector<int>{0, 0, 3, 0, 0, 0} << 1 << 1 << "6 13 ○";
        QTest::newRow("6 months, 12 points") << QVector<int>(6) << 1 << 1 << "6 12 ×";
        QTest::newRow("place 4 earns attendance only") << QVector<int>{4, 0, 4, 0, 4, 0} << 1 << 1 << "6 12 ×";
        QTest::newRow("both rules off, one month") << QVector<int>{0} << 0 << 0 << "0 0 ○";
        QTest::newRow("no month played") << QVector<int>() << 1 << 1 << "0 0 none";
    }
    void eligibility()
    {
        QFETCH(QVector<int>, ranks);
        QFETCH(int, optTori1);
        QFETCH(int, optTori2);
        QFETCH(QString, expected);
        Module1::Settings.optTori1 = qint16(optTori1);
        Module1::Settings.optTori2 = qint16(optTori2);
        const qint16 who = member(QStringLiteral("佐藤"), QStringLiteral("さとう"));
        for (int index = 0; index < ranks.size(); ++index)
            result(month(index + 1), who, 90, ranks[index]);
        const AnnualRow row = rowOf(who);
        const QString eligible = row.eligible ? (*row.eligible ? QStringLiteral("○") : QStringLiteral("×")) : "none";
        QCOMPARE(QStringLiteral("%1 %2 ").arg(row.monthsPlayed).arg(row.points) + eligible, expected);
    }

    void averageRoundsHalfToEven_data()
    {
        QTest::addColumn<QVector<int>>("grosses");
        QTest::addColumn<int>("average");
        QTest::newRow("92.5") << QVector<int>({92, 93}) << 92;
        QTest::newRow("93.5") << QVector<int>({93, 94}) << 94;
        QTest::newRow("92.6") << QVector<int>({93, 93, 92, 93, 92}) << 93;
    }
    void averageRoundsHalfToEven()
    {
        QFETCH(QVector<int>, grosses);
        QFETCH(int, average);
        const qint16 who = member(QStringLiteral("鈴木"), QStringLiteral("すずき"));
        for (int index = 0; index < grosses.size(); ++index)
            result(month(index + 1), who, grosses[index]);
        QCOMPARE(int(*rowOf(who).averageGross), average);
    }

    void monthsShowTheirFirstRowsAndTotalsCountEveryRow()
    {
        const qint16 who = member(QStringLiteral("高橋"), QStringLiteral("たかはし"));
        result(month(1), who, 88, 1, 300);
        result(month(3), who, 95, 3, 100);
        result(month(3), who, 120, 1, 500); // a second row in March: the cell shows the first
        result(month(4), member(QStringLiteral("他"), QStringLiteral("た")), 80); // April missed
        result(CourseTable::insert(Year, 4, QStringLiteral("2025/4/20"), QStringLiteral("西")), who, 70, 1);
        result(CourseTable::insert(Year - 1, 1, QStringLiteral("2024/1/5"), QStringLiteral("東")), who, 60, 1);
        const QStringList texts = annualRowTexts(rowOf(who));
        QCOMPARE(texts, (QStringList{"高橋", "18", "12.5", "88", "", "95",  "",    "",   "",    "",
                                     "",     "",   "",     "",   "", "900", "101", "88", "120", "×"}));
        QCOMPARE(rowOf(who).points, qint16(2 * 2 + 3 + 1));
    }

    void theWindowShowsTheRowsWithTheirMarksAndColours()
    {
        const qint16 winner = member(QStringLiteral("渡辺"), QStringLiteral("わたなべ"));
        for (const auto &[name, kana] : {std::pair{"後藤", "がとう"}, {"河合", "かわい"}, {"加藤", "かとう"}})
            member(QString::fromUtf8(name), QString::fromUtf8(kana), 20, 20);
        result(month(1), winner, 88, 1, 2001684.3);
        result(month(2), winner, 90, 2);
        result(month(3), winner, 92, 3);
        result(month(4), winner, 94, 4);
        Form3 &months = showWindow<Form3>();
        QStringList names, winnerRow, colours;
        QImage picture;
        QPoint gridLine, beyond;
        const QString title = opens(
            [&] { months.Command3->click(); },
            [&](QWidget *modal) {
                Grid &grid = *static_cast<Form9 *>(modal)->ScoreGrid;
                names = shownColumn(grid, 0);
                for (int column = 0; column < grid.cols(); ++column)
                    winnerRow << shownText(grid, 4, column);
                for (int column = 3; column <= 7; ++column)
                    colours
                        << grid.model()->index(3, column - 1).data(Qt::BackgroundRole).value<QBrush>().color().name();
                picture = grid.viewport()->grab().toImage();
                const int column = grid.columnViewportPosition(0) + grid.columnWidth(0) - 1;
                gridLine = QPoint(column, grid.rowViewportPosition(0) + 5);
                beyond = QPoint(column - 5, grid.rowViewportPosition(3) + grid.rowHeight(3) + 5);
                return modal->windowTitle() + (QApplication::overrideCursor() ? "(hourglass)" : "");
            });
        QCOMPARE(title, QStringLiteral("年間集計 (赤…優勝 青…準優勝 黄…三位)"));
        QCOMPARE(names, (QStringList{"加藤", "後藤", "河合", "渡辺"}));
        QCOMPARE(winnerRow, (QStringList{"渡辺", "18", "12.5", "88", "90", "92",        "94", "",   "",   "",
                                         "",     "",   "",     "",   "",   "2001684.3", "91", "88", "94", "×"}));
        QCOMPARE(colours, (QStringList{"#ffc0c0", "#c0c0ff", "#ffff80", "#000000", "#000000"}));
        QCOMPARE(picture.pixelColor(gridLine), QColor(192, 192, 192));
        QCOMPARE(picture.pixelColor(beyond), QColor(128, 128, 128));
    }
};

PARVELA_TEST_MAIN(TestAnnualSummary)
#include "tst_annualsummary.moc"
