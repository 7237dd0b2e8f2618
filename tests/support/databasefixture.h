#pragma once

// The record layer every test works on, and the rules and parsers the tests check.
#include "annual/annualsummary.h"
#include "core/backup.h"
#include "core/coursetable.h"
#include "core/csv.h"
#include "core/database.h"
#include "core/datalocation.h"
#include "core/demodata.h"
#include "core/kanaorder.h"
#include "core/membertable.h"
#include "core/numbertext.h"
#include "core/restore.h"
#include "core/scoretable.h"
#include "core/settingsentry.h"
#include "core/settingsrecord.h"
#include "core/settingsstore.h"
#include "members/latesthandicap.h"
#include "members/memberentry.h"
#include "members/memberimport.h"
#include "monthly/competitionentry.h"
#include "monthly/ranking.h"
#include "monthly/scoreentry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace ParvelaTest {

// Gives the run its own settings and data folders before the application object exists, so
// no test reads or writes the user's settings or database.
void prepareEnvironment();
// The application's names, as the program sets them, and the settings loaded.
void prepareCoreApplication();

// The settings record the tests hand to the rules and the windows, as the main menu would.
SettingsRecord &settings();

// Removes every stored setting and reloads the defaults into the settings record.
void clearSettings();

// A fresh empty Parvela database in its own folder, open as the program's connection, with
// the folder set as the program folder. Closed and removed on destruction.
class TemporaryDatabase
{
public:
    TemporaryDatabase();
    ~TemporaryDatabase();
    QString folder() const { return m_dir.path(); }
    QString path() const;

private:
    QTemporaryDir m_dir;
};

// Where the window tests start: the settings back to their defaults with `editYear` as the
// year being edited, and only then an empty database of its own.
std::unique_ptr<TemporaryDatabase> freshSettingsAndDatabase(int editYear);

// A row of the competition's sheet as the score entry stores it: GROSS and NET follow. A place
// or a new HC other than 0 is then set as the month's calculation sets it.
qint16 addScore(int courseId, int memberId, const QString &name, double hc, int out, int in, double ob = 0,
                int rank = 0, double newHc = 0);

// Rows of a statement, for checks on what landed in the database.
QVariantList column(const QString &statement, const QVariantList &values = {});
QVariant value(const QString &statement, const QVariantList &values = {});
// The rows of a table that meet a condition: count("Member where HC=?", {18}).
int count(const QString &from, const QVariantList &values = {});
// Every row of the three tables, "Table|value|value…" in ID order: all that is stored.
QStringList tableRows();

// Another program's exclusive lock on the database file, held until released or destroyed.
class OtherProgramsLock
{
public:
    explicit OtherProgramsLock(const QString &path);
    ~OtherProgramsLock() { release(); }
    void release();
};

// The remembered course names, newest first.
QStringList courseHistory();

} // namespace ParvelaTest

// A QtTest main for tests of the data and rules: no display, settings isolated.
#define PARVELA_CORE_TEST_MAIN(TestClass)                                                                              \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        ParvelaTest::prepareEnvironment();                                                                             \
        QCoreApplication app(argc, argv);                                                                              \
        ParvelaTest::prepareCoreApplication();                                                                         \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
