#include "databasefixture.h"

#include "core/database.h"
#include "core/dates.h"
#include "core/demodata.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "monthly/ranking.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>

#include <memory>
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

// Every row of the three tables as text, in ID order.
QStringList contents()
{
    QStringList rows;
    for (const char *table : {"Member", "Course", "Score"}) {
        QSqlQuery query = Database::run(QStringLiteral("select * from %1 order by ID").arg(QLatin1String(table)));
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < query.record().count(); ++i)
                fields << query.value(i).toString();
            rows << QLatin1String(table) + QLatin1Char(':') + fields.join(QLatin1Char('|'));
        }
    }
    return rows;
}

// The file parvela-db demo writes: created, filled and closed.
QByteArray demoFile(const DemoData::Options &options)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.mdb"));
    DemoData::createClub(path, options, SettingsRecord());
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isKana(const QString &text)
{
    for (const QChar c : text) {
        const bool hiragana = c.unicode() >= 0x3041 && c.unicode() <= 0x309F;
        const bool katakana = c.unicode() >= 0x30A0 && c.unicode() <= 0x30FF;
        if (!hiragana && !katakana)
            return false;
    }
    return !text.isEmpty();
}

} // namespace

class TestDemoData : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    void generate(const DemoData::Options &options)
    {
        m_db.reset(); // one connection at a time
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        DemoData::generate(options, SettingsRecord());
    }

