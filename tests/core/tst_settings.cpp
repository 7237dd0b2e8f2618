// The settings as a fresh process reads them from the per-user file, hand-edited values included.
// What the settings dialog stores, each value in its shortest text, is in tst_form1.
#include "parvelatest.h"

#include "members/gui/form7.h"

#include <QScreen>

class TestSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ParvelaTest::TemporaryDatabase> m_db;

private slots:
    void init() { ParvelaTest::clearSettings(); }
    void cleanup() { m_db.reset(); }

    void handEditedValuesAreCheckedOnLoading_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("expected"); // 0: the current year
        QTest::newRow("year text") << "EditYear=20a4" << 0.0;
        QTest::newRow("year beyond 16 bits") << "EditYear=40000" << 0.0;
        QTest::newRow("year 999") << "EditYear=999" << 0.0;
        QTest::newRow("year 10000") << "EditYear=10000" << 0.0;
        QTest::newRow("year 1000") << "EditYear=1000" << 1000.0;
        QTest::newRow("year 9999") << "EditYear=9999" << 9999.0;
        QTest::newRow("multiplier beyond a float") << "par1st=1e39" << 0.7;
        QTest::newRow("multiplier 10000") << "par2nd=10000" << 0.8;
        QTest::newRow("multiplier 0") << "par1st=0" << 0.7;
        QTest::newRow("multiplier nan") << "par1st=nan" << 0.7;
        QTest::newRow("multiplier 2") << "par2nd=2" << 2.0;
        QTest::newRow("multiplier comma") << "par1st=0,7" << 0.7;
        QTest::newRow("count with blanks") << "optTori1val= 8 " << 8.0;
        QTest::newRow("points fraction rounds") << "tenTori1=2.5" << 2.0;
        QTest::newRow("print size word") << "printSize=large" << 100.0;
    }
    void handEditedValuesAreCheckedOnLoading()
    {
        QFETCH(QString, line);
        QFETCH(double, expected);
        QFile file(SettingsStore::fileName());
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()) && file.open(QIODevice::WriteOnly)
                && file.write("[setting]\n" + line.toUtf8() + '\n') > 0);
        file.close();
        Module1::LoadSettings();
        const SettingsRecord &s = Module1::Settings;
        const QHash<QString, double> read = {
            {"EditYear", s.EditYear},       {"par1st", s.par1st},       {"par2nd", s.par2nd},      {"par3rd", s.par3rd},
            {"optTori1val", s.optTori1val}, {"tenTori1", s.tenTori[1]}, {"printSize", s.printSize}};
        QCOMPARE(float(read.value(line.section(QLatin1Char('='), 0, 0))),
                 float(expected == 0 ? QDate::currentDate().year() : expected));
    }

    // Placement and widths from another screen, or edited by hand: the window opens visible and
    // on the screen, with every column in sight, and saves sane values back.
    void storedPlacementAndWidthsOpenTheWindowInSight_data()
    {
        QTest::addColumn<QStringList>("stored"); // state, left, top, width, height (twips), column width
        QTest::newRow("minimised, column hidden") << QStringList{"1", "1500", "1500", "-750", "4500", "-5000"};
        QTest::newRow("far off screen, column huge") << QStringList{"0", "-450000", "750000", "0", "0", "99999999"};
        QTest::newRow("larger than the screen") << QStringList{"0", "0", "0", "1350000", "1350000", "0"};
        QTest::newRow("beyond any integer") << QStringList{"0", "1e300", "-1e300", "1e300", "1e300", "1e300"};
    }
    void storedPlacementAndWidthsOpenTheWindowInSight()
    {
        QFETCH(QStringList, stored);
        const QString form = Form7::FormName;
        const QStringList keys = {SettingKeys::windowState(form),  SettingKeys::windowLeft(form),
                                  SettingKeys::windowTop(form),    SettingKeys::windowWidth(form),
                                  SettingKeys::windowHeight(form), SettingKeys::gridColumnWidth(1)};
        for (int i = 0; i < keys.size(); ++i)
            SettingsStore::save(keys[i], stored[i]);
        m_db = std::make_unique<ParvelaTest::TemporaryDatabase>();
        Form7 &list = ParvelaTest::showTableWindow<Form7>();
        const QRect screen = list.screen()->availableGeometry();
        QVERIFY(!list.isMinimized() && screen.intersects(list.frameGeometry()));
        QVERIFY(list.width() > 0 && list.height() > 0 && list.width() <= screen.width()
                && list.height() <= screen.height());
        QVERIFY(list.MemberGrid->columnWidth(1) > 0 && list.MemberGrid->columnWidth(1) <= screen.width());
        list.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(SettingsStore::readInt(SettingKeys::gridColumnWidth(1), -1) > 0);
    }
};

PARVELA_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
