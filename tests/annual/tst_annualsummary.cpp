// The annual summary: what each member's row holds, and the window that shows it.

#include "parvelatest.h"

using namespace ParvelaTest;

namespace {

constexpr int Year = 2025;

qint16 member(const QString &name, const QString &kana)
{
    const qint16 id = MemberTable::insert(name, kana, "1970/1/1", 18);
    MemberTable::updateHcAndEndHc(id, 12.5, 12.5);
    return id;
}

// The year's first competition of the month, made on first use.
qint16 month(int month)
{
    const std::optional<CourseRecord> course = CourseTable::firstOfMonth(Year, month);
    return course ? course->id : CourseTable::insert(Year, month, QStringLiteral("2025/%1/1").arg(month), "東");
}

void result(qint16 courseId, qint16 memberId, int gross, int rank = 0, double ob = 0)
{
    addScore(courseId, memberId, QString(), 0, gross, 0, ob, rank, 10);
}

AnnualRow rowOf(qint16 memberId)
{
    const QVector<AnnualRow> rows = AnnualSummary::compute(Year, settings());
    return rows.value(std::find_if(rows.begin(), rows.end(), [&](auto &row) { return row.memberId == memberId; })
                      - rows.begin());
}

} // namespace

class TestAnnualSummary : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;

private slots:
    void init() { m_db = freshSettingsAndDatabase(Year); }
    void cleanup() { endWindowTest(m_db); }

    // Eligibility (○ or ×, as the window shows it) and average gross, from the places of the
    // months played one after the other (0: no place) and their grosses (none given: 90 each),
    // under the two rules (at least 6 months; at least 13 points: 2 a month, 3, 2, 1 for a place).
    void eligibilityAndAverage()
    {
        using Case = std::tuple<QVector<int>, int, int, QVector<int>, const char *>;
        for (const auto &[ranks, optTori1, optTori2, grosses, expected] : std::initializer_list<Case>{
                 {QVector<int>(12), 1, 1, {}, "○ 90"},   // every month, never placed: 24 points
                 {{1, 1, 1, 3, 0}, 1, 1, {}, "× 90"},    // 20 points, but one month short
                 {{1, 1, 1, 3, 0}, 0, 1, {}, "○ 90"},    // the attendance rule off
                 {{1, 1, 1, 3, 0}, 2, 1, {}, "○ 90"},    // a rule is on only at 1
                 {{0, 0, 3, 0, 0, 0}, 1, 1, {}, "○ 90"}, // 6 months and 13 points: both just enough
                 {QVector<int>(6), 1, 1, {}, "× 90"},    // 12 points
                 {{4, 0, 4, 0, 4, 0}, 1, 1, {}, "× 90"}, // place 4 earns attendance only
                 {{0}, 0, 0, {}, "○ 90"},                // both rules off, one month
                 {{}, 1, 1, {}, "none none"},
                 {QVector<int>(2), 1, 1, {92, 93}, "× 92"},
                 {QVector<int>(2), 1, 1, {93, 94}, "× 94"},
                 {QVector<int>(5), 1, 1, {93, 93, 92, 93, 92}, "× 93"}}) {
            settings().attendanceRule = qint16(optTori1);
            settings().pointsRule = qint16(optTori2);
            const qint16 who = member("佐藤", "さとう"); // a member of their own each
            for (int index = 0; index < ranks.size(); ++index)
                result(month(index + 1), who, grosses.value(index, 90), ranks[index]);
            const AnnualRow row = rowOf(who);
            const QString eligible = row.eligible ? (*row.eligible ? "○" : "×") : "none";
            const QString average = row.averageGross ? QString::number(*row.averageGross) : "none";
            QCOMPARE(eligible + ' ' + average, QString::fromUtf8(expected));
        }
    }

    // A month's cell shows the member's first row of the month's first competition, coloured by
    // its place; the totals count every row of the year.
    void theWindowShowsTheRowsWithTheirMarksAndColours()
    {
        const qint16 who = member("高橋", "たかはし");
        result(month(1), who, 88, 1, 2001684.3);
        result(month(2), who, 90, 2);
        result(month(3), who, 95, 3, 100);
        result(month(3), who, 120, 1, 500); // a second row in March
        result(month(4), member("他", "た"), 80);
        result(CourseTable::insert(Year, 4, "2025/4/20", "西"), who, 70, 1);
        result(month(5), who, 94, 4);
        result(CourseTable::insert(Year - 1, 1, "2024/1/5", "東"), who, 60, 1);
        MonthWindow &months = showWindow<MonthWindow>(settings());
        QStringList names, row, colours;
        const QString title = opens(
            [&] { months.annualButton->click(); },
            [&](QWidget *modal) {
                GridView &grid = *static_cast<AnnualSummaryWindow *>(modal)->summaryGrid;
                names = shownColumn(grid, 0);
                row = shownTable(grid)[2];
                for (int column = 3; column <= 7; ++column)
                    colours
                        << grid.model()->index(1, column - 1).data(Qt::BackgroundRole).value<QBrush>().color().name();
                return modal->windowTitle() + (QApplication::overrideCursor() ? "(hourglass)" : "");
            });
        QCOMPARE(title, "年間集計 (赤…優勝 青…準優勝 黄…三位)");
        QCOMPARE(names, (QStringList{"他", "高橋"}));
        QCOMPARE(row, (QStringList{"高橋", "18", "12.5", "88", "90", "95",        "",   "94", "",    "",
                                   "",     "",   "",     "",   "",   "2002284.3", "97", "88", "120", "×"}));
        QCOMPARE(colours, (QStringList{"#ffc0c0", "#c0c0ff", "#ffff80", "#000000", "#000000"}));
    }
};

PARVELA_TEST_MAIN(TestAnnualSummary)
#include "tst_annualsummary.moc"
