// "CSVに保存" of the three grid windows, read back by an independent reader (Python's csv module)
// and compared with what the grid shows.
#include "../monthly/monthlyfixtures.h"

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

using namespace ParvelaTest;

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

} // namespace

class TestCsvExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<TemporaryDatabase> m_db;
    QString m_proposed;

    // "CSVに保存" from the print button's arrow, the file dialog answered with `answer` (a file
    // name in the test's folder; empty: cancelled).
    QString save(SplitButton *print, const QString &answer)
    {
        const QString path = answer.isEmpty() ? answer : m_folder.filePath(answer);
        FileDialogs::setAnswer([&](const QString &, const QString &proposed, const QString &) {
            m_proposed = QFileInfo(proposed).fileName();
            return path;
        });
        for (QAction *command : print->menu()->actions()) {
            if (command->text() == QStringLiteral("CSVに保存"))
                command->trigger();
        }
        FileDialogs::setAnswer({});
        return path;
    }

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2026);
        const QStringList names = {QStringLiteral("Smith, \"Jack\""), QStringLiteral("二行\n目"),
                                   QStringLiteral(" 空白 ")};
        const qint16 course = CourseTable::insert(2026, 1, QStringLiteral("2026/1/11"), QStringLiteral("東, 西"));
        for (int i = 0; i < names.size(); ++i) {
            const qint16 id =
                MemberTable::insert(names[i], QStringLiteral("か%1").arg(i), QStringLiteral("1960/1/1"), 10);
            addScore(course, id, names[i], 10, 40 + i, 45);
        }
        Ranking::calculateMonth(course, 1, 2026, Module1::Settings);
        MessageBox::takeShown();
    }
    void cleanup()
    {
        closeAllWindows();
        m_db.reset();
    }

    void scoreSheet()
    {
        Form4 &sheet = MonthlyFixtures::openSheet(*CourseTable::firstOfMonth(2026, 1));
        const QString path = save(sheet.Command5, QStringLiteral("sheet.csv"));
        QCOMPARE(m_proposed, sheet.windowTitle() + QStringLiteral("_月例会.csv"));
        QCOMPARE(readWithPython(path), shownTable(*sheet.ScoreGrid));
    }

    void memberListAfterACancelAndAFailure()
    {
        Form7 &list = showTableWindow<Form7>();
        save(list.Command5, QString());
        const QString nowhere = save(list.Command5, QStringLiteral("missing/list.csv"));
        const QVector<MessageBox::Shown> messages = MessageBox::takeShown();
        QVERIFY(messages.size() == 1
                && messages[0].text.startsWith(QStringLiteral("「%1」に保存できません").arg(nowhere)));

        const QString path = save(list.Command5, QStringLiteral("list.csv"));
        QCOMPARE(m_proposed, QStringLiteral("メンバー.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.read(3) == "\xEF\xBB\xBF");
        QCOMPARE(readWithPython(path), shownTable(*list.MemberGrid));
    }

    void annualSummaryWithThePlacesAsText()
    {
        Form9 &summary = showTableWindow<Form9>();
        const QString path = save(summary.Command5, QStringLiteral("annual.csv"));
        QCOMPARE(m_proposed, QStringLiteral("2026年度_年間集計.csv"));
        QVector<QStringList> rows = readWithPython(path);
        QStringList januaryPlaces, otherPlaces;
        for (QStringList &row : rows) {
            for (int month = 12; month >= 1; --month)
                (month == 1 ? januaryPlaces : otherPlaces) << row.takeAt(4 + 2 * (month - 1));
        }
        QCOMPARE(rows, shownTable(*summary.ScoreGrid));
        // In kana order か0, か1, か2, who finished first, second and third.
        QCOMPARE(januaryPlaces, (QStringList{"1月順位", "優勝", "準優勝", "3位"}));
        QCOMPARE(otherPlaces.size() - otherPlaces.count(QString()), 11); // their headers only
    }
};

PARVELA_TEST_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
