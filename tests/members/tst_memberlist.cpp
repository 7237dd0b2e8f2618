// The member list and the member dialog as the organiser uses them, the import from CSV with its
// preview, and a member's handicap history. What the mouse selects and edit and delete act on is
// tested for both grid windows in monthly/tst_scoresheet; the placement there and, for odd stored
// values and a handicap that is no number, in reliability/tst_faults, with an import, a delete and
// 最新HC取得 that fail part-way; the kana order on the bulk add.
#include "parvelatest.h"

#include "members/handicaphistory.h"

#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

using namespace ParvelaTest;

namespace {

// A chart's axes: the time axis's first and last day, the HC axis's ends and its tick count.
QString axesText(const QDate &first, const QDate &last, double lowest, double highest, int ticks)
{
    return QStringLiteral("%1–%2 %3–%4 %5 ticks")
        .arg(first.toString("yyyy/M/d"), last.toString("yyyy/M/d"), NumberText::plain(lowest),
             NumberText::plain(highest), QString::number(ticks));
}

// What a history chart holds: each series' points ("date HC"), then its axes.
QString chartText(QChart *chart)
{
    QStringList parts;
    for (QAbstractSeries *series : chart->series()) {
        QStringList points;
        for (const QPointF &at : static_cast<QXYSeries *>(series)->points())
            points << QDateTime::fromMSecsSinceEpoch(qint64(at.x())).toString("yyyy/M/d ") + NumberText::plain(at.y());
        parts << points.join(", ");
    }
    const auto *time = static_cast<QDateTimeAxis *>(chart->axes(Qt::Horizontal).value(0));
    const auto *hc = static_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
    return parts.join(" | ") + " | "
           + axesText(time->min().date(), time->max().date(), hc->min(), hc->max(), hc->tickCount());
}

// The member dialog that `press` opens: what it showed ("caption:name|kana|birthday|HC"). Then
// each list of texts is typed over the boxes (an empty text keeps the box) and OK pressed, and
// whether the dialog stayed open or closed is added; it is cancelled if still open.
QString memberDialog(const std::function<void()> &press, const QList<QStringList> &typed = {})
{
    return opens(press, [&](QWidget *modal) {
        auto *dialog = static_cast<MemberDialog *>(modal);
        QString seen = QStringList{dialog->nameEdit->text(), dialog->kanaEdit->text(), dialog->birthdayEdit->text(),
                                   dialog->hcEdit->text()}
                           .join('|')
                       + (dialog->okButton->isEnabled() ? "" : " (OK off)");
        for (const QStringList &texts : typed) {
            enterMember(dialog, texts);
            seen += dialog->isVisible() ? " open" : " closed";
        }
        return dialog->windowTitle() + ':' + seen;
    });
}

} // namespace

