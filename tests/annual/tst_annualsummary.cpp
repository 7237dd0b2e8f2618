// The annual summary: what each member's row holds, and the window that shows it.

#include "../platform/printchecks.h"
#include "parvelatest.h"

#include "annual/annualsummary.h"
#include "annual/gui/form9.h"
#include "core/coursetable.h"
#include "core/database.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "core/settingsstore.h"
#include "monthly/gui/form3.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"

#include <QPushButton>
#include <QScreen>

#include <memory>

namespace {

constexpr int Year = 2025;

qint16 member(const QString &name, const QString &kana, double firstHc = 18, double endHc = 12.5)
{
    const qint16 id = MemberTable::insert(name, kana, QStringLiteral("1970/1/1"), firstHc);
    MemberTable::updateHcAndEndHc(id, endHc, endHc);
    return id;
}

// The year's competition of each month, made on first use.
class Year2025
{
public:
    qint16 month(int month)
    {
        qint16 &id = m_ids[month - 1];
        if (id == 0)
            id = CourseTable::insert(Year, month, QStringLiteral("%1/%2/1").arg(Year).arg(month), QStringLiteral("東"));
        return id;
    }

private:
    std::array<qint16, 12> m_ids = {};
};

qint16 result(qint16 courseId, qint16 memberId, int gross, int rank = 0, double ob = 0)
{
    ScoreRecord score;
    score.courseId = courseId;
    score.memberId = memberId;
    score.memberName = MemberTable::byId(memberId)->name;
    score.out = gross / 2;
    score.in = gross - gross / 2;
    score.gross = gross;
    score.ob = ob;
    const qint16 id = ScoreTable::insert(score);
    if (rank != 0)
        ScoreTable::updateNewHcAndRank(id, 10, rank);
    return id;
}

// Plays the given months with gross 90, each placed as `ranks` says (0 for no place).
void playMonths(Year2025 &year, qint16 memberId, const QVector<int> &months, const QVector<int> &ranks = {})
{
    for (int index = 0; index < months.size(); ++index)
        result(year.month(months[index]), memberId, 90, ranks.value(index));
}

AnnualRow rowOf(qint16 memberId)
{
    for (const AnnualRow &row : AnnualSummary::compute(Year, Module1::Settings)) {
        if (row.memberId == memberId)
            return row;
    }
    qFatal("member %d missing from the summary", memberId);
}

QString eligibilityMark(const AnnualRow &row)
{
    if (!row.eligible)
        return QStringLiteral("none");
    return *row.eligible ? QStringLiteral("○") : QStringLiteral("×");
}

} // namespace

