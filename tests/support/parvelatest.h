#pragma once

#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace ParvelaTest {

// Gives the run its own settings folder before the application object exists, so no test
// reads or writes the user's settings.
void prepareEnvironment();
void prepareApplication();

// Removes every stored setting and reloads the defaults into the settings record.
void clearSettings();

// A fresh empty Parvela database in its own folder, open as the program's connection, with
// the folder set as the program folder. Closed and removed on destruction.
class TemporaryDatabase
{
public:
    TemporaryDatabase();
    ~TemporaryDatabase();
    QString folder() const { return m_dir.path(); }
    QString path() const;

private:
    QTemporaryDir m_dir;
};

// Runs `inspect` on the next modal dialog that opens (over any already open), from inside its event loop. Record what
// the dialog shows there and close it; assert after exec() returns (a failed check inside
// would leave the dialog open).
void onNextModal(std::function<void(QWidget *)> inspect, int timeoutMs = 5000);

// Shows a window, makes it active and waits for it, so key preview and focus behave as for a
// user.
bool showActive(QWidget *window);

// Rows of a statement, for checks on what landed in the database.
QVariantList column(const QString &statement, const QVariantList &values = {});
QVariant value(const QString &statement, const QVariantList &values = {});

} // namespace ParvelaTest

// A QtTest main that isolates the settings and answers message boxes through the seam.
#define PARVELA_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        ParvelaTest::prepareEnvironment();                                                         \
        QApplication app(argc, argv);                                                              \
        ParvelaTest::prepareApplication();                                                         \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
