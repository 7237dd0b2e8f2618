// The bulk add: members chosen on the member selection window enter the sheet with all zeros.

#include "monthlyfixtures.h"

#include "core/database.h"
#include "monthly/gui/form12.h"
#include "parvelatest.h"
#include "platform/gui/messagebox.h"

#include <QListWidget>
#include <QPushButton>

#include <memory>

using namespace MonthlyFixtures;

class TestForm12 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    int m_courseId = 0;
    QVector<int> m_members; // in kana order: 阿部, 井上, O'Neil, 田中

    // Presses 一括追加 on the sheet, picks the named entries with the mouse and presses the
    // button given. Returns the list as it was shown.
    QStringList bulkAdd(Form4 &sheet, const QStringList &chosen, bool ok = true)
    {
        QStringList listed;
        QString title;
        ParvelaTest::onNextDialog<Form12>([&, chosen, ok](Form12 *selection) {
            title = selection->windowTitle();
            for (int i = 0; i < selection->List1->count(); ++i) {
                QListWidgetItem *entry = selection->List1->item(i);
                listed << entry->text();
                if (chosen.contains(entry->text())) {
                    const QRect rect = selection->List1->visualItemRect(entry);
                    QTest::mouseClick(selection->List1->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
                }
            }
            (ok ? selection->Command1 : selection->Command2)->click();
        });
        QTest::mouseClick(sheet.Command8, Qt::LeftButton);
        if (title != QStringLiteral("メンバー選択画面"))
            listed.prepend(QStringLiteral("title: ") + title);
        return listed;
    }

    int scoreCount() const
    {
        return ParvelaTest::value(QStringLiteral("select count(*) from Score where COURSE_ID=?"), {m_courseId}).toInt();
    }

private slots:
    void init()
    {
        m_db = ParvelaTest::freshSettingsAndDatabase(2003);
        m_courseId = CourseTable::insert(2003, 5, QStringLiteral("2003/5/18"), QStringLiteral("東"));
        m_members = {
            MemberTable::insert(QStringLiteral("阿部"), QStringLiteral("あべ"), QStringLiteral("1950/1/1"), 10),
            MemberTable::insert(QStringLiteral("井上"), QStringLiteral("いのうえ"), QStringLiteral("1960/1/1"), 18),
            MemberTable::insert(QStringLiteral("O'Neil"), QStringLiteral("おにーる"), QStringLiteral("1970/1/1"), 7.5),
            MemberTable::insert(QStringLiteral("田中"), QStringLiteral("たなか"), QStringLiteral("1940/1/1"), 12)};
        MessageBox::takeShown();
    }

    void cleanup()
    {
        closeAllWindows();
        m_db.reset();
    }

    void chosenMembersEnterWithZerosAtTheTop()
    {
        const int scored = addScore(m_courseId, m_members[3], QStringLiteral("田中"), 12, 45, 47); // net 80
        Form4 &sheet = openSheet(*CourseTable::firstOfMonth(2003, 5));
        const QStringList listed =
            bulkAdd(sheet, {QStringLiteral("O'Neil"), QStringLiteral("阿部"), QStringLiteral("田中")});
        QCOMPARE(listed, (QStringList{QStringLiteral("阿部"), QStringLiteral("井上"), QStringLiteral("O'Neil"),
                                      QStringLiteral("田中")}));

        // 田中 was entered already; the others got IDs one above the largest, in list order.
        QCOMPARE(ParvelaTest::column(QStringLiteral("select MEMBER_ID from Score where ID>? order by ID"), {scored}),
                 (QVariantList{m_members[0], m_members[2]}));
        QCOMPARE(ParvelaTest::column(QStringLiteral("select ID from Score where ID>? order by ID"), {scored}),
                 (QVariantList{scored + 1, scored + 2}));
        const std::optional<ScoreRecord> row = ScoreTable::firstOfMember(m_courseId, m_members[2]);
        QVERIFY(row);
        QCOMPARE(row->memberName, QStringLiteral("O'Neil"));
        QCOMPARE(row->hc, 7.5);
        QCOMPARE(row->ob + row->out + row->in + row->gross + row->net + row->newHc + row->rank, 0.0);

        // Net 0 puts them first, the elder first.
        QCOMPARE(columnTexts(*sheet.ScoreGrid, 1),
                 (QStringList{QStringLiteral("阿部"), QStringLiteral("O'Neil"), QStringLiteral("田中")}));
        QCOMPARE(rowTexts(*sheet.ScoreGrid, 2), (QStringList{QStringLiteral("準優勝"), QStringLiteral("O'Neil"), "7.5",
                                                             "0", "0", "0", "0", "0", "0"}));
        QCOMPARE(scoreCount(), 3);

        // The same choice again adds nothing.
        bulkAdd(sheet, {QStringLiteral("O'Neil"), QStringLiteral("阿部"), QStringLiteral("田中")});
        QCOMPARE(scoreCount(), 3);
    }

    void nothingChosenStillReloadsTheSheet()
    {
        Form4 &sheet = openSheet(*CourseTable::firstOfMonth(2003, 5));
        addScore(m_courseId, m_members[1], QStringLiteral("井上"), 18, 50, 50); // not on the sheet yet
        bulkAdd(sheet, {});
        QCOMPARE(scoreCount(), 1);
        QCOMPARE(columnTexts(*sheet.ScoreGrid, 1), QStringList{QStringLiteral("井上")});
    }

    void cancelStoresNothing()
    {
        Form4 &sheet = openSheet(*CourseTable::firstOfMonth(2003, 5));
        bulkAdd(sheet, {QStringLiteral("阿部"), QStringLiteral("井上")}, false);
        QCOMPARE(scoreCount(), 0);
        QCOMPARE(sheet.ScoreGrid->rows(), 1);
    }

    void anErrorPartWayStoresNoneOfThem()
    {
        // The next insert takes the last ID there is; the one after it is refused.
        addScore(m_courseId + 1, m_members[0], QStringLiteral("阿部"), 10, 40, 40);
        Database::exec(QStringLiteral("update Score set ID=32766"));
        Form4 &sheet = openSheet(*CourseTable::firstOfMonth(2003, 5));
        bool stillOpen = false;
        int stillSelected = -1;
        int storedMeanwhile = -1;
        ParvelaTest::onNextDialog<Form12>([&](Form12 *selection) {
            selection->List1->item(0)->setSelected(true);
            selection->List1->item(1)->setSelected(true);
            selection->Command1->click();
            // The choice stays on screen after the error, to retry or cancel.
            stillOpen = selection->isVisible();
            stillSelected = selection->List1->selectedItems().size();
            storedMeanwhile = scoreCount();
            selection->Command2->click();
        });
        QTest::mouseClick(sheet.Command8, Qt::LeftButton);
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QVERIFY(stillOpen);
        QCOMPARE(stillSelected, 2);
        QCOMPARE(storedMeanwhile, 0);
        QCOMPARE(scoreCount(), 0);
        QCOMPARE(sheet.ScoreGrid->rows(), 1);
    }
};

PARVELA_TEST_MAIN(TestForm12)
#include "tst_form12.moc"
