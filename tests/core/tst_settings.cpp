// The settings record as a fresh process reads it from the per-user file.
#include "parvelatest.h"

#include "core/gui/windowplacement.h"
#include "core/module1.h"
#include "core/settingsstore.h"

#include <QDate>
#include <QFile>
#include <QScreen>
#include <QSettings>
#include <QWidget>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { ParvelaTest::clearSettings(); }

    void firstStartGivesTheDefaults()
    {
        QVERIFY(!QFile::exists(SettingsStore::fileName()) || QFile(SettingsStore::fileName()).size() < 20);
        Module1::LoadSettings();
        const SettingsRecord &s = Module1::Settings;
        QCOMPARE(int(s.EditYear), QDate::currentDate().year());
        QCOMPARE(s.par1st, 0.7f);
        QCOMPARE(s.par2nd, 0.8f);
        QCOMPARE(s.par3rd, 0.9f);
        QCOMPARE(int(s.optTori1), 1);
        QCOMPARE(int(s.optTori1val), 6);
        QCOMPARE(int(s.optTori2), 1);
        QCOMPARE(int(s.optTori2val), 13);
        QCOMPARE(s.tenTori, (std::array<qint16, 4>{2, 3, 2, 1}));
        QCOMPARE(int(s.printSize), 100);
    }

    void savedRecordReadsBackFromTheFile()
    {
        Module1::LoadSettings();
        Module1::Settings.EditYear = 2004;
        Module1::Settings.par1st = 0.65f;
        Module1::Settings.tenTori = {1, 5, 3, 2};
        Module1::Settings.printSize = 50;
        Module1::SaveSettings();

        // The text a later run reads: shortest form, decimal point.
        QSettings file(SettingsStore::fileName(), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("setting/par1st")).toString(), QStringLiteral("0.65"));
        QCOMPARE(file.value(QStringLiteral("setting/par2nd")).toString(), QStringLiteral("0.8"));
        QCOMPARE(file.value(QStringLiteral("setting/EditYear")).toString(), QStringLiteral("2004"));
        QCOMPARE(file.childKeys().size() + file.childGroups().size(), 1); // all under [setting]
        file.beginGroup(QStringLiteral("setting"));
        QCOMPARE(file.childKeys().size(), 13);
        file.endGroup();

        Module1::Settings = SettingsRecord();
        Module1::LoadSettings();
        QCOMPARE(int(Module1::Settings.EditYear), 2004);
        QCOMPARE(Module1::Settings.par1st, 0.65f);
        QCOMPARE(Module1::Settings.tenTori, (std::array<qint16, 4>{1, 5, 3, 2}));
        QCOMPARE(int(Module1::Settings.printSize), 50);
    }

    void unreadableValuesGiveTheDefault_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("expected");
        QTest::newRow("year text") << "EditYear"
                                   << "20a4" << double(QDate::currentDate().year());
        QTest::newRow("year beyond 16 bits") << "EditYear"
                                             << "40000" << double(QDate::currentDate().year());
        QTest::newRow("multiplier comma") << "par1st"
                                          << "0,7" << 0.7;
        QTest::newRow("multiplier empty") << "par3rd"
                                          << "" << 0.9;
        QTest::newRow("count with blanks") << "optTori1val"
                                           << " 8 " << 8.0;
        QTest::newRow("points fraction rounds") << "tenTori1"
                                                << "2.5" << 2.0;
        QTest::newRow("print size word") << "printSize"
                                         << "large" << 100.0;
    }
    void unreadableValuesGiveTheDefault()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(double, expected);
        {
            QFile file(SettingsStore::fileName());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QStringLiteral("[setting]\n%1=%2\n").arg(key, stored).toUtf8());
        }
        Module1::LoadSettings();
        const SettingsRecord &s = Module1::Settings;
        const QHash<QString, double> read = {{"EditYear", s.EditYear},     {"par1st", double(s.par1st)},
                                             {"par3rd", double(s.par3rd)}, {"optTori1val", s.optTori1val},
                                             {"tenTori1", s.tenTori[1]},   {"printSize", s.printSize}};
        QVERIFY(qFuzzyCompare(float(read.value(key)), float(expected)));
    }

    void floatTextIsShortestWithPoint()
    {
        QCOMPARE(SettingsStore::floatText(0.7f), QStringLiteral("0.7"));
        QCOMPARE(SettingsStore::floatText(1.0f), QStringLiteral("1.0"));
        QCOMPARE(SettingsStore::floatText(0.85f), QStringLiteral("0.85"));
        QCOMPARE(SettingsStore::floatText(-2.5f), QStringLiteral("-2.5"));
    }

    void windowPlacementAlwaysOpensVisibleOnScreen_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QRect>("stored");
        QTest::newRow("minimised") << 1 << QRect(100, 100, 400, 300);
        QTest::newRow("far off screen") << 0 << QRect(-30000, 50000, 400, 300);
        QTest::newRow("larger than the screen") << 0 << QRect(0, 0, 90000, 90000);
        QTest::newRow("negative size") << 0 << QRect(10, 10, -50, -50);
    }
    void windowPlacementAlwaysOpensVisibleOnScreen()
    {
        QFETCH(int, state);
        QFETCH(QRect, stored);
        const QString form = QStringLiteral("Form4");
        // Stored in twips, as the program writes them.
        SettingsStore::saveInt(SettingKeys::windowState(form), state);
        SettingsStore::saveInt(SettingKeys::windowLeft(form), stored.left() * 15);
        SettingsStore::saveInt(SettingKeys::windowTop(form), stored.top() * 15);
        SettingsStore::saveInt(SettingKeys::windowWidth(form), stored.width() * 15);
        SettingsStore::saveInt(SettingKeys::windowHeight(form), stored.height() * 15);
        QWidget window;
        WindowPlacement::restore(&window, form, QSize(600, 400));
        window.show();
        QVERIFY(!window.isMinimized());
        const QRect screen = window.screen()->availableGeometry();
        QVERIFY2(screen.intersects(window.frameGeometry()), "window is off screen");
        QVERIFY(window.width() > 0 && window.height() > 0);
        QVERIFY(window.width() <= screen.width() && window.height() <= screen.height());
    }

    void windowPlacementRoundTrips()
    {
        const QString form = QStringLiteral("Form7");
        QWidget window;
        WindowPlacement::restore(&window, form, QSize(500, 300));
        window.show();
        window.setGeometry(60, 70, 420, 260);
        WindowPlacement::save(&window, form);
        QCOMPARE(SettingsStore::readInt(SettingKeys::windowState(form), -1), 0);
        QWidget again;
        WindowPlacement::restore(&again, form, QSize(500, 300));
        QCOMPARE(again.size(), QSize(420, 260));
    }
};

PARVELA_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
