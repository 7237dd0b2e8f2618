#include "parvelatest.h"

#include "core/coursetable.h"
#include "core/database.h"
#include "core/gui/form1.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "core/settingsstore.h"
#include "members/gui/form7.h"
#include "members/gui/form8.h"
#include "monthly/gui/form10.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <memory>

using ParvelaTest::column;
using ParvelaTest::value;

namespace {

QPoint cellCentre(Grid *grid, int row, int col = 0)
{
    return grid->visualRect(grid->model()->index(row - 1, col)).center();
}

void clickRow(Grid *grid, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cellCentre(grid, row));
}

void doubleClickRow(Grid *grid, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(grid, row));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(grid, row));
}

QStringList gridColumn(Grid *grid, int col)
{
    QStringList texts;
    for (int row = 1; row < grid->rows(); ++row)
        texts << grid->textAt(row, col);
    return texts;
}

qint16 addMember(const QString &name, const QString &kana, double hc = 20)
{
    return MemberTable::insert(name, kana, QStringLiteral("1960/1/1"), hc);
}

// What the member dialog showed when it opened.
struct DialogSeen
{
    bool opened = false;
    QString title;
    QStringList fields;
    bool okEnabled = false;
};

void fill(Form8 *dialog, const QString &name, const QString &kana, const QString &birthday, const QString &hc)
{
    dialog->Text1->setText(name);
    dialog->Text2->setText(kana);
    dialog->Text3->setText(birthday);
    dialog->Text4->setText(hc);
}

// On the next member dialog: record what it shows, let `act` work on it, and close it if
// it is still open.
void onMemberDialog(DialogSeen *seen, std::function<void(Form8 *)> act = {}, int timeoutMs = 5000)
{
    ParvelaTest::onNextModal(
        [seen, act](QWidget *widget) {
            auto *dialog = qobject_cast<Form8 *>(widget);
            if (!dialog) {
                widget->close();
                return;
            }
            seen->opened = true;
            seen->title = dialog->windowTitle();
            seen->fields =
                QStringList{dialog->Text1->text(), dialog->Text2->text(), dialog->Text3->text(), dialog->Text4->text()};
            seen->okEnabled = dialog->Command1->isEnabled();
            QPointer<Form8> guard(dialog);
            if (act)
                act(dialog);
            if (guard && guard->isVisible())
                guard->Command2->click();
        },
        timeoutMs);
}

} // namespace

class TestMemberList : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

    Form7 &openList() { return ParvelaTest::showTableWindow<Form7>(); }

    // Closes the list as its close button does; true once the window is gone.
    bool closeList()
    {
        if (Form7 *list = WindowRegistry::instance().existing<Form7>())
            list->Command7->click();
        return QTest::qWaitFor([] { return WindowRegistry::instance().existing<Form7>() == nullptr; }, 2000);
    }

