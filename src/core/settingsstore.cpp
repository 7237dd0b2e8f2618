#include "core/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool g_lastSaveSucceeded = true;
QSettings *g_reading = nullptr; // the store a Reading keeps open
QSettings *g_writing = nullptr; // the store a Writing keeps open

QSettings openStore()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Parvela"), QStringLiteral("Parvela"));
}

QString keyPath(const QString &key)
{
    return QStringLiteral("setting/") + key;
}

} // namespace

namespace SettingsStore {

QString read(const QString &key, const QString &defaultText)
{
    QSettings *open = g_writing ? g_writing : g_reading;
    const QVariant value = open ? open->value(keyPath(key)) : openStore().value(keyPath(key));
    return value.isValid() ? value.toString() : defaultText;
}

namespace {

// The outermost of nested Reading (or Writing) objects opens the store that all of them share.
std::unique_ptr<QSettings> openShared(QSettings *&shared)
{
    if (shared)
        return nullptr;
    auto store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Parvela"),
                                             QStringLiteral("Parvela"));
    shared = store.get();
    return store;
}

} // namespace

Reading::Reading()
    : m_store(openShared(g_reading))
{
}

Reading::~Reading()
{
    if (m_store)
        g_reading = nullptr;
}

Writing::Writing()
    : m_store(openShared(g_writing))
{
}

Writing::~Writing()
{
    if (!m_store)
        return;
    g_writing = nullptr;
    m_store->sync();
    g_lastSaveSucceeded = m_store->status() == QSettings::NoError;
}

void save(const QString &key, const QString &text)
{
    if (g_writing) {
        g_writing->setValue(keyPath(key), text);
        return;
    }
    QSettings store = openStore();
    store.setValue(keyPath(key), text);
    store.sync();
    g_lastSaveSucceeded = store.status() == QSettings::NoError;
}

bool lastSaveSucceeded()
{
    return g_lastSaveSucceeded;
}

QString fileName()
{
    return openStore().fileName();
}

QString unusableReason()
{
    // Where the store lives follows XDG_CONFIG_HOME, else HOME; without either it is no one's.
    if (!QDir::isAbsolutePath(qEnvironmentVariable("XDG_CONFIG_HOME"))
        && !QDir::isAbsolutePath(qEnvironmentVariable("HOME"))) {
        return QStringLiteral("ホームフォルダが分からないため（環境変数 HOME が設定されていません）、設定を保存する"
                              "場所がありません。\nログインし直すか、HOME を設定してから Parvela を起動してください。");
    }
    const QString folder = QFileInfo(fileName()).absolutePath();
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("write-check-XXXXXX")));
    if (!QDir().mkpath(folder) || !probe.open()) {
        return QStringLiteral("設定を保存するフォルダ「%1」を作れないか、書き込めません。\n"
                              "フォルダの場所と書き込みの権限を確かめてから Parvela を起動してください。")
            .arg(QDir::toNativeSeparators(folder));
    }
    return QString();
}

namespace {

template <typename Integer>
Integer readInteger(const QString &key, Integer defaultValue)
{
    bool ok = false;
    const double value = read(key, QString()).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return defaultValue;
    const double rounded = std::nearbyint(value); // halves go to the even neighbour
    if (rounded < std::numeric_limits<Integer>::min() || rounded > std::numeric_limits<Integer>::max())
        return defaultValue;
    return static_cast<Integer>(rounded);
}

} // namespace

int readInt(const QString &key, int defaultValue)
{
    return readInteger<int>(key, defaultValue);
}

qint16 readInt16(const QString &key, qint16 defaultValue)
{
    return readInteger<qint16>(key, defaultValue);
}

double readDouble(const QString &key, double defaultValue)
{
    bool ok = false;
    const double value = read(key, QString()).trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : defaultValue;
}

void saveInt(const QString &key, int value)
{
    save(key, QString::number(value));
}

QString floatText(float value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    QString text = QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
    if (!text.contains(QLatin1Char('.')))
        text += QStringLiteral(".0");
    return text;
}

} // namespace SettingsStore

namespace SettingKeys {

bool multiplierAccepted(double multiplier)
{
    return std::isfinite(multiplier) && multiplier > 0 && multiplier <= MaxMultiplier;
}

QString course(int number)
{
    return QStringLiteral("Course") + QString::number(number);
}

QString windowState(const QString &form)
{
    return form + QStringLiteral("WindowSate");
}

QString windowTop(const QString &form)
{
    return form + QStringLiteral("Top");
}

QString windowLeft(const QString &form)
{
    return form + QStringLiteral("Left");
}

QString windowHeight(const QString &form)
{
    return form + QStringLiteral("Height");
}

QString windowWidth(const QString &form)
{
    return form + QStringLiteral("Width");
}

QString gridColumnWidth(int column)
{
    return QStringLiteral("ScoreGridColWidth") + QString::number(column);
}

} // namespace SettingKeys