class TestMemberList : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<TemporaryDatabase> m_db;
    MemberListWindow *m_list = nullptr;

    // "CSVから取込…" (by its shortcut) on a file with this content, then 取込 when it is offered:
    // what the preview showed, if it opened.
    QStringList import(const QByteArray &content)
    {
        QFile file(m_folder.filePath("roster.csv"));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return {};
        file.close();
        FileDialogs::setAnswer(
            [path = file.fileName()](const QString &, const QString &, const QString &) { return path; });
        QStringList seen;
        showActive(m_list); // as again after a dialog
        opens([&] { QTest::keyClick(m_list, Qt::Key_I, Qt::ControlModifier); },
              [&](QWidget *modal) {
                  auto *dialog = static_cast<MemberImportDialog *>(modal);
                  const bool offered = dialog->importButton->isEnabled();
                  seen << dialog->summaryLabel->text() << (offered ? "取込できる" : "取込できない")
                       << shownColumn(*dialog->previewGrid, 5);
                  (offered ? dialog->importButton : dialog->cancelButton)->click();
                  return "seen";
              });
        return seen;
    }

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2026);
        MemberTable::insert("山田太郎", "やまだ", "1960/1/1", 2001684.3);
        m_list = &showTableWindow<MemberListWindow>();
        MessageBox::takeShown();
    }
    void cleanup() { endWindowTest(m_db); }

    // The one window test of the dialog's refusals: a field naming itself (which texts each field
    // takes is tested on MemberEntry), then a taken name. Each stores nothing and leaves the
    // dialog open with what was typed.
    void addStoresWhatWasTypedAndRefusesABadNumberOrATakenName()
    {
        QCOMPARE(memberDialog([&] { m_list->addButton->click(); },
                              {{"山田\t", "やまだ", "1960/1/1", "18'); delete from Member;--"},
                               {"山田太郎", "", "1980/1/1", "10"},
                               {"山田太郎 ", "O'Brien", "1970/5/6'", "18"}}),
                 "追加:||| (OK off) open open closed");
        const QVector<MessageBox::Shown> refused = MessageBox::takeShown();
        QCOMPARE(refused.size(), 2);
        QVERIFY(refused[0].text.startsWith("氏名には制御文字"));
        QCOMPARE(refused[1].text, "既に同じ名前の人がいます\r\n訂正してください");
        // Another name, a space more; the year's handicaps start as the one typed.
        QCOMPARE(count("Member where ID=2 and NAME='山田太郎 ' and HURIKANA='O''Brien' and "
                       "BIRTHDAY='1970/5/6''' and HC=18 and F_HC=18 and E_HC=18"),
                 1);
        QCOMPARE(shownColumn(*m_list->memberGrid, 0) + shownColumn(*m_list->memberGrid, 3),
                 (QStringList{"山田太郎 ", "山田太郎", "18", "2001684.3"}));
        QVERIFY(highlightedRows(*m_list->memberGrid).isEmpty() && !m_list->editButton->isEnabled());
    }

    void editChangesOnlyTheRowsOwnMember()
    {
        const qint16 sato = MemberTable::insert("佐藤", "さとう", "1970/1/1", 25);
        Database::exec("update Member set HC=20,F_HC=22,E_HC=19 where ID=1");
        m_list->reload();
        GridView &grid = *m_list->memberGrid;
        QCOMPARE(memberDialog([&] { doubleClickCell(grid, 2, 0); }, {{"", "", "", "15"}}),
                 "編集:山田太郎|やまだ|1960/1/1|20 closed");
        // Renamed to another member's name: allowed when editing. Then the second of two rows
        // with one name edits its own member.
        clickRow(grid, 1);
        memberDialog([&] { m_list->editButton->click(); }, {{"山田太郎", "", "", ""}});
        memberDialog([&] { doubleClickCell(grid, 2, 3); }, {{"", "", "", "9"}});
        const QString check = "Member where ID=? and NAME='山田太郎' and HC=? and F_HC=? and E_HC=?";
        QCOMPARE(count(check, {1, 9, 22, 19}) + count(check, {sato, 25, 25, 25}), 2);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // 最新HC取得 shows each member's new handicap of their latest calculated month.
    void theLatestHandicapsAreShownInTheList()
    {
        addScore(CourseTable::insert(2026, 5, "2026/5/10", "東"), 1, "山田太郎", 18, 45, 45, 0, 1, 13);
        m_list->latestHandicapButton->click();
        QCOMPARE(shownColumn(*m_list->memberGrid, 3), QStringList{"13"});
    }

    // Which rows a file gives, and their verdicts, are tested on MemberImport. A file of a hundred
    // thousand rows is refused before any preview, the list still usable for the next.
    void importShowsTheVerdictsThenStoresTheNewRows()
    {
        QByteArray huge = "氏名,ふりがな,誕生日,HC\n";
        for (int i = 0; i < 100000; ++i)
            huge += "会員" + QByteArray::number(i) + ",かいいん,1970/1/1,20\n";
        QVERIFY(import(huge).isEmpty());
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QVERIFY(shown.size() == 1
                && shown[0].text
                       == "「roster.csv」は取り込めません。\n新しいメンバーが 100000 人いますが、"
                          "追加できるのはあと 32766 人までです。");
        const QByteArray roster =
            "\xEF\xBB\xBFHC,氏名,ふりがな,誕生日\r\n12,青木,あおき,1970-05-06\r\n18,山田太郎,やまだ,1960/1/1\r\n";
        QStringList seen = import(roster + "x,佐藤,さとう,1980/1/1\r\n");
        QCOMPARE(seen.mid(1), (QStringList{"取込できない", "新規", "重複：同じ名前の人がいます（取り込みません）",
                                           "HC「x」が数値ではありません"}));
        QVERIFY(seen.value(0).contains("最初の誤り：4行目、HC「x」が数値ではありません"));
        QCOMPARE(count("Member"), 1);

        seen = import(roster + "20,佐藤,さとう,1980/1/1\r\n");
        QCOMPARE(seen.value(1), "取込できる");
        QCOMPARE(MessageBox::takeShown().last().text, "2 人を取り込みました。");
        QCOMPARE(shownColumn(*m_list->memberGrid, 0), (QStringList{"青木", "佐藤", "山田太郎"}));
        // The next IDs, the dates as the program writes them, the year's handicaps from the one read.
        QCOMPARE(column("select ID||' '||NAME||' '||BIRTHDAY||' '||HC||' '||F_HC||' '||E_HC from Member "
                        "where ID>1"),
                 (QVariantList{"2 青木 1970/5/6 12.0 12.0 12.0", "3 佐藤 1980/1/1 20.0 20.0 20.0"}));
    }

    // Rounds ("play date HC"), the year's 初HC and 終HC: the axes in 2026. Whole-number ticks a
    // step of 1, 2, 5, 10 … apart, at most eleven ticks, ends just beyond the points.
    void historyChartAxes()
    {
        using Case = std::tuple<QStringList, double, double, const char *>;
        for (const auto &[rounds, firstHc, endHc, axes] : std::initializer_list<Case>{
                 {{"2026/3/1 17", "2026/5/1 17"}, 17, 17, "2026/1/1–2026/12/31 16–18 3 ticks"},
                 {{}, 20, 18.5, "2026/1/1–2026/12/31 18–21 4 ticks"},
                 {{"2026/3/1 16.5", "2026/5/1 17.5"}, 17, 17, "2026/1/1–2026/12/31 16–18 3 ticks"},
                 {{"2024/11/3 1", "2027/2/1 9"}, 5, 5, "2024/11/3–2027/2/1 0–10 11 ticks"},
                 {{"2026/3/1 1", "2026/5/1 10"}, 5, 5, "2026/1/1–2026/12/31 0–12 7 ticks"}}) {
            HandicapHistory::History history;
            history.member.firstHc = firstHc;
            history.member.endHc = endHc;
            for (const QString &round : rounds) {
                history.rounds << PlayedRound{};
                history.rounds.last().playDate = round.section(' ', 0, 0);
                history.rounds.last().hc = round.section(' ', 1).toDouble();
            }
            const HandicapHistory::ChartAxes got = HandicapHistory::chartAxes(history, 2026);
            QCOMPARE(axesText(got.firstDay, got.lastDay, got.lowestHc, got.highestHc, got.hcTicks()),
                     QString::fromUtf8(axes));
        }
    }

    void historyListsEveryRoundAndChartsTheHandicap()
    {
        const qint16 december = CourseTable::insert(2025, 12, "2025/12/7", "西");
        const qint16 january = CourseTable::insert(2026, 1, QString(), "東");
        addScore(january, 1, "山田太郎", 16, 40, 42);
        addScore(december, 1, "山田太郎", 18, 41, 44);
        Ranking::calculateMonth(december, 12, 2025, settings());
        MemberTable::updateHcAndEndHc(1, 16, 15);
        QAction *history = m_list->editButton->menu()->actions().first(); // "HC履歴…"
        QVERIFY(!history->isEnabled());
        clickRow(*m_list->memberGrid, 1);
        QVector<QStringList> rows;
        QStringList label, charts;
        const auto showHistory = [&] {
            onNextDialog<HandicapHistoryWindow>([&](HandicapHistoryWindow *window) {
                rows = shownTable(*window->historyGrid).mid(1);
                label << window->summaryLabel->text();
                charts << chartText(window->chartView->chart());
                window->closeButton->click();
            });
            history->trigger();
        };
        showHistory();
        // Oldest first; the date of a competition without one is its month; place and new HC
        // only once calculated.
        QCOMPARE(rows, (QVector<QStringList>{{"2025/12/7", "西", "18", "85", "67", "優勝", "13"},
                                             {"2026/1", "東", "16", "82", "66", "", ""}}));
        QVERIFY(label.value(0).contains("2026年度 初HC 2001684.3　終HC 15"));
        // Then a member who never played: the year's two points still, over the whole year.
        MemberTable::insert("佐藤", "さとう", "1970/1/1", 17);
        m_list->reload();
        clickRow(*m_list->memberGrid, 1);
        showHistory();
        QCOMPARE(charts, (QStringList{"2025/12/7 18, 2026/1/1 16 | 2026/1/1 2001684.3, 2026/12/31 15 | "
                                      "2025/12/7–2026/12/31 0–2500000 6 ticks",
                                      " | 2026/1/1 17, 2026/12/31 17 | 2026/1/1–2026/12/31 16–18 3 ticks"}));
    }
};

PARVELA_TEST_MAIN(TestMemberList)
#include "tst_memberlist.moc"
