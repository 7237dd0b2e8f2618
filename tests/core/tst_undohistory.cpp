// Undo and redo of the changes to the three tables: every value and ID comes back, a step is
// taken back whole or not at all, and the history keeps what it promises.
#include "databasefixture.h"

#include "core/undohistory.h"

#include <QSignalSpy>
#include <QSqlRecord>

using namespace ParvelaTest;

namespace {

// Every row of the three tables with the storage class of each value, so that 18 stored as an
// integer is not taken for 18.0 stored as a real.
QStringList tables()
{
    QStringList rows;
    for (const char *table : {"Member", "Course", "Score"}) {
        QSqlQuery query = Database::run(QStringLiteral("select * from %1 order by ID").arg(table));
        while (query.next()) {
            QString row = QString::fromLatin1(table);
            for (int column = 0; column < query.record().count(); ++column)
                row += '|' + query.value(column).toString() + ':' + QString::number(query.value(column).typeId());
            rows << row;
        }
    }
    return rows;
}

} // namespace

class TestUndoHistory : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;

private slots:
    void init()
    {
        m_db = std::make_unique<TemporaryDatabase>();
        // Two members, May's competition with both, as every action below starts from.
        MemberTable::insert("山田太郎", "やまだたろう", "1950/1/2", 12.5);
        MemberTable::insert("佐藤", "さとう", QString(), 20);
        const int may = CourseTable::insert(2026, 5, "2026/5/17", "東");
        addScore(may, 1, "山田太郎", 12.5, 45, 48, 1.5, 1, 9);
        addScore(may, 2, "佐藤", 20, 50, 50);
    }

    void cleanup() { m_db.reset(); }

    // Each kind of change, alone and together over the three tables, in one transaction or in
    // single statements: undo gives back the tables exactly, redo the changed ones exactly.
    void undoAndRedoGiveBackEveryValue_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::newRow("insert") << QStringList{"insert into Member values (3,'鈴木','すずき','',7,0,0)"};
        QTest::newRow("update of a real by an integer")
            << QStringList{"update Member set HC=9, F_HC=12.5 where ID=1"};
        QTest::newRow("delete of a block") << QStringList{"delete from Score"};
        QTest::newRow("delete, then the ID reused")
            << QStringList{"delete from Member where ID=2", "insert into Member values (2,'別人','べつ','',1,1,1)"};
        QTest::newRow("three tables") << QStringList{"insert into Course values (2,2026,6,'2026/6/1','西')",
                                                     "update Score set RANK=2, NEW_HC=NULL where ID=1",
                                                     "delete from Member where ID=1"};
    }
    void undoAndRedoGiveBackEveryValue()
    {
        QFETCH(QStringList, statements);
        UndoHistory history;
        const QStringList before = tables();
        QVERIFY(history.record("変更", [&] {
            Transaction transaction;
            for (const QString &statement : statements)
                Database::exec(statement);
            transaction.commit();
        }));
        const QStringList after = tables();
        QVERIFY(after != before);
        QSignalSpy restored(&history, &UndoHistory::recordsRestored);
        QCOMPARE(history.undo(), QString("変更"));
        QCOMPARE(tables(), before);
        QCOMPARE(history.redoName(), QString("変更"));
        QCOMPARE(history.redo(), QString("変更"));
        QCOMPARE(tables(), after);
        QCOMPARE(restored.count(), 2);
        QCOMPARE(restored.at(0).at(0).toString(), QString("元に戻しました：変更"));
    }

    // An action that changes no row, or fails and is rolled back, leaves no step; an
    // undone step is dropped by the next change.
    void onlyActionsThatChangedRowsAreSteps()
    {
        UndoHistory history;
        QVERIFY(history.record("一", [] { Database::exec("update Member set HC=8 where ID=2"); }));
        QVERIFY(!history.record("同じ値", [] { Database::exec("update Member set HC=8 where ID=2"); }));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, history.record("失敗", [] {
            Transaction transaction;
            Database::exec("update Member set HC=1");
            Database::exec("insert into NoSuchTable values (1)");
            transaction.commit();
        }));
        QCOMPARE(history.undoName(), QString("一"));
        history.undo();
        QVERIFY(history.canRedo());
        QVERIFY(history.record("二", [] { Database::exec("update Member set HC=9 where ID=1"); }));
        QVERIFY(!history.canRedo());
        // An action recorded inside another is part of it.
        QVERIFY(history.record("外", [&] {
            Database::exec("update Member set HC=3 where ID=1");
            QVERIFY(!history.record("内", [] { Database::exec("update Member set HC=4 where ID=2"); }));
        }));
        history.undo();
        QCOMPARE(column("select HC from Member order by ID"), (QVariantList{9, 20}));
        history.undo();
        QVERIFY(!history.canUndo());
        QCOMPARE(column("select HC from Member order by ID"), (QVariantList{12.5, 20}));
    }

    // A row changed since the step, as another program could, refuses the whole undo: nothing
    // is applied and the step can still be undone once the row is back.
    void aChangedRowRefusesTheWholeStep()
    {
        UndoHistory history;
        history.record("削除", [] { Database::exec("delete from Score"); });
        history.record("編集", [] { Database::exec("update Member set HC=1, NAME='x'"); });
        Database::exec("update Member set HC=2 where ID=2");
        const QStringList changed = tables();
        try {
            history.undo();
            QFAIL("undone over a changed row");
        } catch (const DatabaseError &error) {
            QVERIFY(error.engineText().startsWith("「編集」を元に戻せません。"));
        }
        QCOMPARE(tables(), changed);
        QCOMPARE(history.undoName(), QString("編集"));
        Database::exec("update Member set HC=1 where ID=2");
        history.undo();
        history.undo();
        QCOMPARE(count("Score"), 2);
    }

    // The latest fifty steps are kept, and no more than 32 MB of them: the oldest go first.
    void theOldestStepsGoFirst()
    {
        UndoHistory history;
        for (int step = 1; step <= UndoHistory::KeptSteps + 1; ++step)
            history.record(QString::number(step), [step] { Database::exec("update Member set HC=? where ID=1", {step}); });
        int undone = 0;
        while (history.canUndo()) {
            history.undo();
            ++undone;
        }
        QCOMPARE(undone, UndoHistory::KeptSteps);
        QCOMPARE(value("select HC from Member where ID=1").toInt(), 1);

        // A step holds the megabyte name before and after it: 15 such steps fit, 16 do not.
        history.clear();
        const QString megabyte(1024 * 1024, 'x');
        for (int step = 0; step < 20; ++step)
            history.record("大", [&] { Database::exec("update Member set NAME=? where ID=2", {megabyte + QString::number(step)}); });
        for (undone = 0; history.canUndo(); ++undone)
            history.undo();
        QCOMPARE(undone, 15);
    }
};

PARVELA_CORE_TEST_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
