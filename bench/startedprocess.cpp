#include "startedprocess.h"

#include <QElapsedTimer>
#include <QList>
#include <QProcess>

namespace StartedProcess {

std::optional<Painted> untilFirstPaint(const QString &program, const QString &dataHome)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString pluginPath = environment.value(QStringLiteral("QT_PLUGIN_PATH"));
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"),
                       QStringLiteral(PARVELA_FIRST_PAINT_PLUGINS)
                           + (pluginPath.isEmpty() ? QString() : QLatin1Char(':') + pluginPath));
    environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("parvelafirstpaint"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(program, {});
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(10000)) {
            child.kill();
            child.waitForFinished();
            return std::nullopt;
        }
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    // "shown CLASS VMHWM_KIB"
    const QList<QByteArray> words = child.readLine().trimmed().split(' ');
    // The program ends as its user closes it: after the day's copy, on the first start of a day.
    if (!child.waitForFinished(60000))
        child.kill();
    if (words.size() != 3 || words.at(0) != "shown")
        return std::nullopt;
    return Painted{ms, words.at(2).toLong() / 1024.0, words.at(1)};
}

} // namespace StartedProcess
