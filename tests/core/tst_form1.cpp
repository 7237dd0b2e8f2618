// The main menu as a user meets it: hints, shortcut keys, help, exit (the start-up and the
// version window: tst_datalocation).
#include "parvelatest.h"

#include "core/database.h"
#include "core/gui/form1.h"
#include "core/gui/helpwindow.h"
#include "platform/gui/messagebox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <memory>

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        Database::close(); // the menu's own load step opens it
        m_menu = std::make_unique<Form1>();
        QVERIFY(m_menu->Form_Load());
        QVERIFY(Database::isOpen());
        QVERIFY(ParvelaTest::showActive(m_menu.get()));
    }
    void cleanup()
    {
        m_menu.reset();
        m_db.reset();
        MessageBox::takeShown();
    }

    void hintsDescribeTheButtonUnderThePointer()
    {
        QCOMPARE(m_menu->windowTitle(), QStringLiteral("Parvela"));
        const QList<QPair<QPushButton *, QString>> expected = {
            {m_menu->Command2, QStringLiteral("毎月と年間の成績の管理")},
            {m_menu->Command1, QStringLiteral("参加者とHCの管理")},
            {m_menu->Command3, QStringLiteral("編集年や各種条件の設定")},
            {m_menu->Command5, QStringLiteral("バージョンと連絡先の表示")},
            {m_menu->Command4, Form1::KeyHint},
        };
        for (const auto &[button, hint] : expected) {
            QTest::mouseMove(button);
            QCOMPARE(m_menu->Label1->text(), hint);
        }
        QTest::mouseMove(m_menu.get(), QPoint(m_menu->width() - 3, m_menu->Command6->geometry().bottom() + 5));
        QCOMPARE(m_menu->Label1->text(), Form1::KeyHint);
        QCOMPARE(m_menu->Command2->text(), QStringLiteral("スコア"));
        QCOMPARE(m_menu->Command6->text(), QStringLiteral("終了"));
    }

    void f1OpensTheHelpWhicheverButtonHasFocus()
    {
        QVERIFY(QFile::copy(sourceFile(QStringLiteral("data/parvela.hlp")),
                            QDir(m_db->folder()).filePath(QStringLiteral("parvela.hlp"))));
        m_menu->Command5->setFocus();
        QString opened;
        ParvelaTest::onNextModal([&](QWidget *modal) {
            opened = QString::fromLatin1(modal->metaObject()->className()) + QLatin1Char('|') + modal->windowTitle();
            modal->close();
        });
        QTest::keyClick(m_menu->Command5, Qt::Key_F1);
        QVERIFY2(opened.startsWith(QStringLiteral("HelpWindow|")), qPrintable(opened));
        QVERIFY(opened.contains(QStringLiteral("ヘルプ")));
    }

    void helpFileWithOtherLetterCaseCountsAsMissing()
    {
        QVERIFY(QFile::copy(sourceFile(QStringLiteral("data/parvela.hlp")),
                            QDir(m_db->folder()).filePath(QStringLiteral("Parvela.HLP"))));
        QVERIFY(!HelpWindow::helpFilePresent());
        bool opened = false;
        ParvelaTest::onNextModal(
            [&](QWidget *modal) {
                opened = true;
                modal->close();
            },
            300);
        m_menu->Command4->click();
        QTest::qWait(400);
        QVERIFY(!opened);
        QVERIFY(MessageBox::takeShown().isEmpty());
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
        m_menu->Command3->setFocus();
        QTest::keyClick(m_menu->Command3, Qt::Key(key));
        QVERIFY(!m_menu->isVisible());
        QVERIFY(!Database::isOpen());
    }

private:
    static QString sourceFile(const QString &relative)
    {
        return QDir(QString::fromLocal8Bit(qgetenv("PARVELA_SOURCE_DIR"))).filePath(relative);
    }

    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;
    std::unique_ptr<Form1> m_menu;
};

PARVELA_TEST_MAIN(TestForm1)
#include "tst_form1.moc"
