// "CSVに保存" of the three grid windows, read back by an independent reader (Python's csv module)
// and compared with what the grid shows.
#include "../monthly/monthlyfixtures.h"
#include "parvelatest.h"

#include "annual/gui/form9.h"
#include "members/gui/form7.h"
#include "monthly/ranking.h"
#include "platform/gui/filedialogs.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QVector<QStringList> readWithPython(const QString &path)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv,json,sys\nwith open(sys.argv[1],encoding='utf-8-sig',newline='') as f:"
                                 " print(json.dumps(list(csv.reader(f))))"),
                  path});
    python.waitForFinished(30000);
    QVector<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        rows << row.toVariant().toStringList();
    return rows;
}

QVector<QStringList> shown(Grid &grid)
{
    QVector<QStringList> rows;
    for (int row = 0; row < grid.rows(); ++row)
        rows << ParvelaTest::shownRow(grid, row);
    return rows;
}

} // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_proposed;

    // "CSVに保存" from the print button's arrow, the file dialog answered with `answer`.
    QString save(SplitButton *print, const QString &answer)
    {
        FileDialogs::setAnswer([&](const QString &, const QString &proposed, const QString &) {
            m_proposed = QFileInfo(proposed).fileName();
            return answer;
        });
        for (QAction *command : print->menu()->actions()) {
            if (command->text() == QStringLiteral("CSVに保存"))
                command->trigger();
        }
        FileDialogs::setAnswer({});
        return answer;
    }

private slots:
    void init()
    {
        m_db = ParvelaTest::freshSettingsAndDatabase(2026);
        const QStringList names = {QStringLiteral("Smith, \"Jack\""), QStringLiteral("二行\n目"),
                                   QStringLiteral(" 空白 ")};
        const qint16 course = CourseTable::insert(2026, 1, QStringLiteral("2026/1/11"), QStringLiteral("東, 西"));
        for (int i = 0; i < names.size(); ++i) {
            const qint16 id =
                MemberTable::insert(names[i], QStringLiteral("か%1").arg(i), QStringLiteral("1960/1/1"), 10);
            MonthlyFixtures::addScore(course, id, names[i], 10, 40 + i, 45);
        }
        Ranking::calculateMonth(course, 1, 2026, Module1::Settings);
        MessageBox::takeShown();
    }
    void cleanup()
    {
        MonthlyFixtures::closeAllWindows();
        m_db.reset();
    }

    void scoreSheet()
    {
        Form4 &sheet = MonthlyFixtures::openSheet(*CourseTable::firstOfMonth(2026, 1));
        const QString path = save(sheet.Command5, m_folder.filePath(QStringLiteral("sheet.csv")));
        QCOMPARE(m_proposed, sheet.windowTitle() + QStringLiteral("_月例会.csv"));
        QCOMPARE(readWithPython(path), shown(*sheet.ScoreGrid));
    }

    void memberListAfterACancelAndAFailure()
    {
        Form7 &list = ParvelaTest::showTableWindow<Form7>();
        save(list.Command5, QString());
        const QString nowhere = m_folder.filePath(QStringLiteral("missing/list.csv"));
        save(list.Command5, nowhere);
        const QVector<MessageBox::Shown> messages = MessageBox::takeShown();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().text.startsWith(QStringLiteral("「%1」に保存できません").arg(nowhere)));

        const QString path = save(list.Command5, m_folder.filePath(QStringLiteral("list.csv")));
        QCOMPARE(m_proposed, QStringLiteral("メンバー.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.read(3) == "\xEF\xBB\xBF");
        QCOMPARE(readWithPython(path), shown(*list.MemberGrid));
    }

    void annualSummaryWithThePlacesAsText()
    {
        Form9 &summary = ParvelaTest::showTableWindow<Form9>();
        const QString path = save(summary.Command5, m_folder.filePath(QStringLiteral("annual.csv")));
        QCOMPARE(m_proposed, QStringLiteral("2026年度_年間集計.csv"));
        QVector<QStringList> rows = readWithPython(path);
        QStringList januaryPlaces;
        QStringList otherPlaces;
        for (QStringList &row : rows) {
            for (int month = 12; month >= 1; --month)
                (month == 1 ? januaryPlaces : otherPlaces) << row.takeAt(4 + 2 * (month - 1));
        }
        QCOMPARE(rows, shown(*summary.ScoreGrid));
        // In kana order か0, か1, か2, who finished first, second and third.
        QCOMPARE(januaryPlaces, (QStringList{QStringLiteral("1月順位"), QStringLiteral("優勝"),
                                             QStringLiteral("準優勝"), QStringLiteral("3位")}));
        QCOMPARE(otherPlaces.size() - otherPlaces.count(QString()), 11); // their headers only
    }

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
};

PARVELA_TEST_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