private slots:
    void init()
    {
        ParvelaTest::clearSettings();
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        MessageBox::takeShown();
    }

    void cleanup()
    {
        closeList();
        m_db.reset();
    }

    void key2OnTheMainMenuShowsMembersInKanaOrder()
    {
        addMember(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"), 12.5);
        addMember(QStringLiteral("青木一郎"), QStringLiteral("あおきいちろう"), 18);
        addMember(QStringLiteral("佐藤花子"), QStringLiteral("さとうはなこ"), 30);
        Form1 menu;
        QVERIFY(ParvelaTest::showActive(&menu));
        QString caption;
        QStringList headers, names, kana, hcs;
        bool editEnabled = true, deleteEnabled = true;
        ParvelaTest::onNextModal([&](QWidget *widget) {
            auto *list = qobject_cast<Form7 *>(widget);
            if (list) {
                caption = list->windowTitle();
                for (int col = 0; col < 4; ++col)
                    headers << list->MemberGrid->textAt(0, col);
                names = gridColumn(list->MemberGrid, 0);
                kana = gridColumn(list->MemberGrid, 1);
                hcs = gridColumn(list->MemberGrid, 3);
                editEnabled = list->Command2->isEnabled();
                deleteEnabled = list->Command3->isEnabled();
                list->Command7->click();
            } else {
                widget->close();
            }
        });
        QTest::keyClick(&menu, Qt::Key_2);
        QCOMPARE(caption, QStringLiteral("メンバー"));
        QCOMPARE(headers, (QStringList{QStringLiteral("氏名"), QStringLiteral("ふりがな"), QStringLiteral("誕生日"),
                                       QStringLiteral("HC")}));
        QCOMPARE(names,
                 (QStringList{QStringLiteral("青木一郎"), QStringLiteral("佐藤花子"), QStringLiteral("山田太郎")}));
        QCOMPARE(kana.first(), QStringLiteral("あおきいちろう"));
        QCOMPARE(hcs, (QStringList{QStringLiteral("18"), QStringLiteral("30"), QStringLiteral("12.5")}));
        QVERIFY(!editEnabled);
        QVERIFY(!deleteEnabled);
        // Closing remembered the window.
        QCOMPARE(SettingsStore::read(SettingKeys::windowState(QStringLiteral("Form7")), QStringLiteral("none")),
                 QStringLiteral("0"));
        QCOMPARE(SettingsStore::read(SettingKeys::gridColumnWidth(2), QStringLiteral("none")), QStringLiteral("1500"));
    }

    void emptyListOffersOnlyAdd()
    {
        Form7 &list = openList();
        QCOMPARE(list.MemberGrid->rows(), 1);
        QCOMPARE(list.MemberGrid->row(), 0);
        QTest::mouseClick(list.MemberGrid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 40));
        QVERIFY(!list.Command2->isEnabled());
        QVERIFY(!list.Command3->isEnabled());
        DialogSeen seen;
        onMemberDialog(&seen, {}, 100);
        QTest::mouseDClick(list.MemberGrid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 40));
        QTest::qWait(200); // longer than the hook waits for a dialog
        QVERIFY(!seen.opened);
        list.Command3->setEnabled(true);
        list.Command3->click(); // nothing selected: nothing happens, nothing fails
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void addStoresTheHandicapThreeTimesAndTheTextsAsTyped()
    {
        addMember(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"));
        Form7 &list = openList();
        DialogSeen seen;
        bool okAfterFill = false;
        onMemberDialog(&seen, [&](Form8 *dialog) {
            fill(dialog, QStringLiteral("O'Brien \"Bob\""), QStringLiteral("おぶらいえん'"),
                 QStringLiteral("1970/5/6'"), QStringLiteral("18"));
            okAfterFill = dialog->Command1->isEnabled();
            dialog->Command1->click();
        });
        list.Command1->click();
        QVERIFY(seen.opened);
        QCOMPARE(seen.title, QStringLiteral("追加"));
        QCOMPARE(seen.fields, (QStringList{QString(), QString(), QString(), QString()}));
        QVERIFY(!seen.okEnabled);
        QVERIFY(okAfterFill);

        const QVariant id =
            value(QStringLiteral("select ID from Member where NAME=?"), {QStringLiteral("O'Brien \"Bob\"")});
        QVERIFY(id.isValid());
        QCOMPARE(id.toInt(), 2);
        QCOMPARE(value(QStringLiteral("select HURIKANA from Member where ID=2")).toString(),
                 QStringLiteral("おぶらいえん'"));
        QCOMPARE(value(QStringLiteral("select BIRTHDAY from Member where ID=2")).toString(),
                 QStringLiteral("1970/5/6'"));
        for (const char *col : {"HC", "F_HC", "E_HC"})
            QCOMPARE(value(QStringLiteral("select %1 from Member where ID=2").arg(QLatin1String(col))).toDouble(),
                     18.0);
        // The list was reloaded in kana order and its last row is current.
        QCOMPARE(gridColumn(list.MemberGrid, 0),
                 (QStringList{QStringLiteral("O'Brien \"Bob\""), QStringLiteral("山田太郎")}));
        QCOMPARE(list.MemberGrid->row(), 2);
    }

    void duplicateNameIsRefusedExactly()
    {
        addMember(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"));
        addMember(QStringLiteral("ＡＢＣ"), QStringLiteral("えーびーしー"));
        Form7 &list = openList();
        DialogSeen seen;
        QVector<MessageBox::Shown> shown;
        bool openAfterRefusal = false;
        QString nameAfterRefusal;
        onMemberDialog(&seen, [&](Form8 *dialog) {
            fill(dialog, QStringLiteral("山田太郎"), QStringLiteral("やまだ"), QStringLiteral("1980/1/1"),
                 QStringLiteral("10"));
            dialog->Command1->click();
            shown = MessageBox::takeShown();
            openAfterRefusal = dialog->isVisible();
            nameAfterRefusal = dialog->Text1->text();
            dialog->Text1->setText(QStringLiteral("山田太郎 "));
            dialog->Command1->click();
        });
        list.Command1->click();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().icon, QMessageBox::Information);
        QCOMPARE(shown.first().title, QStringLiteral("Parvela"));
        QCOMPARE(shown.first().text, QStringLiteral("既に同じ名前の人がいます\r\n訂正してください"));
        QVERIFY(openAfterRefusal);
        QCOMPARE(nameAfterRefusal, QStringLiteral("山田太郎"));
        QCOMPARE(
            value(QStringLiteral("select count(*) from Member where NAME=?"), {QStringLiteral("山田太郎")}).toInt(), 1);
        QCOMPARE(
            value(QStringLiteral("select count(*) from Member where NAME=?"), {QStringLiteral("山田太郎 ")}).toInt(),
            1);

        // Half-width letters are another name than the full-width ones.
        DialogSeen second;
        onMemberDialog(&second, [](Form8 *dialog) {
            fill(dialog, QStringLiteral("ABC"), QStringLiteral("えーびーしー"), QStringLiteral("1980/1/1"),
                 QStringLiteral("10"));
            dialog->Command1->click();
        });
        list.Command1->click();
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 4);
    }

    void editChangesOnlyWhatWasTypedAndMayReuseAName()
    {
        const qint16 yamada = addMember(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"), 20);
        const qint16 sato = addMember(QStringLiteral("佐藤花子"), QStringLiteral("さとうはなこ"), 25);
        Database::exec(QStringLiteral("update Member set F_HC=22,E_HC=19 where ID=?"), {yamada});
        const qint16 course = CourseTable::insert(2026, 4, QStringLiteral("2026/4/10"), QStringLiteral("コース"));
        ScoreRecord score;
        score.courseId = course;
        score.memberId = sato;
        score.memberName = QStringLiteral("佐藤花子");
        ScoreTable::insert(score);

        Form7 &list = openList();
        // Row 2 is 山田 (さとう before やまだ).
        clickRow(list.MemberGrid, 2);
        QVERIFY(list.Command2->isEnabled());
        QVERIFY(list.Command3->isEnabled());
        DialogSeen seen;
        onMemberDialog(&seen, [](Form8 *dialog) {
            dialog->Text4->setText(QStringLiteral("15"));
            dialog->Command1->click();
        });
        doubleClickRow(list.MemberGrid, 2);
        QCOMPARE(seen.title, QStringLiteral("編集"));
        QCOMPARE(seen.fields, (QStringList{QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"),
                                           QStringLiteral("1960/1/1"), QStringLiteral("20")}));
        QCOMPARE(Module1::EditMemberId, yamada);
        QCOMPARE(value(QStringLiteral("select HC from Member where ID=?"), {yamada}).toDouble(), 15.0);
        QCOMPARE(value(QStringLiteral("select F_HC from Member where ID=?"), {yamada}).toDouble(), 22.0);
        QCOMPARE(value(QStringLiteral("select E_HC from Member where ID=?"), {yamada}).toDouble(), 19.0);
        QCOMPARE(value(QStringLiteral("select NAME from Member where ID=?"), {yamada}).toString(),
                 QStringLiteral("山田太郎"));
        QVERIFY(!list.Command2->isEnabled());
        QVERIFY(!list.Command3->isEnabled());
        QCOMPARE(list.MemberGrid->textAt(2, 3), QStringLiteral("15"));

        // 佐藤 renamed to 山田's name: no refusal when editing; the score row keeps its name.
        clickRow(list.MemberGrid, 1);
        DialogSeen rename;
        onMemberDialog(&rename, [](Form8 *dialog) {
            dialog->Text1->setText(QStringLiteral("山田太郎"));
            dialog->Command1->click();
        });
        list.Command2->click();
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(value(QStringLiteral("select NAME from Member where ID=?"), {sato}).toString(),
                 QStringLiteral("山田太郎"));
        QCOMPARE(value(QStringLiteral("select MEMBER_NAME from Score where MEMBER_ID=?"), {sato}).toString(),
                 QStringLiteral("佐藤花子"));

        // Two rows with one name: editing the second row edits that member, not the first one.
        QCOMPARE(gridColumn(list.MemberGrid, 0), (QStringList{QStringLiteral("山田太郎"), QStringLiteral("山田太郎")}));
        DialogSeen same;
        onMemberDialog(&same, [](Form8 *dialog) {
            dialog->Text4->setText(QStringLiteral("9"));
            dialog->Command1->click();
        });
        doubleClickRow(list.MemberGrid, 2);
        QCOMPARE(same.fields.value(1), QStringLiteral("やまだたろう"));
        QCOMPARE(value(QStringLiteral("select HC from Member where ID=?"), {yamada}).toDouble(), 9.0);
        QCOMPARE(value(QStringLiteral("select HC from Member where ID=?"), {sato}).toDouble(), 25.0);
    }

    void cancelStoresNothing()
    {
        const qint16 yamada = addMember(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"), 20);
        Form7 &list = openList();
        clickRow(list.MemberGrid, 1);
        DialogSeen seen;
        bool openAfterEsc = false;
        onMemberDialog(&seen, [&](Form8 *dialog) {
            dialog->Text4->setText(QStringLiteral("3"));
            QTest::keyClick(dialog->Text4, Qt::Key_Escape); // the dialog has no cancel key
            openAfterEsc = dialog->isVisible();
            dialog->Command2->click();
        });
        list.Command2->click();
        QVERIFY(seen.opened);
        QVERIFY(openAfterEsc);
        QCOMPARE(value(QStringLiteral("select HC from Member where ID=?"), {yamada}).toDouble(), 20.0);
        QCOMPARE(list.MemberGrid->textAt(1, 3), QStringLiteral("20"));
    }

    void deleteRemovesTheSelectedBlock_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("downwards") << 3 << 5;
        QTest::newRow("upwards") << 5 << 3;
    }

    void deleteRemovesTheSelectedBlock()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        const QStringList kana = {QStringLiteral("あ"), QStringLiteral("い"), QStringLiteral("う"),
                                  QStringLiteral("え"), QStringLiteral("お"), QStringLiteral("か"),
                                  QStringLiteral("き")};
        // Added in another order than the kana order the list shows.
        for (int i = kana.size() - 1; i >= 0; --i)
            addMember(QStringLiteral("会員") + kana[i], kana[i]);
        const qint16 course = CourseTable::insert(2026, 4, QStringLiteral("2026/4/10"), QStringLiteral("コース"));
        for (const MemberRecord &member : MemberTable::allByKana()) {
            ScoreRecord score;
            score.courseId = course;
            score.memberId = member.id;
            score.memberName = member.name;
            ScoreTable::insert(score);
        }

        Form7 &list = openList();
        clickRow(list.MemberGrid, from);
        clickRow(list.MemberGrid, to, Qt::ShiftModifier);
        QVERIFY(list.Command3->isEnabled());
        list.Command3->click();
        QCOMPARE(
            column(QStringLiteral("select HURIKANA from Member order by HURIKANA")),
            (QVariantList{QStringLiteral("あ"), QStringLiteral("い"), QStringLiteral("か"), QStringLiteral("き")}));
        QCOMPARE(gridColumn(list.MemberGrid, 1),
                 (QStringList{QStringLiteral("あ"), QStringLiteral("い"), QStringLiteral("か"), QStringLiteral("き")}));
        QCOMPARE(value(QStringLiteral("select count(*) from Score")).toInt(), 7);
        QVERIFY(!list.Command2->isEnabled());
        QVERIFY(!list.Command3->isEnabled());
    }

    void failedDeleteRemovesNoneOfTheBlock()
    {
        for (const QString &kana : {QStringLiteral("あ"), QStringLiteral("い"), QStringLiteral("う")})
            addMember(QStringLiteral("会員") + kana, kana);
        Database::exec(QStringLiteral("create trigger refuse before delete on Member when old.HURIKANA='う' "
                                      "begin select raise(abort, 'refused'); end"));
        Form7 &list = openList();
        clickRow(list.MemberGrid, 1);
        clickRow(list.MemberGrid, 3, Qt::ShiftModifier);
        list.Command3->click();
        QVERIFY(ParvelaTest::takeOnlyError());
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 3);
        QCOMPARE(list.MemberGrid->rows(), 4);
    }

    void rightClickOpensAdd()
    {
        addMember(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"));
        Form7 &list = openList();
        DialogSeen seen;
        onMemberDialog(&seen);
        QTest::mouseClick(list.MemberGrid->viewport(), Qt::RightButton, Qt::NoModifier,
                          cellCentre(list.MemberGrid, 1, 2));
        QVERIFY(seen.opened);
        QCOMPARE(seen.title, QStringLiteral("追加"));
        QCOMPARE(seen.fields, (QStringList{QString(), QString(), QString(), QString()}));
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 1);
    }

    void okNeedsAllFourFields()
    {
        Form8 dialog;
        dialog.setWindowTitle(Form8::AddCaption);
        QVERIFY(!dialog.Command1->isEnabled());
        QLineEdit *fields[] = {dialog.Text1, dialog.Text2, dialog.Text3, dialog.Text4};
        for (QLineEdit *field : fields)
            field->setText(QStringLiteral("x"));
        QVERIFY(dialog.Command1->isEnabled());
        for (QLineEdit *field : fields) {
            field->clear();
            QVERIFY(!dialog.Command1->isEnabled());
            field->setText(QStringLiteral("1"));
            QVERIFY(dialog.Command1->isEnabled());
        }
    }

    void handicapMustBeANumber()
    {
        Form7 &list = openList();
        QVector<MessageBox::Shown> shown;
        bool openAfterRefusal = false;
        DialogSeen seen;
        onMemberDialog(&seen, [&](Form8 *dialog) {
            fill(dialog, QStringLiteral("山田太郎"), QStringLiteral("やまだ"), QStringLiteral("1980/1/1"),
                 QStringLiteral("十八"));
            dialog->Command1->click();
            dialog->Text4->setText(QStringLiteral("18; drop table Member"));
            dialog->Command1->click();
            shown = MessageBox::takeShown();
            openAfterRefusal = dialog->isVisible();
        });
        list.Command1->click();
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown.first().text.contains(QStringLiteral("HC")));
        QCOMPARE(shown.first().title, QStringLiteral("Parvela"));
        QVERIFY(openAfterRefusal);
        QCOMPARE(value(QStringLiteral("select count(*) from Member")).toInt(), 0);
        QCOMPARE(list.MemberGrid->rows(), 1);
    }

    void enterMovesOnAndTheButtonPicksTheBirthday()
    {
        Module1::EditMemberId = 0;
        Form8 &dialog = WindowRegistry::instance().form<Form8>();
        dialog.setWindowTitle(Form8::AddCaption);
        dialog.Text3->setText(QStringLiteral("1960/4/1"));
        QVERIFY(ParvelaTest::showActive(&dialog));
        dialog.Text1->setFocus();
        QTest::keyClick(dialog.Text1, Qt::Key_Return);
        const bool onKana = dialog.Text2->hasFocus();
        QTest::keyClick(dialog.Text2, Qt::Key_Return);
        const bool onBirthday = dialog.Text3->hasFocus();
        QTest::keyClick(dialog.Text3, Qt::Key_Return);
        const bool onPicker = dialog.Command3->hasFocus();
        QDate seeded;
        ParvelaTest::onNextModal([&](QWidget *widget) {
            if (auto *picker = qobject_cast<Form10 *>(widget)) {
                seeded = picker->MonthView1->selectedDate();
                picker->MonthView1_DateClick(QDate(1965, 3, 4));
            } else {
                widget->close();
            }
        });
        QTest::keyClick(dialog.Command3, Qt::Key_Return);
        QVERIFY(onKana);
        QVERIFY(onBirthday);
        QVERIFY(onPicker);
        QCOMPARE(seeded, QDate(1960, 4, 1));
        QCOMPARE(dialog.Text3->text(), QStringLiteral("1965/3/4"));
        QVERIFY(dialog.isVisible());
        QPointer<Form8> guard(&dialog);
        dialog.close();
        QTRY_VERIFY(guard.isNull());
    }

    void latestHandicapButtonReloadsTheList()
    {
        Module1::Settings.EditYear = 2026;
        const qint16 yamada = addMember(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"), 20);
        const qint16 april = CourseTable::insert(2026, 4, QStringLiteral("2026/4/10"), QStringLiteral("コース"));
        const qint16 september = CourseTable::insert(2026, 9, QStringLiteral("2026/9/10"), QStringLiteral("コース"));
        for (const auto &[course, newHc] : {std::pair<qint16, double>{april, 12}, {september, 10}}) {
            ScoreRecord score;
            score.courseId = course;
            score.memberId = yamada;
            score.memberName = QStringLiteral("山田太郎");
            score.hc = 20;
            ScoreTable::updateNewHcAndRank(ScoreTable::insert(score), newHc, 1);
        }
        Form7 &list = openList();
        clickRow(list.MemberGrid, 1);
        list.Command6->click();
        QCOMPARE(list.MemberGrid->textAt(1, 3), QStringLiteral("10"));
        QCOMPARE(value(QStringLiteral("select F_HC from Member where ID=?"), {yamada}).toDouble(), 20.0);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(list.Command2->isEnabled()); // left as it was

        // A failing run is reported, changes nothing and gives the normal pointer back.
        Database::exec(QStringLiteral("update Score set NEW_HC=7 where COURSE_ID=?"), {september});
        Database::exec(QStringLiteral("create trigger refuse before update of HC on Member "
                                      "begin select raise(abort, 'refused'); end"));
        list.Command6->click();
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(list.MemberGrid->textAt(1, 3), QStringLiteral("10"));
    }

    void placementAndColumnWidthsAreKept()
    {
        addMember(QStringLiteral("山田太郎"), QStringLiteral("やまだたろう"));
        {
            Form7 &list = openList();
            QCOMPARE(list.MemberGrid->colWidth(2), 1500);
            list.MemberGrid->setColWidth(0, 3000);
            list.showMaximized();
            QTRY_VERIFY(list.isMaximized());
        }
        QVERIFY(closeList());
        QCOMPARE(SettingsStore::read(SettingKeys::windowState(QStringLiteral("Form7")), QString()),
                 QStringLiteral("2"));
        QCOMPARE(SettingsStore::read(SettingKeys::gridColumnWidth(0), QString()), QStringLiteral("3000"));
        {
            Form7 &list = openList();
            QVERIFY(list.isMaximized());
            QCOMPARE(list.MemberGrid->colWidth(0), 3000);
            QCOMPARE(list.MemberGrid->colWidth(2), 1500);
            list.Command7->click();
        }
        QVERIFY(closeList());
        // The Esc key closes the list as its close button does.
        SettingsStore::save(SettingKeys::windowState(QStringLiteral("Form7")), QStringLiteral("0"));
        Form7 &list = openList();
        list.MemberGrid->setColWidth(1, 2400);
        QTest::keyClick(list.MemberGrid, Qt::Key_Escape);
        QTRY_VERIFY(WindowRegistry::instance().existing<Form7>() == nullptr);
        QCOMPARE(SettingsStore::read(SettingKeys::gridColumnWidth(1), QString()), QStringLiteral("2400"));
    }

    void layoutFollowsTheWindowSize()
    {
        Form7 &list = openList();
        list.resize(400, 300);
        QTRY_COMPARE(list.height(), 300);
        QCOMPARE(list.Command1->y(), 300 - 32);
        QCOMPARE(list.Command6->y(), 300 - 32);
        QCOMPARE(list.Command7->x(), 400 - 80);
        QCOMPARE(list.Command1->x(), 8);
        QCOMPARE(list.MemberGrid->size(), QSize(400 - 16, 300 - 48));
        list.resize(30, 20);
        QTRY_COMPARE(list.height(), 20);
        QVERIFY(list.MemberGrid->width() >= 0);
        QVERIFY(list.MemberGrid->height() >= 0);
        QVERIFY(list.Command1->y() >= 0);
    }
};

PARVELA_TEST_MAIN(TestMemberList)
#include "tst_memberlist.moc"
