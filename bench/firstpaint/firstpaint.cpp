// Loaded by Qt into a process started with QT_QPA_GENERIC_PLUGINS=parvelafirstpaint (and this
// plugin's folder on QT_PLUGIN_PATH), as Qt loads an input device's plugin: the program is
// measured as it is built and installed, with nothing of its own code changed or added, and
// the floors are measured by the same code in the same way.
//
// Once the first window has been painted it prints "shown CLASS VMHWM_KIB" on the standard
// output, lets what the window started after its first paint begin (the day's copy), and closes
// every window, so that the program ends as when its user closes it.
#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

long highWaterMarkKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Watches every event of the application before any object's own filters see it.
class FirstPaint : public QObject
{
public:
    FirstPaint() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || !watched->isWidgetType() || !static_cast<QWidget *>(watched)->isWindow())
            return false;
        qApp->removeEventFilter(this);
        // A window paints all its children in the same go: the zero timer runs after them.
        QTimer::singleShot(0, qApp, [className = QByteArray(watched->metaObject()->className())] {
            std::printf("shown %s %ld\n", className.constData(), highWaterMarkKiB());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QApplication::closeAllWindows);
        });
        return false;
    }
};

} // namespace

class FirstPaintPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "firstpaint.json")

public:
    QObject *create(const QString &, const QString &) override { return new FirstPaint; }
};

#include "firstpaint.moc"
