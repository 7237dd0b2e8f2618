#include "platform/gui/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace Twips {

int toPixels(int twips)
{
    return (twips + PerPixel / 2) / PerPixel;
}

int fromPixels(int pixels)
{
    return pixels * PerPixel;
}

QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips

namespace Ui {

QFont formFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPointSize(9);
    font.setBold(true);
    return font;
}

} // namespace Ui

KeyPreview::KeyPreview(QWidget *window, Handler handler)
    : QObject(window)
    , m_window(window)
    , m_handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_window)
        return false;
    // An unused key travels on to the parents and comes by again; the handler ignores it again.
    return m_handler(static_cast<QKeyEvent *>(event));
}

EnterMovesFocus::EnterMovesFocus(QWidget *dialog)
    : QObject(dialog)
    , m_dialog(dialog)
{
    qApp->installEventFilter(this);
}

bool EnterMovesFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_dialog || widget == m_dialog)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        button->click();
        return true;
    }
    // The same order as Tab: the next enabled, visible field that takes keyboard focus.
    for (QWidget *next = widget->nextInFocusChain(); next && next != widget; next = next->nextInFocusChain()) {
        if (next->window() == m_dialog && next->isVisible() && next->isEnabled()
            && (next->focusPolicy() & Qt::TabFocus)) {
            next->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    return true;
}

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}
