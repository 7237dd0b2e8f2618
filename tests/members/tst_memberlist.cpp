// The member list and the member dialog, as the organiser uses them. What the mouse selects
// and edit and delete act on is tested for both grid windows with the score sheet.
#include "parvelatest.h"

#include "core/database.h"
#include "core/gui/form1.h"
#include "core/membertable.h"
#include "core/settingsstore.h"
#include "members/gui/form7.h"
#include "members/gui/form8.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSet>

using namespace ParvelaTest;

namespace {

qint16 addMember(const QString &name, const QString &kana, double hc = 20)
{
    return MemberTable::insert(name, kana, QStringLiteral("1960/1/1"), hc);
}

// The next member dialog: what it showed ("caption:name|kana|birthday|HC"), then `act` on it;
// it is cancelled if still open.
QString onMemberDialog(const std::function<void()> &press, const std::function<void(Form8 *)> &act = {})
{
    QString seen;
    onNextDialog<Form8>(
        [&](Form8 *dialog) {
            seen = dialog->windowTitle() + QLatin1Char(':')
                   + QStringList{dialog->Text1->text(), dialog->Text2->text(), dialog->Text3->text(),
                                 dialog->Text4->text()}
                         .join(QLatin1Char('|'));
            QPointer<Form8> guard(dialog);
            if (act)
                act(dialog);
            if (guard && guard->isVisible())
                guard->Command2->click();
        },
        500);
    press();
    if (seen.isEmpty())
        QTest::qWait(600); // nothing opened: let the wait for it run out
    return seen;
}

void fill(Form8 *dialog, const QStringList &texts)
{
    for (int i = 0; i < 4; ++i)
        QList<QLineEdit *>{dialog->Text1, dialog->Text2, dialog->Text3, dialog->Text4}[i]->setText(texts[i]);
    dialog->Command1->click();
}

} // namespace

class TestMemberList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;

    Form7 &openList() { return showTableWindow<Form7>(); }