class TestAnnualSummary : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    Form9 &openSummary() { return ParvelaTest::showTableWindow<Form9>(); }

    static void closeAndDelete(QWidget &window)
    {
        window.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void init() { m_db = ParvelaTest::freshSettingsAndDatabase(Year); }
    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_db.reset();
    }

    void eligibility_data()
    {
        QTest::addColumn<QVector<int>>("months");
        QTest::addColumn<QVector<int>>("ranks");
        QTest::addColumn<int>("optTori1");
        QTest::addColumn<int>("optTori2");
        QTest::addColumn<int>("monthsPlayed");
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("expected");
        const QVector<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        QTest::newRow("every month, never placed") << all << QVector<int>() << 1 << 1 << 12 << 24 << "○";
        // 5 × 2 + 3 × 3 + 1 = 20 points, but one month short.
        const QVector<int> five = {1, 2, 3, 4, 5};
        const QVector<int> placed = {1, 1, 1, 3, 0};
        QTest::newRow("5 months, 20 points") << five << placed << 1 << 1 << 5 << 20 << "×";
        QTest::newRow("5 months, attendance rule off") << five << placed << 0 << 1 << 0 << 20 << "○";
        QTest::newRow("attendance rule 2 is off") << five << placed << 2 << 1 << 0 << 20 << "○";
        const QVector<int> six = {2, 4, 6, 8, 10, 12};
        QTest::newRow("exactly 6 months and 13 points")
            << six << QVector<int>({0, 0, 3, 0, 0, 0}) << 1 << 1 << 6 << 13 << "○";
        QTest::newRow("6 months, 12 points") << six << QVector<int>() << 1 << 1 << 6 << 12 << "×";
        QTest::newRow("rank 4 and 0 earn attendance only")
            << six << QVector<int>({4, 0, 4, 0, 4, 0}) << 1 << 1 << 6 << 12 << "×";
        QTest::newRow("both rules off, one month") << QVector<int>({7}) << QVector<int>() << 0 << 0 << 0 << 0 << "○";
        QTest::newRow("no month played") << QVector<int>() << QVector<int>() << 1 << 1 << 0 << 0 << "none";
    }
    void eligibility()
    {
        QFETCH(QVector<int>, months);
        QFETCH(QVector<int>, ranks);
        QFETCH(int, optTori1);
        QFETCH(int, optTori2);
        QFETCH(int, monthsPlayed);
        QFETCH(int, points);
        QFETCH(QString, expected);
        Module1::Settings.optTori1 = static_cast<qint16>(optTori1);
        Module1::Settings.optTori2 = static_cast<qint16>(optTori2);
        Year2025 year;
        const qint16 who = member(QStringLiteral("佐藤"), QStringLiteral("さとう"));
        playMonths(year, who, months, ranks);
        const AnnualRow row = rowOf(who);
        QCOMPARE(int(row.monthsPlayed), monthsPlayed);
        QCOMPARE(int(row.points), points);
        QCOMPARE(eligibilityMark(row), expected);
        QCOMPARE(row.obTotal.isValid(), !months.isEmpty());
        QCOMPARE(row.averageGross.has_value(), !months.isEmpty());
    }

    void averageRoundsHalfToEven_data()
    {
        QTest::addColumn<QVector<int>>("grosses");
        QTest::addColumn<int>("average");
        QTest::newRow("92.5") << QVector<int>({92, 93}) << 92;
        QTest::newRow("93.5") << QVector<int>({93, 94}) << 94;
        QTest::newRow("92.4") << QVector<int>({92, 92, 92, 92, 92, 93, 93, 92, 92, 92}) << 92;
        QTest::newRow("92.6") << QVector<int>({93, 93, 92, 93, 92}) << 93;
    }
    void averageRoundsHalfToEven()
    {
        QFETCH(QVector<int>, grosses);
        QFETCH(int, average);
        Year2025 year;
        const qint16 who = member(QStringLiteral("鈴木"), QStringLiteral("すずき"));
        for (int index = 0; index < grosses.size(); ++index)
            result(year.month(index + 1), who, grosses[index]);
        QCOMPARE(int(*rowOf(who).averageGross), average);
    }

    void monthsAndTotalsFollowTheFirstRows()
    {
        Year2025 year;
        const qint16 who = member(QStringLiteral("高橋"), QStringLiteral("たかはし"));
        const qint16 other = member(QStringLiteral("田中"), QStringLiteral("たなか"));
        result(year.month(1), who, 88, 1, 300);
        result(year.month(3), who, 95, 3, 100);
        // A duplicate row in March: the cell shows the first, the totals count both.
        result(year.month(3), who, 120, 1, 500);
        // April has a competition the member missed; May's second competition is not the month's.
        result(year.month(4), other, 80);
        result(year.month(5), other, 80);
        const qint16 secondMay = CourseTable::insert(Year, 5, QStringLiteral("2025/5/20"), QStringLiteral("西"));
        result(secondMay, who, 70, 1);
        // Another year's January is not this year's.
        result(CourseTable::insert(Year - 1, 1, QStringLiteral("2024/1/5"), QStringLiteral("東")), who, 60, 1);

        const AnnualRow row = rowOf(who);
        QCOMPARE(row.name, QStringLiteral("高橋"));
        QCOMPARE(annualCellText(row.initialHc), QStringLiteral("18"));
        QCOMPARE(annualCellText(row.finalHc), QStringLiteral("12.5"));
        QCOMPARE(annualCellText(row.monthGross[0]), QStringLiteral("88"));
        QCOMPARE(annualCellText(row.monthGross[2]), QStringLiteral("95"));
        for (int month : {2, 4, 5, 6, 12})
            QVERIFY2(!row.monthGross[month - 1].isValid(), qPrintable(QString::number(month)));
        QCOMPARE(row.monthMark[0], 1);
        QCOMPARE(row.monthMark[1], 0);
        QCOMPARE(row.monthMark[2], 3);
        QCOMPARE(int(row.points), 2 * 2 + 3 + 1);
        QCOMPARE(row.playedCourseIds, QVector<int>({year.month(1), year.month(3)}));
        QCOMPARE(annualCellText(row.obTotal), QStringLiteral("900"));
        QCOMPARE(int(*row.averageGross), 101); // (88 + 95 + 120) / 3 = 101
        QCOMPARE(annualCellText(row.bestGross), QStringLiteral("88"));
        QCOMPARE(annualCellText(row.worstGross), QStringLiteral("120"));
    }

    void singleAndSeveralCompetitionsGiveTheSameTotals()
    {
        // Member 7 in competition 3 alone, then in 3 and 12: the one-ID and the list case.
        for (int index = 1; index <= 6; ++index)
            member(QStringLiteral("会員%1").arg(index), QStringLiteral("あ%1").arg(index));
        const qint16 seventh = member(QStringLiteral("七番"), QStringLiteral("な"));
        QCOMPARE(seventh, qint16(7));
        QVector<qint16> competitions;
        for (int month = 1; month <= 12; ++month)
            competitions << CourseTable::insert(Year, month, QStringLiteral("2025/%1/1").arg(month),
                                                QStringLiteral("東"));
        QCOMPARE(competitions[2], qint16(3));
        result(competitions[2], seventh, 91, 0, 200);
        AnnualRow row = rowOf(seventh);
        QCOMPARE(row.playedCourseIds, QVector<int>({3}));
        QCOMPARE(annualCellText(row.obTotal), QStringLiteral("200"));
        QCOMPARE(int(*row.averageGross), 91);

        result(competitions[11], seventh, 85, 0, 100);
        row = rowOf(seventh);
        QCOMPARE(row.playedCourseIds, QVector<int>({3, 12}));
        QCOMPARE(annualCellText(row.obTotal), QStringLiteral("300"));
        QCOMPARE(int(*row.averageGross), 88);
        QCOMPARE(annualCellText(row.bestGross), QStringLiteral("85"));
        QCOMPARE(annualCellText(row.worstGross), QStringLiteral("91"));
    }

    void emptyClubAndEmptyYear()
    {
        QVERIFY(AnnualSummary::compute(Year, Module1::Settings).isEmpty());
        const qint16 who = member(QStringLiteral("伊藤"), QStringLiteral("いとう"));
        const QVector<AnnualRow> rows = AnnualSummary::compute(Year, Module1::Settings);
        QCOMPARE(rows.size(), 1);
        for (const QVariant &gross : rows[0].monthGross)
            QVERIFY(!gross.isValid());
        QCOMPARE(eligibilityMark(rows[0]), QStringLiteral("none"));
        QCOMPARE(rows[0].memberId, int(who));
    }

    void windowShowsTheRowsWithTheirMarks()
    {
        Year2025 year;
        const qint16 winner = member(QStringLiteral("渡辺"), QStringLiteral("わたなべ"));
        const qint16 absent = member(QStringLiteral("阿部"), QStringLiteral("あべ"), 20, 20);
        result(year.month(1), winner, 88, 1, 100);
        result(year.month(2), winner, 90, 2);
        result(year.month(3), winner, 92, 3);
        result(year.month(4), winner, 94, 4);
        Q_UNUSED(absent);

        // Through the month window's 年間 button, as the organiser opens it.
        Form3 &months = ParvelaTest::showWindow<Form3>();
        QStringList title;
        QVector<QStringList> texts;
        QVector<QColor> backgrounds;
        bool hourglassGone = false;
        ParvelaTest::onNextModal([&](QWidget *dialog) {
            auto *summary = qobject_cast<Form9 *>(dialog);
            QVERIFY(summary);
            hourglassGone = QApplication::overrideCursor() == nullptr;
            title << summary->windowTitle();
            Grid &grid = *summary->ScoreGrid;
            for (int row = 0; row < grid.rows(); ++row) {
                QStringList line;
                for (int column = 0; column < grid.cols(); ++column)
                    line << grid.textAt(row, column);
                texts << line;
            }
            for (int column = 3; column <= 6; ++column) {
                grid.setRow(2);
                grid.setCol(column);
                backgrounds << grid.cellBackColor();
            }
            summary->Command7->click();
        });
        QTest::mouseClick(months.Command3, Qt::LeftButton);

        QVERIFY(hourglassGone);
        QCOMPARE(title, QStringList(QStringLiteral("年間集計 (赤…優勝 青…準優勝 黄…三位)")));
        QCOMPARE(texts.size(), 3);
        QCOMPARE(texts[0],
                 QStringList({"氏名", "初HC", "終HC", "1月",  "2月",  "3月",    "4月",  "5月",  "6月",  "7月",
                              "8月",  "9月",  "10月", "11月", "12月", "OB罰金", "平均", "最高", "最低", "資格"}));
        // Kana order: あべ before わたなべ; no month played leaves the totals and 資格 empty.
        QCOMPARE(texts[1],
                 QStringList({"阿部", "20", "20", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
        QCOMPARE(texts[2], QStringList({"渡辺", "18", "12.5", "88", "90", "92",  "94", "",   "",   "",
                                        "",     "",   "",     "",   "",   "100", "91", "88", "94", "×"}));
        QCOMPARE(backgrounds[0], QColor(255, 192, 192));
        QCOMPARE(backgrounds[1], QColor(192, 192, 255));
        QCOMPARE(backgrounds[2], QColor(255, 255, 128));
        QVERIFY(backgrounds[3] != QColor(255, 192, 192) && backgrounds[3] != QColor(192, 192, 255)
                && backgrounds[3] != QColor(255, 255, 128));
    }

    void showtableAgainStartsAfresh()
    {
        Year2025 year;
        const qint16 who = member(QStringLiteral("木村"), QStringLiteral("きむら"));
        result(year.month(6), who, 99, 1);
        Form9 &summary = openSummary();
        QCOMPARE(summary.ScoreGrid->rows(), 2);
        summary.Showtable();
        QCOMPARE(summary.ScoreGrid->rows(), 2);
        summary.ScoreGrid->setRow(1);
        summary.ScoreGrid->setCol(8);
        QCOMPARE(summary.ScoreGrid->cellBackColor(), QColor(255, 192, 192));
    }

    void printButtonPrintsTheTableAsShown()
    {
        Year2025 year;
        const qint16 who = member(QStringLiteral("森"), QStringLiteral("もり"));
        result(year.month(1), who, 88, 1);
        result(year.month(2), who, 91, 3);
        Form9 &summary = openSummary();
        PrintChecks::Copies copies;
        PrintChecks::recordCopies(copies, 2);
        QTest::mouseClick(summary.Command5, Qt::LeftButton);
        PrintChecks::restoreSeams();

        QCOMPARE(int(copies.canvases.size()), 2);
        for (const RecordingCanvas &copy : copies.canvases) {
            QVERIFY(copy.ended());
            QStringList texts;
            for (const auto &text : copy.texts())
                texts << text.text;
            QVERIFY(texts.contains(QStringLiteral("森")));
            QVERIFY(texts.contains(QStringLiteral("88")));
            QVector<QColor> boxes;
            for (const auto &line : copy.lines()) {
                if (line.color != QColor(Qt::black))
                    boxes << line.color;
            }
            QCOMPARE(boxes, QVector<QColor>({QColor(255, 0, 0), QColor(255, 255, 0)}));
        }
    }

    void failedReadIsReportedAndLeavesAnEmptyTable()
    {
        Year2025 year;
        result(year.month(2), member(QStringLiteral("林"), QStringLiteral("はやし")), 90);
        Form9 &summary = openSummary();
        QCOMPARE(summary.ScoreGrid->rows(), 2);
        MessageBox::takeShown();
        Database::exec(QStringLiteral("drop table Score"));
        summary.Showtable();
        QVERIFY(ParvelaTest::takeOnlyError());
        QCOMPARE(summary.ScoreGrid->rows(), 1);
        QVERIFY(summary.ScoreGrid->isVisible());
    }

    void firstOpeningIsCentredAtDesignSize()
    {
        Form9 &summary = openSummary();
        QCOMPARE(summary.size(), Form9::DesignSize);
        const QRect screen = summary.screen()->availableGeometry();
        QVERIFY(qAbs(summary.geometry().center().x() - screen.center().x()) <= 16);
        QCOMPARE(summary.ScoreGrid->colWidth(0), 1000);
        QCOMPARE(summary.ScoreGrid->colWidth(19), 495); // 500 twips as whole pixels
        QCOMPARE(summary.ScoreGrid->fixedCols(), 1);
    }

    void placementAndWidthsAreKeptAndShared()
    {
        {
            Form9 &summary = openSummary();
            summary.resize(780, 400);
            summary.ScoreGrid->setColWidth(0, 2000);
            summary.ScoreGrid->setColWidth(19, 900);
            closeAndDelete(summary);
        }
        QCOMPARE(SettingsStore::read(QStringLiteral("Form9WindowSate"), QStringLiteral("?")), QStringLiteral("0"));
        QCOMPARE(SettingsStore::readInt(QStringLiteral("Form9Width"), 0), 780 * 15);
        QCOMPARE(SettingsStore::readInt(QStringLiteral("ScoreGridColWidth0"), 0), 2000);
        QCOMPARE(SettingsStore::readInt(QStringLiteral("ScoreGridColWidth19"), 0), 900);

        // A width the score sheet saved is the one this window opens with.
        SettingsStore::save(QStringLiteral("ScoreGridColWidth5"), QStringLiteral("1200"));
        Form9 &again = openSummary();
        QCOMPARE(again.size(), QSize(780, 400));
        QCOMPARE(again.ScoreGrid->colWidth(0), 2000);
        QCOMPARE(again.ScoreGrid->colWidth(5), 1200);
        QCOMPARE(again.ScoreGrid->colWidth(19), 900);
    }

    void widerWindowMovesOnlyTheCloseButton()
    {
        Form9 &summary = openSummary();
        const QPoint print = summary.Command5->pos();
        const QPoint close = summary.Command7->pos();
        const int gridWidth = summary.ScoreGrid->width();
        summary.resize(summary.width() + 100, summary.height());
        QCOMPARE(summary.Command5->pos(), print);
        QCOMPARE(summary.Command7->pos(), close + QPoint(100, 0));
        QCOMPARE(summary.ScoreGrid->width(), gridWidth + 100);

        summary.setMinimumSize(0, 0);
        summary.resize(30, 20);
        QCOMPARE(summary.ScoreGrid->width(), 14);
        QCOMPARE(summary.ScoreGrid->height(), 0);
        QCOMPARE(summary.Command7->x(), 0);
    }
};

PARVELA_TEST_MAIN(TestAnnualSummary)
#include "tst_annualsummary.moc"
