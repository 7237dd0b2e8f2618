// The main menu and the settings dialog as a user meets them: start-up, keys, exit, settings
// stored or refused; and Enter on a focused button, which presses it in every
// window.
#include "parvelatest.h"

#include <QDate>

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

} // namespace

class TestMainMenu : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TemporaryDatabase> m_db;
    std::unique_ptr<MainMenu> m_menu;

    // Opens the settings with the menu's button and runs `act` in the dialog; if still open
    // then, it is closed with its close box.
    QString inSettings(const std::function<void(SettingsDialog *)> &act)
    {
        return opens([&] { m_menu->settingsButton->click(); },
                     [&](QWidget *modal) {
                         act(static_cast<SettingsDialog *>(modal));
                         return modal->isVisible() ? "open" : "closed";
                     });
    }

    // The program's start: the menu loads the settings stored and opens the database.
    bool startMenu()
    {
        Database::close();
        m_menu = std::make_unique<MainMenu>();
        return m_menu->start() && showActive(m_menu.get());
    }

private slots:
    void init()
    {
        m_db = std::make_unique<TemporaryDatabase>();
        clearSettings();
        QVERIFY(startMenu());
        MessageBox::takeShown();
    }
    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window != m_menu.get())
                window->close();
        }
        flushDeletes();
        m_menu.reset();
        m_db.reset();
    }

    // Whichever button has the focus, a key opens its window; Esc and F10 end the run and close
    // the database.
    void keysOpenTheirWindowsOrEndTheRun_data()
    {
        QTest::addColumn<QVector<int>>("key"); // as the platform reports it
        QTest::addColumn<QString>("opens");
        QTest::newRow("1") << QVector<int>{Qt::Key_1, 0, 10, 0x31} << "MonthWindow";
        QTest::newRow("keypad 1") << QVector<int>{Qt::Key_1, Qt::KeypadModifier, 87, 0xffb1} << "MonthWindow";
        QTest::newRow("Shift+1") << QVector<int>{Qt::Key_Exclam, Qt::ShiftModifier, 10, 0x21} << "MonthWindow";
        QTest::newRow("2") << QVector<int>{Qt::Key_2, 0, 11, 0x32} << "MemberListWindow";
        QTest::newRow("Shift+2, Japanese keyboard")
            << QVector<int>{Qt::Key_QuoteDbl, Qt::ShiftModifier, 11, 0x22} << "MemberListWindow";
        QTest::newRow("F1") << QVector<int>{Qt::Key_F1, 0, 67, 0xffbe} << "HelpWindow";
        QTest::newRow("Esc") << QVector<int>{Qt::Key_Escape, 0, 9, 0xff1b} << "";
        QTest::newRow("F10") << QVector<int>{Qt::Key_F10, 0, 76, 0xffc7} << "";
    }
    void keysOpenTheirWindowsOrEndTheRun()
    {
        QFETCH(QVector<int>, key);
        QFETCH(QString, opens);
        const QDir source(qEnvironmentVariable("PARVELA_SOURCE_DIR"));
        QVERIFY(QFile::copy(source.filePath("data/parvela.hlp"), QDir(m_db->folder()).filePath("parvela.hlp")));
        QString opened = ParvelaTest::opens([&] { sendKey(m_menu->versionButton, key); }).section(':', 0, 0);
        if (MonthWindow *months = m_menu->monthWindow()) // modeless
            opened = QString::fromLatin1(months->metaObject()->className());
        QCOMPARE(opened, opens);
        QCOMPARE(m_menu->isVisible() && Database::isOpen(), !opens.isEmpty());
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
        // Each window's button that closes it; the main menu's opens the version window.
        const std::function<QPushButton *()> buttons[] = {
            [&] { return m_menu->versionButton; },
            [] { return (new SettingsDialog(settings()))->okButton; },
            [] { return (new MonthWindow(settings()))->closeButton; },
            [] { return (new ScoreSheetWindow(CourseRecord(), settings()))->closeButton; },
            [] { return (new CompetitionDialog(2003, 5))->cancelButton; },
            [] { return (new MemberListWindow(settings()))->closeButton; },
            [] { return (new AnnualSummaryWindow(settings()))->closeButton; },
            [] { return (new VersionWindow)->closeButton; },
            [] { return (new BulkAddDialog(0))->cancelButton; }};
        QPushButton *button = buttons[window]();
        button->window()->setAttribute(Qt::WA_DeleteOnClose, window != 0);
        QVERIFY(showActive(button->window()));
        button->setFocus();
        const auto press = [&] {
            QTest::keyClick(button, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        };
        if (window == 0)
            QCOMPARE(opens(press).section(':', 0, 0), "VersionWindow");
        else
            press();
        QCOMPARE(button->window()->isVisible(), window == 0);
    }

    // The years 999 and 10000 refused, naming their box: nothing is stored, the dialog stays open
    // on the box. 1000 and 9999 stored, with every value in its shortest text, and the year is the
    // one edited. Left by Esc (which has no function) and the close box: nothing changes.
    void settingsAreRefusedOrStoredWhole()
    {
        SettingsStore::save("printSize", "120"); // not on the list
        SettingsStore::save("optTori1", "0");
        QVERIFY(startMenu());
        QStringList shown, storedWhileOpen;
        QCOMPARE(inSettings([&](SettingsDialog *form) {
                     for (QLineEdit *box : {form->yearEdit, form->winnerEdit, form->runnerUpEdit, form->thirdEdit,
                                            form->attendanceEdit, form->pointsEdit, form->pointEdits[0],
                                            form->pointEdits[1], form->pointEdits[2], form->pointEdits[3]})
                         shown << box->text();
                     shown << QString::number(form->attendanceCheck->isChecked()) << form->printScaleCombo->currentText();
                     for (const char *year : {"999", "10000"}) {
                         form->yearEdit->setText(year);
                         form->okButton->click();
                     }
                     shown << QString::number(form->focusWidget() == form->yearEdit);
                     storedWhileOpen = storedSettings();
                     form->yearEdit->setText("1000");
                     form->okButton->click();
                 }),
                 "closed");
        // No year was stored: the clock's year was shown.
        const QString year = QString::number(QDate::currentDate().year());
        QCOMPARE(shown, (QStringList{year, "0.7", "0.8", "0.9", "6", "13", "2", "3", "2", "1", "0", "120", "1"}));
        const QVector<MessageBox::Shown> refused = MessageBox::takeShown();
        QCOMPARE(refused.size(), 2);
        QCOMPARE(refused[0].text + refused[1].text,
                 QString("西暦には1000から9999までの年を入力してください。").repeated(2));
        QCOMPARE(storedWhileOpen.count(QString()), 11);
        const QStringList stored = {"1000", "0.7", "0.8", "0.9", "0", "6", "1", "13", "2", "3", "2", "1", "120"};
        QCOMPARE(storedSettings(), stored);
        QCOMPARE(inSettings([](SettingsDialog *form) {
                     form->yearEdit->setText("9999");
                     form->attendanceCheck->setChecked(false);
                     QTest::keyClick(form->yearEdit, Qt::Key_Escape);
                 }),
                 "open");
        QCOMPARE(storedSettings(), stored);
        inSettings([](SettingsDialog *form) {
            form->yearEdit->setText("9999");
            form->okButton->click();
        });
        QTest::keyClick(m_menu.get(), Qt::Key_1);
        QCOMPARE(m_menu->monthWindow()->yearLabel->text(), "9999年度");
    }
};

PARVELA_TEST_MAIN(TestMainMenu)
#include "tst_mainmenu.moc"