private slots:
    void cleanup() { m_db.reset(); }

    void sameSeedGivesTheSameFile()
    {
        const QByteArray first = demoFile(club(40, 2, 7));
        QVERIFY(!first.isEmpty());
        QCOMPARE(demoFile(club(40, 2, 7)), first);
    }

    void otherSeedGivesAnotherClub()
    {
        generate(club(40, 1, 7));
        const QStringList seven = contents();
        generate(club(40, 1, 8));
        const QStringList eight = contents();
        QVERIFY(!eight.isEmpty());
        QVERIFY(seven != eight);
        // Names and the schedule both change, not only the scores.
        QVERIFY(seven.filter(QStringLiteral("Member:")) != eight.filter(QStringLiteral("Member:")));
        QVERIFY(seven.filter(QStringLiteral("Course:")) != eight.filter(QStringLiteral("Course:")));
    }

    void membersAreRealistic()
    {
        generate(club(500, 1, 3));
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 500);
        QCOMPARE(value(QStringLiteral("select count(distinct NAME) from Member")).toInt(), 500);
        QHash<QString, QString> readingOf; // a written family or given name → its reading
        QSqlQuery members = Database::run(QStringLiteral("select NAME,HURIKANA,BIRTHDAY,HC,F_HC,E_HC from Member"));
        while (members.next()) {
            const QString name = members.value(0).toString();
            const QStringList nameParts = name.split(QChar(0x3000));
            const QStringList kanaParts = members.value(1).toString().split(QChar(0x3000));
            QCOMPARE(nameParts.size(), 2);
            QCOMPARE(kanaParts.size(), 2);
            for (int i = 0; i < 2; ++i) {
                QVERIFY2(!isKana(nameParts.at(i)), qPrintable(name));
                QVERIFY2(isKana(kanaParts.at(i)), qPrintable(name));
                const QString key = QString::number(i) + nameParts.at(i);
                // The same written name always has the same reading.
                QCOMPARE(readingOf.value(key, kanaParts.at(i)), kanaParts.at(i));
                readingOf.insert(key, kanaParts.at(i));
            }
            const QDate birthday = Dates::parse(members.value(2).toString());
            QVERIFY2(birthday.isValid(), qPrintable(members.value(2).toString()));
            QCOMPARE(Dates::format(birthday), members.value(2).toString());
            QVERIFY(birthday.year() >= 2025 - 80 && birthday.year() <= 2025 - 25);
            for (int hcColumn = 3; hcColumn <= 5; ++hcColumn) {
                const double hc = members.value(hcColumn).toDouble();
                QVERIFY(hc >= 0 && hc <= 36);
            }
        }
        // Enough different names to look like a club, not a handful repeated.
        QVERIFY(readingOf.size() > 80);
    }

    void aCompetitionEveryMonth()
    {
        generate(club(40, 2, 11));
        QCOMPARE(value(QStringLiteral("select count(*) from Course")).toInt(), 24);
        QSqlQuery courses = Database::run(QStringLiteral("select ID,CYEAR,CMONTH,PLAYDATE,COURSENAME from Course"));
        QSet<QString> months;
        QSet<QString> courseNames;
        while (courses.next()) {
            const int year = courses.value(1).toInt();
            const int month = courses.value(2).toInt();
            months.insert(QStringLiteral("%1-%2").arg(year).arg(month));
            const QDate played = Dates::parse(courses.value(3).toString());
            QCOMPARE(played.year(), year);
            QCOMPARE(played.month(), month);
            QVERIFY(!courses.value(4).toString().isEmpty());
            courseNames.insert(courses.value(4).toString());

            const int players =
                value(QStringLiteral("select count(*) from Score where COURSE_ID=?"), {courses.value(0)}).toInt();
            QVERIFY2(players >= 24 && players <= 36, qPrintable(QString::number(players)));
            QCOMPARE(value(QStringLiteral("select count(distinct MEMBER_ID) from Score where COURSE_ID=?"),
                           {courses.value(0)})
                         .toInt(),
                     players);
        }
        QCOMPARE(months.size(), 24);
        QVERIFY(courseNames.size() > 1);
    }

    void scoresAreWhatTheEntryDialogWrites()
    {
        generate(club(40, 1, 12));
        QCOMPARE(value(QStringLiteral("select count(*) from Score where OUT_VAL<35 or OUT_VAL>60 or IN_VAL<35 or "
                                      "IN_VAL>60"))
                     .toInt(),
                 0);
        QCOMPARE(value(QStringLiteral("select count(*) from Score where GROSS_VAL<>OUT_VAL+IN_VAL")).toInt(), 0);
        QCOMPARE(value(QStringLiteral("select count(*) from Score where NET_VAL<>GROSS_VAL-HC")).toInt(), 0);
        QCOMPARE(value(QStringLiteral("select count(*) from Score where HC<0 or HC>36 or HC<>round(HC)")).toInt(), 0);
        QCOMPARE(value(QStringLiteral("select count(*) from Score s join Member m on s.MEMBER_ID=m.ID "
                                      "where s.MEMBER_NAME<>m.NAME"))
                     .toInt(),
                 0);
        QCOMPARE(value(QStringLiteral("select count(*) from Score where OB<0 or OB % 100 <> 0")).toInt(), 0);
        QVERIFY(value(QStringLiteral("select count(*) from Score where OB>0")).toInt() > 0);
        QVERIFY(value(QStringLiteral("select count(distinct GROSS_VAL) from Score")).toInt() > 10);
    }

    void everyMonthIsRankedByTheClubsRule()
    {
        generate(club(40, 1, 13));
        const SettingsRecord settings;
        for (const QVariant &courseId : column(QStringLiteral("select ID from Course order by ID"))) {
            const QVector<ScoreRecord> sheet = ScoreTable::sheetRows(courseId.toInt());
            QVERIFY(!sheet.isEmpty());
            for (int place = 1; place <= sheet.size(); ++place) {
                const ScoreRecord &row = sheet.at(place - 1);
                QCOMPARE(row.rank, place);
                QCOMPARE(row.newHc, double(Ranking::newHandicap(row.hc, place, settings)));
            }
        }
    }

    void handicapsCarryOverMonthByMonth()
    {
        generate(club(40, 2, 14));
        int reduced = 0;
        for (const QVariant &memberId : column(QStringLiteral("select ID from Member"))) {
            QSqlQuery rows = Database::run(
                QStringLiteral("select s.HC,s.NEW_HC,c.CYEAR,c.CMONTH from Score s join Course c on s.COURSE_ID=c.ID "
                               "where s.MEMBER_ID=? order by c.CYEAR,c.CMONTH"),
                {memberId});
            std::optional<double> current;
            while (rows.next()) {
                const double played = rows.value(0).toDouble();
                const double newHc = rows.value(1).toDouble();
                if (current)
                    QCOMPARE(played, *current);
                if (newHc != played)
                    ++reduced;
                // A new handicap of 0 is no result: the handicap stays as it was.
                current = newHc != 0 ? newHc : played;
                if (rows.value(2).toInt() == 2025 && rows.value(3).toInt() == 1)
                    QCOMPARE(value(QStringLiteral("select F_HC from Member where ID=?"), {memberId}).toDouble(),
                             played);
                if (rows.value(2).toInt() == 2025 && rows.value(3).toInt() == 12)
                    QCOMPARE(value(QStringLiteral("select E_HC from Member where ID=?"), {memberId}).toDouble(),
                             *current);
            }
            QVERIFY(current.has_value());
            QCOMPARE(value(QStringLiteral("select HC from Member where ID=?"), {memberId}).toDouble(), *current);
        }
        // Three places a month are reduced; most of them change the handicap.
        QVERIFY(reduced > 24);
    }

    void refusesWhatTheTablesCannotHold()
    {
        QVERIFY(DemoData::problemWith(club(40, 1, 1)).isEmpty());
        QVERIFY(DemoData::problemWith(club(2000, 1, 1)).isEmpty());
        // 2,000 members for two years would need more Score IDs than 16 bits give.
        QVERIFY(DemoData::problemWith(club(2000, 2, 1)).contains(QStringLiteral("32767")));
        QVERIFY(!DemoData::problemWith(club(DemoData::maxMembers() + 1, 1, 1)).isEmpty());
        QVERIFY(!DemoData::problemWith(club(0, 1, 1)).isEmpty());
        QVERIFY(!DemoData::problemWith(club(40, 0, 1)).isEmpty());

        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, DemoData::generate(club(2000, 2, 1), SettingsRecord()));
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 0);
    }
};

PARVELA_CORE_TEST_MAIN(TestDemoData)
#include "tst_demodata.moc"
