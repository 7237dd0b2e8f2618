// The settings dialog as a user meets it: opened from the main menu's 設定 button, edited,
// stored with OK or left with the close box.
#include "parvelatest.h"

#include "core/database.h"
#include "core/gui/form1.h"
#include "core/gui/form2.h"
#include "core/gui/windowregistry.h"
#include "core/module1.h"
#include "core/settingsstore.h"
#include "monthly/gui/form3.h"
#include "platform/gui/messagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace {

// The thirteen record keys in the order they are saved.
QStringList recordKeys()
{
    using namespace SettingKeys;
    return {EditYear,    Par1st,     Par2nd,     Par3rd,     OptTori1,   OptTori1Val, OptTori2,
            OptTori2Val, TenTori[0], TenTori[1], TenTori[2], TenTori[3], PrintSize};
}

const QString Missing = QStringLiteral("(missing)");

QStringList storedValues()
{
    QStringList values;
    for (const QString &key : recordKeys())
        values << SettingsStore::read(key, Missing);
    return values;
}

QStringList recordValues(const SettingsRecord &r)
{
    return {QString::number(r.EditYear),        SettingsStore::floatText(r.par1st), SettingsStore::floatText(r.par2nd),
            SettingsStore::floatText(r.par3rd), QString::number(r.optTori1),        QString::number(r.optTori1val),
            QString::number(r.optTori2),        QString::number(r.optTori2val),     QString::number(r.tenTori[0]),
            QString::number(r.tenTori[1]),      QString::number(r.tenTori[2]),      QString::number(r.tenTori[3]),
            QString::number(r.printSize)};
}

// Stores the values under the record keys (an empty text leaves the key out) and starts afresh.
void storeSettings(const QStringList &values)
{
    ParvelaTest::clearSettings();
    const QStringList keys = recordKeys();
    for (int i = 0; i < keys.size(); ++i) {
        if (!values[i].isEmpty())
            SettingsStore::save(keys[i], values[i]);
    }
    Module1::LoadSettings();
}

// The fields that hold numbers, in the order of the dialog.
QList<QLineEdit *> numberFields(Form2 *form)
{
    return {form->Text1,    form->Text2,     form->Text3,     form->Text4,     form->boxTori1,
            form->boxTori2, form->boxTen[0], form->boxTen[1], form->boxTen[2], form->boxTen[3]};
}

