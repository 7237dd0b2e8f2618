// The member list's import from CSV (with its preview) and a member's handicap history.
#include "../monthly/monthlyfixtures.h"
#include "parvelatest.h"

#include "members/gui/form7.h"
#include "members/gui/handicaphistorywindow.h"
#include "members/gui/memberimportdialog.h"
#include "monthly/ranking.h"
#include "platform/gui/filedialogs.h"
#include "platform/gui/messagebox.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

using ParvelaTest::column;

class TestMemberListTools : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    // "CSVから取込…" (by its shortcut) on a file with this content, then 取込 when it is offered;
    // what the preview showed, if it opened.
    QStringList import(Form7 &list, const QByteArray &content)
    {
        const QString path = m_folder.filePath(QStringLiteral("roster.csv"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return {};
        file.close();
        FileDialogs::setAnswer([path](const QString &, const QString &, const QString &) { return path; });
        // A refused file opens no preview: the wait for one must not take a later test's window.
        auto seen = std::make_shared<QStringList>();
        auto waiting = std::make_shared<bool>(true);
        ParvelaTest::onNextModal([seen, waiting](QWidget *modal) {
            auto *dialog = qobject_cast<MemberImportDialog *>(modal);
            if (!dialog || !*waiting)
                return;
            *seen << dialog->Label1->text() << (dialog->Command1->isEnabled() ? "取込できる" : "取込できない");
            *seen << ParvelaTest::shownColumn(*dialog->PreviewGrid, 5);
            (dialog->Command1->isEnabled() ? dialog->Command1 : dialog->Command2)->click();
        });
        ParvelaTest::showActive(&list); // as again after a dialog
        QTest::keyClick(&list, Qt::Key_I, Qt::ControlModifier);
        *waiting = false;
        FileDialogs::setAnswer({});
        return *seen;
    }

private slots:
    void init()
    {
        m_db = ParvelaTest::freshSettingsAndDatabase(2026);
        MemberTable::insert(QStringLiteral("山田太郎"), QStringLiteral("やまだ"), QStringLiteral("1960/1/1"), 18);
        MessageBox::takeShown();
    }
    void cleanup()
    {
        MonthlyFixtures::closeAllWindows();
        m_db.reset();
    }

    void importShowsTheVerdictsThenStoresTheNewRows()
    {
        Form7 &list = ParvelaTest::showTableWindow<Form7>();
        const QByteArray roster =
            "\xEF\xBB\xBFHC,氏名,ふりがな,誕生日\r\n12,青木,あおき,1970/5/6\r\n18,山田太郎,やまだ,1960/1/1\r\n";
        QStringList seen = import(list, roster + "x,佐藤,さとう,1980/1/1\r\n");
        QCOMPARE(seen.mid(1), (QStringList{"取込できない", "新規", "重複：同じ名前の人がいます（取り込みません）",
                                           "HC「x」が数値ではありません"}));
        QVERIFY(seen.first().contains(QStringLiteral("最初の誤り：4行目、HC「x」が数値ではありません")));
        QCOMPARE(column(QStringLiteral("select count(*) from Member")).first().toInt(), 1);

        seen = import(list, roster + "20,佐藤,さとう,1980/1/1\r\n");
        QCOMPARE(seen.value(1), QStringLiteral("取込できる"));
        QCOMPARE(MessageBox::takeShown().last().text, QStringLiteral("2 人を取り込みました。"));
        QCOMPARE(ParvelaTest::shownColumn(*list.MemberGrid, 0),
                 (QStringList{QStringLiteral("青木"), QStringLiteral("佐藤"), QStringLiteral("山田太郎")}));
    }

    void aFileOfAHundredThousandRowsIsRefusedAndTheListStaysUsable()
    {
        Form7 &list = ParvelaTest::showTableWindow<Form7>();
        QByteArray huge = "氏名,ふりがな,誕生日,HC\n";
        for (int i = 0; i < 100000; ++i)
            huge += "会員" + QByteArray::number(i) + ",かいいん,1970/1/1,20\n";
        QVERIFY(import(list, huge).isEmpty()); // no preview
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text,
                 QStringLiteral("「roster.csv」は取り込めません。\n新しいメンバーが 100000 人いますが、"
                                "追加できるのはあと 32766 人までです。"));
        QCOMPARE(column(QStringLiteral("select NAME from Member")), QVariantList{QStringLiteral("山田太郎")});
        QVERIFY(list.isVisible() && list.Command1->isEnabled());
    }

    void historyListsEveryRoundAndChartsTheHandicap()
    {
        const qint16 id = 1;
        const qint16 december = CourseTable::insert(2025, 12, QStringLiteral("2025/12/7"), QStringLiteral("西"));
        const qint16 january = CourseTable::insert(2026, 1, QString(), QStringLiteral("東"));
        MonthlyFixtures::addScore(january, id, QStringLiteral("山田太郎"), 16, 40, 42);
        MonthlyFixtures::addScore(december, id, QStringLiteral("山田太郎"), 18, 41, 44);
        Ranking::calculateMonth(december, 12, 2025, Module1::Settings);
        MemberTable::updateHcAndEndHc(id, 16, 15);

        Form7 &list = ParvelaTest::showTableWindow<Form7>();
        QAction *history = list.Command2->menu()->actions().first(); // "HC履歴…"
        QVERIFY(!history->isEnabled());
        ParvelaTest::clickRow(*list.MemberGrid, 1);
        QVector<QStringList> rows;
        QString label;
        QList<QPointF> points;
        ParvelaTest::onNextDialog<HandicapHistoryWindow>([&](HandicapHistoryWindow *window) {
            for (int row = 1; row < window->HistoryGrid->rows(); ++row)
                rows << ParvelaTest::shownRow(*window->HistoryGrid, row);
            label = window->Label1->text();
            points = static_cast<QLineSeries *>(window->Chart1->chart()->series().first())->points();
            window->Command1->click();
        });
        history->trigger();
        // Oldest first; the date of a competition without one is its month; place and new HC
        // only once calculated.
        QCOMPARE(rows, (QVector<QStringList>{{"2025/12/7", "西", "18", "85", "67", "優勝", "13"},
                                             {"2026/1", "東", "16", "82", "66", "", ""}}));
        QVERIFY(label.contains(QStringLiteral("2026年度 初HC 18　終HC 15")));
        QCOMPARE(points.size(), 2);
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(qint64(points.at(1).x())).date(), QDate(2026, 1, 1));
        QCOMPARE(points.at(0).y(), 18.0);
    }
};

PARVELA_TEST_MAIN(TestMemberListTools)
#include "tst_memberlisttools.moc"
