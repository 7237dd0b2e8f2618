#include "parvelatest.h"

#include "platform/gui/japanese.h"
#include "platform/gui/messagebox.h"

#include <QPointer>

namespace ParvelaTest {

void prepareApplication()
{
    prepareCoreApplication();
    useJapanese();
    MessageBox::setAnswering(true);
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

} // namespace ParvelaTest
