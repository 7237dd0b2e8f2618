#include "parvelatest.h"

#include "core/database.h"
#include "core/module1.h"
#include "core/settingsstore.h"
#include "platform/messagebox.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSettings>
#include <QSqlQuery>

namespace ParvelaTest {

namespace {
QTemporaryDir *g_settingsDir = nullptr;
}

void prepareEnvironment()
{
    g_settingsDir = new QTemporaryDir;
    qputenv("XDG_CONFIG_HOME", g_settingsDir->path().toLocal8Bit());
}

void prepareApplication()
{
    QApplication::setOrganizationName(QStringLiteral("Parvela"));
    QApplication::setApplicationName(QStringLiteral("Parvela"));
    MessageBox::setAnswering(true);
    Module1::LoadSettings();
}

void clearSettings()
{
    QSettings settings(SettingsStore::fileName(), QSettings::IniFormat);
    settings.clear();
    settings.sync();
    Module1::LoadSettings();
}

TemporaryDatabase::TemporaryDatabase()
{
    Database::create(path());
    Module1::SetProgramFolder(m_dir.path());
    Database::open(path());
}

TemporaryDatabase::~TemporaryDatabase()
{
    Database::close();
}

QString TemporaryDatabase::path() const
{
    return m_dir.filePath(QStringLiteral("parvela.mdb"));
}

std::unique_ptr<TemporaryDatabase> freshSettingsAndDatabase(int editYear)
{
    clearSettings();
    Module1::Settings.EditYear = static_cast<qint16>(editYear);
    return std::make_unique<TemporaryDatabase>();
}

void onNextModal(std::function<void(QWidget *)> inspect, int timeoutMs)
{
    auto *timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    // A dialog already open (the one under test) is not the one awaited.
    QPointer<QWidget> alreadyOpen = QApplication::activeModalWidget();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect, waited, timeoutMs, alreadyOpen] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != alreadyOpen) {
            timer->stop();
            timer->deleteLater();
            inspect(modal);
        } else if ((*waited += 10) > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

std::optional<QString> takeOnlyError()
{
    const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
    if (shown.size() == 1 && shown.first().icon == QMessageBox::Critical)
        return shown.first().text;
    qWarning("%d messages shown where one error was expected", int(shown.size()));
    for (const MessageBox::Shown &message : shown)
        qWarning("icon %d: %s", int(message.icon), qPrintable(message.text));
    return std::nullopt;
}

QVariantList column(const QString &statement, const QVariantList &values)
{
    QSqlQuery query = Database::run(statement, values);
    QVariantList result;
    while (query.next())
        result << query.value(0);
    return result;
}

QVariant value(const QString &statement, const QVariantList &values)
{
    return Database::scalar(statement, values);
}

} // namespace ParvelaTest