const QStringList StoredExample = {
    QStringLiteral("2003"), QStringLiteral("0.75"), QStringLiteral("0.85"), QStringLiteral("0.95"), QStringLiteral("0"),
    QStringLiteral("5"),    QStringLiteral("1"),    QStringLiteral("12"),   QStringLiteral("3"),    QStringLiteral("4"),
    QStringLiteral("5"),    QStringLiteral("6"),    QStringLiteral("150")};

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        ParvelaTest::clearSettings();
        Database::close(); // the menu's own load step opens it
        m_menu = std::make_unique<Form1>();
        QVERIFY(m_menu->Form_Load());
        QVERIFY(ParvelaTest::showActive(m_menu.get()));
        MessageBox::takeShown();
    }
    void cleanup()
    {
        m_menu.reset();
        m_db.reset();
        MessageBox::takeShown();
    }

    void okFollowsTheYearBox()
    {
        QList<bool> enabled;
        QString title;
        openSettings([&](Form2 *form) {
            title = form->windowTitle();
            enabled << form->Command1->isEnabled();
            form->Text1->selectAll();
            QTest::keyClick(form->Text1, Qt::Key_Delete);
            enabled << form->Command1->isEnabled();
            QTest::keyClicks(form->Text1, QStringLiteral("2004"));
            enabled << form->Command1->isEnabled();
            form->Text1->clear();
            QTest::keyClicks(form->Text1, QStringLiteral("20a4"));
            enabled << form->Command1->isEnabled();
            form->close();
        });
        QCOMPARE(title, QStringLiteral("設定"));
        QCOMPARE(enabled, (QList<bool>{true, false, true, false}));
    }

    void opensWithTheRecordAndOkStoresAllThirteenKeys()
    {
        // No year stored: the clock's year is shown and becomes a stored year.
        QStringList values = StoredExample;
        values[0].clear();
        storeSettings(values);
        QStringList shown;
        QStringList frames;
        QStringList scales;
        bool closed = false;
        openSettings([&](Form2 *form) {
            for (QLineEdit *field : numberFields(form))
                shown << field->text();
            shown << QString::number(form->Check1->isChecked()) << QString::number(form->Check2->isChecked())
                  << form->Combo1->currentText();
            for (QGroupBox *frame : {form->Frame1, form->Frame2, form->Frame3, form->Frame4})
                frames << frame->title();
            for (int i = 0; i < form->Combo1->count(); ++i)
                scales << form->Combo1->itemText(i);
            form->Command1->click();
            closed = !form->isVisible();
            if (!closed)
                form->close();
        });
        const QString year = QString::number(QDate::currentDate().year());
        QCOMPARE(shown, (QStringList{year, "0.75", "0.85", "0.95", "5", "12", "3", "4", "5", "6", "0", "1", "150"}));
        QCOMPARE(frames, (QStringList{"新HC計算", "取り切り出場資格", "点数", "印刷"}));
        QCOMPARE(scales, (QStringList{"200", "150", "100", "75", "50"}));
        QVERIFY(closed);
        values[0] = year;
        QCOMPARE(storedValues(), values);
        QCOMPARE(recordValues(Module1::Settings), values);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void aNewYearReachesTheMonthWindow()
    {
        openSettings([&](Form2 *form) {
            form->Text1->clear();
            QTest::keyClicks(form->Text1, QStringLiteral("2004"));
            form->Command1->click();
        });
        QCOMPARE(Module1::Settings.EditYear, qint16(2004));
        QCOMPARE(SettingsStore::read(SettingKeys::EditYear, Missing), QStringLiteral("2004"));
        QTest::keyClick(m_menu.get(), Qt::Key_1);
        Form3 *months = WindowRegistry::instance().existing<Form3>();
        QVERIFY(months);
        QCOMPARE(months->Label1->text(), QStringLiteral("2004年度"));
        months->close();
    }

    void closeBoxChangesNothing()
    {
        storeSettings(StoredExample);
        const QStringList before = storedValues();
        openSettings([&](Form2 *form) {
            for (QLineEdit *field : numberFields(form))
                field->setText(QStringLiteral("9"));
            form->Check1->setChecked(true);
            form->Check2->setChecked(false);
            form->Combo1->setCurrentIndex(4);
            form->close();
        });
        QVERIFY(MessageBox::takeShown().isEmpty());
        QCOMPARE(storedValues(), before);
        QCOMPARE(recordValues(Module1::Settings), StoredExample);
    }

    void escapeLeavesTheDialogOpen()
    {
        bool openAfterEscape = false;
        openSettings([&](Form2 *form) {
            form->Text1->setText(QStringLiteral("1999"));
            QTest::keyClick(form->Text1, Qt::Key_Escape);
            openAfterEscape = form->isVisible();
            form->close();
        });
        QVERIFY(openAfterEscape);
        QCOMPARE(SettingsStore::read(SettingKeys::EditYear, Missing), Missing);
        QCOMPARE(Module1::Settings.EditYear, qint16(QDate::currentDate().year()));
    }

    void storedScaleIsSelectedAndKept_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("pick");
        QTest::addColumn<QString>("saved");
        const QStringList offered = {"200", "150", "100", "75", "50"};
        QTest::newRow("75 on the list") << "75" << offered << -1 << "75";
        QTest::newRow("120 shown in its place")
            << "120" << QStringList{"200", "150", "120", "100", "75", "50"} << -1 << "120";
        QTest::newRow("120 replaced by the user's pick")
            << "120" << QStringList{"200", "150", "120", "100", "75", "50"} << 5 << "50";
    }
    void storedScaleIsSelectedAndKept()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, entries);
        QFETCH(int, pick);
        QFETCH(QString, saved);
        QStringList values = StoredExample;
        values[12] = stored;
        storeSettings(values);
        QString selected;
        QStringList shownEntries;
        openSettings([&](Form2 *form) {
            selected = form->Combo1->currentText();
            for (int i = 0; i < form->Combo1->count(); ++i)
                shownEntries << form->Combo1->itemText(i);
            if (pick >= 0)
                form->Combo1->setCurrentIndex(pick);
            form->Command1->click();
        });
        QCOMPARE(selected, stored);
        QCOMPARE(shownEntries, entries);
        QCOMPARE(SettingsStore::read(SettingKeys::PrintSize, Missing), saved);
        QCOMPARE(QString::number(Module1::Settings.printSize), saved);
    }

    void badFieldIsRefusedAndNothingChanges_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString whole = QStringLiteral("には-32768から32767までの数値を入力してください。");
        QTest::newRow("year beyond 16 bits") << 0 << "40000" << QStringLiteral("西暦") + whole;
        QTest::newRow("winner multiplier text") << 1 << "abc"
                                                << "優勝の倍率には数値を入力してください。";
        QTest::newRow("runner-up multiplier empty") << 2 << ""
                                                    << "準優勝の倍率には数値を入力してください。";
        QTest::newRow("third multiplier beyond single") << 3 << "1e60"
                                                        << "3位の倍率には数値を入力してください。";
        QTest::newRow("months played text") << 4 << "6回" << QStringLiteral("出場回数") + whole;
        QTest::newRow("points beyond 16 bits") << 5 << "32767.5" << QStringLiteral("取り切りの点数") + whole;
        QTest::newRow("attendance points empty") << 6 << "" << QStringLiteral("出席の点数") + whole;
        QTest::newRow("win points comma") << 7 << "3,5" << QStringLiteral("優勝の点数") + whole;
        QTest::newRow("second points text") << 8 << "x" << QStringLiteral("準優勝の点数") + whole;
        QTest::newRow("third points below 16 bits") << 9 << "-40000" << QStringLiteral("3位の点数") + whole;
    }
    void badFieldIsRefusedAndNothingChanges()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        storeSettings(StoredExample);
        const QStringList before = storedValues();
        bool stayedOpen = false;
        bool focusOnField = false;
        openSettings([&](Form2 *form) {
            // Every other field holds a valid new value, so a partial store would show.
            const QStringList valid = {"2010", "0.5", "0.6", "0.65", "4", "9", "1", "1", "1", "1"};
            const QList<QLineEdit *> fields = numberFields(form);
            for (int i = 0; i < fields.size(); ++i)
                fields[i]->setText(i == field ? text : valid[i]);
            form->Check1->setChecked(true);
            form->Combo1->setCurrentIndex(0);
            form->Command1->click();
            stayedOpen = form->isVisible();
            focusOnField = form->focusWidget() == fields[field];
            form->close();
        });
        QVERIFY(stayedOpen);
        QVERIFY(focusOnField);
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(shown[0].title, QStringLiteral("Parvela"));
        QCOMPARE(shown[0].text, message);
        QCOMPARE(storedValues(), before);
        QCOMPARE(recordValues(Module1::Settings), StoredExample);
    }

    void fractionsGoToTheNearestWholeNumberHalvesToEven()
    {
        openSettings([&](Form2 *form) {
            form->boxTori1->setText(QStringLiteral("6.5"));
            form->boxTori2->setText(QStringLiteral("7.5"));
            form->boxTen[0]->setText(QStringLiteral("2.6"));
            form->Text2->setText(QStringLiteral("0.65"));
            form->Command1->click();
        });
        QCOMPARE(Module1::Settings.optTori1val, qint16(6));
        QCOMPARE(Module1::Settings.optTori2val, qint16(8));
        QCOMPARE(Module1::Settings.tenTori[0], qint16(3));
        QCOMPARE(SettingsStore::read(SettingKeys::OptTori1Val, Missing), QStringLiteral("6"));
        QCOMPARE(SettingsStore::read(SettingKeys::OptTori2Val, Missing), QStringLiteral("8"));
        QCOMPARE(SettingsStore::read(SettingKeys::TenTori[0], Missing), QStringLiteral("3"));
        QCOMPARE(SettingsStore::read(SettingKeys::Par1st, Missing), QStringLiteral("0.65"));
    }

    void aStoreThatCannotBeWrittenIsReported()
    {
        // A folder where the settings file should be: the store cannot be written.
        const QString file = SettingsStore::fileName();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));
        openSettings([&](Form2 *form) {
            form->Text1->setText(QStringLiteral("2005"));
            form->Command1->click();
        });
        const auto shown = MessageBox::takeShown();
        QVERIFY(QDir(file).removeRecursively());
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QVERIFY2(shown[0].text.startsWith(QStringLiteral("設定を保存できませんでした。")), qPrintable(shown[0].text));
        QCOMPARE(Module1::Settings.EditYear, qint16(2005)); // in effect for this run
    }

private:
    // Opens the dialog from the main menu's button and runs `act` inside it; the dialog must be
    // closed by `act` (OK or the close box).
    void openSettings(const std::function<void(Form2 *)> &act)
    {
        bool seen = false;
        ParvelaTest::onNextDialog<Form2>([&](Form2 *form) {
            seen = true;
            act(form);
            if (form->isVisible())
                form->close();
        });
        m_menu->Command3->click();
        QVERIFY(seen);
    }

    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    std::unique_ptr<Form1> m_menu;
};

PARVELA_TEST_MAIN(TestForm2)
#include "tst_form2.moc"