private slots:
    void init()
    {
        m_db = freshSettingsAndDatabase(2026);
        MessageBox::takeShown();
    }

    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            window->close();
        QTRY_VERIFY(!WindowRegistry::instance().existing<Form7>());
        m_db.reset();
    }

    void key2ShowsTheMembersInKanaOrderWithEveryDigit()
    {
        for (const auto &[name, kana] : {std::pair{"木村", "きむら"},
                                         {"河合", "かわい"},
                                         {"後藤", "がとう"},
                                         {"加藤", "かとう"},
                                         {"カトウ", "カトウ"}})
            addMember(QString::fromUtf8(name), QString::fromUtf8(kana), 2001684.3);
        Form1 menu;
        QVERIFY(showActive(&menu));
        QStringList readings, handicaps;
        bool armed = true;
        onNextDialog<Form7>([&](Form7 *list) {
            readings = shownColumn(*list->MemberGrid, 1);
            handicaps = shownColumn(*list->MemberGrid, 3);
            armed = list->Command2->isEnabled() || list->Command3->isEnabled();
            list->Command7->click();
        });
        QTest::keyClick(menu.Command3, Qt::Key_2);
        QCOMPARE(QSet<QString>(readings.begin(), readings.begin() + 2), (QSet<QString>{"かとう", "カトウ"}));
        QCOMPARE(readings.mid(2), (QStringList{"がとう", "かわい", "きむら"}));
        QCOMPARE(handicaps, QStringList(5, QStringLiteral("2001684.3")));
        QVERIFY(!armed);
    }

    void addStoresWhatWasTypedAndRefusesATakenName()
    {
        addMember(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"));
        Form7 &list = openList();
        QVector<MessageBox::Shown> refused;
        bool okAtFirst = true;
        const QString opened = onMemberDialog(
            [&] { list.Command1->click(); },
            [&](Form8 *dialog) {
                okAtFirst = dialog->Command1->isEnabled();
                fill(dialog, {"山田太郎", "やまだ", "1980/1/1", "10"});
                refused = MessageBox::takeShown();
                fill(dialog, {"山田太郎 ", "O'Brien \"Bob\"", "1970/5/6'", "18"}); // another name: a space more
            });
        QCOMPARE(opened, QStringLiteral("追加:|||"));
        QVERIFY(!okAtFirst);
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused[0].text, QStringLiteral("既に同じ名前の人がいます\r\n訂正してください"));
        QCOMPARE(value(QStringLiteral("select count(*) from Member where ID=2 and NAME=? and HURIKANA=? and BIRTHDAY=? "
                                      "and HC=18 and F_HC=18 and E_HC=18"),
                       {"山田太郎 ", "O'Brien \"Bob\"", "1970/5/6'"})
                     .toInt(),
                 1);
        QCOMPARE(shownColumn(*list.MemberGrid, 0), (QStringList{"山田太郎 ", "山田太郎"}));
        QVERIFY(highlightedRows(*list.MemberGrid).isEmpty() && !list.Command2->isEnabled());
    }

    void aHandicapThatIsNoNumberIsRefused()
    {
        Form7 &list = openList();
        bool stayedOpen = false;
        onMemberDialog([&] { list.Command1->click(); },
                       [&](Form8 *dialog) {
                           fill(dialog, {"山田", "やまだ", "1980/1/1", "十八"});
                           stayedOpen = dialog->isVisible();
                       });
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QVERIFY(stayedOpen && shown.size() == 1 && shown[0].text.startsWith(QStringLiteral("HCには")));
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 0);
    }

    void editChangesOnlyTheRowsOwnMember()
    {
        const qint16 yamada = addMember(QStringLiteral("山田"), QStringLiteral("やまだ"), 20);
        const qint16 sato = addMember(QStringLiteral("佐藤"), QStringLiteral("さとう"), 25);
        Database::exec(QStringLiteral("update Member set F_HC=22,E_HC=19 where ID=?"), {yamada});
        Form7 &list = openList();
        const auto setHc = [](const char *hc) {
            return [hc](Form8 *dialog) {
                fill(dialog, {dialog->Text1->text(), dialog->Text2->text(), dialog->Text3->text(), hc});
            };
        };
        QCOMPARE(onMemberDialog([&] { doubleClickCell(*list.MemberGrid, 2, 0); }, setHc("15")),
                 QStringLiteral("編集:山田|やまだ|1960/1/1|20"));
        // Renamed to another member's name: allowed when editing.
        clickRow(*list.MemberGrid, 1);
        onMemberDialog([&] { list.Command2->click(); },
                       [](Form8 *dialog) {
                           fill(dialog, {"山田", dialog->Text2->text(), dialog->Text3->text(), dialog->Text4->text()});
                       });
        // Two rows with one name: the second row edits its own member.
        onMemberDialog([&] { doubleClickCell(*list.MemberGrid, 2, 3); }, setHc("9"));
        const QString check =
            QStringLiteral("select count(*) from Member where ID=? and NAME='山田' and HC=? and F_HC=? "
                           "and E_HC=?");
        QCOMPARE(value(check, {yamada, 9, 22, 19}).toInt(), 1);
        QCOMPARE(value(check, {sato, 25, 25, 25}).toInt(), 1);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void aFailedDeleteRemovesNoneOfTheBlock()
    {
        for (const char *kana : {"あ", "い", "う"})
            addMember(QString::fromUtf8(kana), QString::fromUtf8(kana));
        Database::exec(QStringLiteral("create trigger refuse before delete on Member when old.HURIKANA='う' "
                                      "begin select raise(abort, 'refused'); end"));
        Form7 &list = openList();
        clickRow(*list.MemberGrid, 1);
        clickRow(*list.MemberGrid, 3, Qt::ShiftModifier);
        list.Command3->click();
        QVERIFY(takeOnlyError());
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 3);
        QCOMPARE(list.MemberGrid->rows(), 4);
    }

    void placementAndWidthsAreKeptAndEscCloses()
    {
        {
            Form7 &list = openList();
            list.MemberGrid->setColWidth(0, 3000);
            list.showMaximized();
            list.Command7->click();
        }
        QTRY_VERIFY(!WindowRegistry::instance().existing<Form7>());
        QCOMPARE(SettingsStore::read(SettingKeys::windowState(QStringLiteral("Form7")), QString()),
                 QStringLiteral("2"));
        Form7 &list = openList();
        QVERIFY(list.isMaximized());
        QCOMPARE(list.MemberGrid->colWidth(0), 3000);
        list.MemberGrid->setColWidth(1, 2400);
        QTest::keyClick(list.MemberGrid, Qt::Key_Escape);
        QTRY_VERIFY(!WindowRegistry::instance().existing<Form7>());
        QCOMPARE(SettingsStore::read(SettingKeys::gridColumnWidth(1), QString()), QStringLiteral("2400"));
    }
};

PARVELA_TEST_MAIN(TestMemberList)
#include "tst_memberlist.moc"
