// The main menu and the settings dialog as a user meets them: start-up, keys, exit, settings
// stored or refused; and Enter on a focused button, which presses it in every
// window.
#include "parvelatest.h"

#include "annual/gui/form9.h"
#include "core/database.h"
#include "core/gui/form1.h"
#include "core/gui/form11.h"
#include "core/gui/form2.h"
#include "core/module1.h"
#include "core/settingsstore.h"
#include "members/gui/form7.h"
#include "monthly/gui/form12.h"
#include "monthly/gui/form3.h"
#include "monthly/gui/form4.h"
#include "monthly/gui/form6.h"
#include "platform/gui/messagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace ParvelaTest;

namespace {

const QStringList Keys = {"EditYear",    "par1st",   "par2nd",   "par3rd",   "optTori1", "optTori1val", "optTori2",
                          "optTori2val", "tenTori0", "tenTori1", "tenTori2", "tenTori3", "printSize"};

QStringList storedSettings()
{
    QStringList values;
    for (const QString &key : Keys)
        values << SettingsStore::read(key, QString());
    return values;
}

QList<QLineEdit *> numberBoxes(Form2 *form)
{
    return {form->Text1,    form->Text2,     form->Text3,     form->Text4,     form->boxTori1,
            form->boxTori2, form->boxTen[0], form->boxTen[1], form->boxTen[2], form->boxTen[3]};
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;
    std::unique_ptr<Form1> m_menu;

    bool copyHelpFileAs(const QString &name)
    {
        const QDir source(QString::fromLocal8Bit(qgetenv("PARVELA_SOURCE_DIR")));
        return QFile::copy(source.filePath(QStringLiteral("data/parvela.hlp")), QDir(m_db->folder()).filePath(name));
    }

    // Opens the settings with the menu's button and runs `act` in the dialog; if still open
    // then, it is closed with its close box.
    QString inSettings(const std::function<void(Form2 *)> &act)
    {
        return opens([&] { m_menu->Command3->click(); },
                     [&](QWidget *modal) {
                         act(static_cast<Form2 *>(modal));
                         return modal->isVisible() ? QStringLiteral("open") : QStringLiteral("closed");
                     });
    }

private slots:
    void init()
    {
        m_db = std::make_unique<TemporaryDatabase>();
        clearSettings();
        Database::close(); // the menu's own load step opens it
        m_menu = std::make_unique<Form1>();
        QVERIFY(m_menu->Form_Load());
        QVERIFY(showActive(m_menu.get()));
        MessageBox::takeShown();
    }
    void cleanup()
    {
        WindowRegistry::instance().discardAll();
        m_menu.reset();
        m_db.reset();
    }

    void startUpWithoutDatabaseEndsWithAMessage()
    {
        m_menu.reset();
        Database::close();
        QTemporaryDir empty;
        Module1::SetProgramFolder(empty.path());
        QVERIFY(!Form1().Form_Load());
        const QString path = QDir(empty.path()).filePath(QStringLiteral("parvela.mdb"));
        QVERIFY(takeOnlyError().value_or(QString()).contains(path));
        QVERIFY(!Database::isOpen() && !QFile::exists(path));
    }

    void keysOpenTheirWindowsWhicheverButtonHasFocus_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("scanCode"); // and the X key symbol, as the platform reports them
        QTest::addColumn<int>("symbol");
        QTest::addColumn<QString>("opens");
        QTest::newRow("1") << int(Qt::Key_1) << 0 << 10 << 0x31 << "Form3";
        QTest::newRow("keypad 1") << int(Qt::Key_1) << int(Qt::KeypadModifier) << 87 << 0xffb1 << "Form3";
        QTest::newRow("Shift+1") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 10 << 0x21 << "Form3";
        QTest::newRow("2") << int(Qt::Key_2) << 0 << 11 << 0x32 << "Form7";
        QTest::newRow("Shift+2, Japanese keyboard")
            << int(Qt::Key_QuoteDbl) << int(Qt::ShiftModifier) << 11 << 0x22 << "Form7";
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << 67 << 0xffbe << "HelpWindow";
    }
    void keysOpenTheirWindowsWhicheverButtonHasFocus()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, scanCode);
        QFETCH(int, symbol);
        QFETCH(QString, opens);
        QVERIFY(copyHelpFileAs(QStringLiteral("parvela.hlp")));
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), quint32(scanCode), quint32(symbol), 0);
        QString opened =
            ParvelaTest::opens([&] { QApplication::sendEvent(m_menu->Command5, &press); }).section(':', 0, 0);
        if (Form3 *months = WindowRegistry::instance().existing<Form3>()) // modeless
            opened = QString::fromLatin1(months->metaObject()->className());
        QCOMPARE(opened, opens);
    }

    void escapeAndF10EndTheRunAndCloseTheDatabase_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("F10") << int(Qt::Key_F10);
    }
    void escapeAndF10EndTheRunAndCloseTheDatabase()
    {
        QFETCH(int, key);
        QTest::keyClick(m_menu->Command3, Qt::Key(key));
        QVERIFY(!m_menu->isVisible() && !Database::isOpen());
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("key");
        const QStringList windows = {"main menu", "settings", "months",  "score sheet", "competition",
                                     "members",   "annual",   "version", "bulk add"};
        for (int window = 0; window < windows.size(); ++window) {
            QTest::addRow("%s, Enter", qPrintable(windows[window])) << window << int(Qt::Key_Return);
            QTest::addRow("%s, keypad Enter", qPrintable(windows[window])) << window << int(Qt::Key_Enter);
        }
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(int, window);
        QFETCH(int, key);
        WindowRegistry &windows = WindowRegistry::instance();
        // Each window's button that closes it; the main menu's opens the version window.
        const std::array<std::function<QPushButton *()>, 9> buttons = {[&] { return m_menu->Command5; },
                                                                       [&] {
                                                                           windows.form<Form2>().Fill(
                                                                               Module1::Settings);
                                                                           return windows.form<Form2>().Command1;
                                                                       },
                                                                       [&] { return windows.form<Form3>().Command2; },
                                                                       [&] { return windows.form<Form4>().Command7; },
                                                                       [&] { return windows.form<Form6>().Command2; },
                                                                       [&] { return windows.form<Form7>().Command7; },
                                                                       [&] { return windows.form<Form9>().Command7; },
                                                                       [&] { return windows.form<Form11>().Command2; },
                                                                       [&] { return windows.form<Form12>().Command2; }};
        QPushButton *button = buttons[static_cast<size_t>(window)]();
        QVERIFY(showActive(button->window()));
        button->setFocus();
        const auto press = [&] {
            QTest::keyClick(button, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        };
        if (window > 0) {
            press();
            QVERIFY(!button->window()->isVisible());
            return;
        }
        QCOMPARE(opens(press, [](QWidget *modal) { return static_cast<Form11 *>(modal)->Label10->text(); }),
                 QStringLiteral("Ver.1.36"));
    }

    void settingsAreRefusedOrStoredWhole()
    {
        SettingsStore::save(QStringLiteral("printSize"), QStringLiteral("120")); // not on the list
        SettingsStore::save(QStringLiteral("optTori1"), QStringLiteral("0"));
        Module1::LoadSettings();
        QStringList shown;
        QVector<MessageBox::Shown> refusals;
        QStringList storedWhileOpen;
        QCOMPARE(inSettings([&](Form2 *form) {
                     for (QLineEdit *box : numberBoxes(form))
                         shown << box->text();
                     shown << QString::number(form->Check1->isChecked()) << form->Combo1->currentText();
                     // Refused, each naming its box: nothing is stored, the dialog stays open on it.
                     for (const auto &[box, text] : {std::pair{0, "-5"}, {1, "10000"}, {9, "x"}}) {
                         const QString before = numberBoxes(form)[box]->text();
                         numberBoxes(form)[box]->setText(QString::fromUtf8(text));
                         form->Command1->click();
                         shown << QString::number(form->focusWidget() == numberBoxes(form)[box]);
                         refusals += MessageBox::takeShown();
                         numberBoxes(form)[box]->setText(before);
                     }
                     storedWhileOpen = storedSettings();
                     form->Text1->setText(QStringLiteral("2004"));
                     form->Command1->click();
                 }),
                 QStringLiteral("closed"));
        // No year was stored: the clock's year was shown.
        const QString year = QString::number(QDate::currentDate().year());
        QCOMPARE(shown,
                 (QStringList{year, "0.7", "0.8", "0.9", "6", "13", "2", "3", "2", "1", "0", "120", "1", "1", "1"}));
        QCOMPARE(storedWhileOpen.count(QString()), 11);
        QStringList messages;
        for (const MessageBox::Shown &refusal : refusals)
            messages << refusal.text;
        QCOMPARE(messages, (QStringList{"西暦には1000から9999までの年を入力してください。",
                                        "優勝の倍率には0より大きく2以下の数値を入力してください。",
                                        "3位の点数には-32768から32767までの数値を入力してください。"}));
        QCOMPARE(storedSettings(),
                 (QStringList{"2004", "0.7", "0.8", "0.9", "0", "6", "1", "13", "2", "3", "2", "1", "120"}));
        QTest::keyClick(m_menu.get(), Qt::Key_1);
        QCOMPARE(WindowRegistry::instance().form<Form3>().Label1->text(), QStringLiteral("2004年度"));
    }

    void settingsLeftByEscOrTheCloseBoxChangeNothing()
    {
        QCOMPARE(inSettings([](Form2 *form) {
                     form->Text1->setText(QStringLiteral("1999"));
                     form->Check1->setChecked(false);
                     QTest::keyClick(form->Text1, Qt::Key_Escape);
                 }),
                 QStringLiteral("open"));
        QCOMPARE(storedSettings(), QStringList(Keys.size(), QString()));
        QCOMPARE(Module1::Settings.EditYear, qint16(QDate::currentDate().year()));
    }
};

PARVELA_TEST_MAIN(TestForm1)
#include "tst_form1.moc"
