// The demonstration club: the same seed gives the same file, and the club looks like a real
// one whose months were entered and calculated by the program's own rules.
#include "databasefixture.h"

#include "core/database.h"
#include "core/demodata.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "monthly/ranking.h"

#include <QFile>

#include <stdexcept>

using ParvelaTest::column;
using ParvelaTest::value;

namespace {

DemoData::Options club(int members, int years, quint32 seed)
{
    DemoData::Options options;
    options.members = members;
    options.years = years;
    options.lastYear = 2025;
    options.seed = seed;
    return options;
}

// The file parvela-db demo writes: created, filled and closed.
QByteArray demoFile(const DemoData::Options &options)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.mdb"));
    Database::create(path);
    Database::open(path);
    DemoData::generate(options, SettingsRecord());
    Database::close();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int count(const char *condition)
{
    return value(QString::fromUtf8(condition)).toInt();
}

} // namespace

class TestDemoData : public QObject
{
    Q_OBJECT

private slots:
    void theSeedDecidesTheWholeFile()
    {
        const QByteArray seven = demoFile(club(40, 2, 7));
        QVERIFY(!seven.isEmpty());
        QCOMPARE(demoFile(club(40, 2, 7)), seven);
        QVERIFY(demoFile(club(40, 2, 8)) != seven);
    }

    void aClubAsTheProgramWouldHaveKeptIt()
    {
        ParvelaTest::TemporaryDatabase db;
        DemoData::generate(club(300, 2, 3), SettingsRecord());
        QCOMPARE(count("select count(distinct NAME) from Member"), 300);
        QCOMPARE(count("select count(*) from Member where HC<0 or HC>36 or NAME not like '%　%' or "
                       "HURIKANA not like '%　%'"),
                 0);
        // A competition every month, 60 to 90 % of the club at each, scores as the entry dialog
        // writes them.
        QCOMPARE(count("select count(distinct CYEAR*100+CMONTH) from Course"), 24);
        QCOMPARE(count("select count(*) from (select count(*) n from Score group by COURSE_ID) where n<180 or n>270"),
                 0);
        QCOMPARE(count("select count(*) from Score where OUT_VAL<35 or OUT_VAL>60 or IN_VAL<35 or IN_VAL>60 or "
                       "GROSS_VAL<>OUT_VAL+IN_VAL or NET_VAL<>GROSS_VAL-HC or OB<0 or OB%100<>0"),
                 0);
        QVERIFY(count("select count(*) from Score where OB>0") > 0);
        // Every month ranked by the club's rule; each member's HC is the latest new HC.
        for (const QVariant &courseId : column(QStringLiteral("select ID from Course"))) {
            const QVector<ScoreRecord> sheet = ScoreTable::sheetRows(courseId.toInt());
            for (int place = 1; place <= sheet.size(); ++place)
                QCOMPARE(sheet[place - 1].rank * 1000 + sheet[place - 1].newHc,
                         place * 1000 + Ranking::newHandicap(sheet[place - 1].hc, place, SettingsRecord()));
        }
        QCOMPARE(count("select count(*) from Member m where HC<>(select s.NEW_HC from Score s join Course c on "
                       "s.COURSE_ID=c.ID where s.MEMBER_ID=m.ID and s.NEW_HC<>0 order by c.CYEAR desc,c.CMONTH desc "
                       "limit 1)"),
                 0);
    }

    void refusesWhatTheTablesCannotHold()
    {
        QVERIFY(DemoData::problemWith(club(2000, 1, 1)).isEmpty());
        QVERIFY(DemoData::problemWith(club(2000, 2, 1)).contains(QStringLiteral("32767"))); // Score IDs
        QVERIFY(!DemoData::problemWith(club(DemoData::maxMembers() + 1, 1, 1)).isEmpty());
        QVERIFY(!DemoData::problemWith(club(0, 1, 1)).isEmpty());
        ParvelaTest::TemporaryDatabase db;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, DemoData::generate(club(2000, 2, 1), SettingsRecord()));
        QCOMPARE(count("select count(*) from Member"), 0);
    }
};

PARVELA_CORE_TEST_MAIN(TestDemoData)
#include "tst_demodata.moc"
