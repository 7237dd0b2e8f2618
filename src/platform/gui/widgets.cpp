#include "platform/gui/widgets.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
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

QLineEdit *numberBox(QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
    QFont regular = formFont();
    regular.setBold(false);
    box->setFont(regular);
    return box;
}

void makeHintBox(QLabel &label)
{
    QPalette colours = label.palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(colours);
    label.setAutoFillBackground(true);
    label.setFrameStyle(QFrame::Box | QFrame::Plain);
    label.setLineWidth(1);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QString captionOf(EntryMode mode)
{
    return mode == EntryMode::Add ? QStringLiteral("追加") : QStringLiteral("編集");
}

} // namespace Ui

KeyPreview::KeyPreview(QWidget *window, Handler handler)
    : QObject(window)
    , m_window(window)
    , m_handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

int KeyPreview::keyCode(const QKeyEvent &event)
{
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return key;
    // Shift turns a digit key into a symbol, and which one depends on the layout, so the
    // platform's own code of the key decides: a virtual key code on Windows (its digit),
    // an X key code on Linux.
    const quint32 virtualKey = event.nativeVirtualKey();
    if (virtualKey >= '0' && virtualKey <= '9')
        return Qt::Key_0 + static_cast<int>(virtualKey - '0');
#ifdef Q_OS_LINUX
    // X and Wayland number the keys of the top row 10 … 18 for 1 … 9 and 19 for 0.
    const quint32 scanCode = event.nativeScanCode();
    if (scanCode >= 10 && scanCode <= 18)
        return Qt::Key_1 + static_cast<int>(scanCode - 10);
    if (scanCode == 19)
        return Qt::Key_0;
#endif
    return key;
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_window)
        return false;
    // An unused key travels on to the parents and comes by again; the handler ignores it again.
    return m_handler(keyCode(*static_cast<QKeyEvent *>(event)));
}

EnterPressesButtons::EnterPressesButtons(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

QWidget *EnterPressesButtons::enterTarget(QObject *watched, QEvent *event) const
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != m_window || widget == m_window)
        return nullptr;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter ? widget : nullptr;
}

bool EnterPressesButtons::eventFilter(QObject *watched, QEvent *event)
{
    // Push and tool buttons (a split button's own command); a check box is no button to press.
    QWidget *target = enterTarget(watched, event);
    auto *button = qobject_cast<QAbstractButton *>(target);
    if (!button || !(qobject_cast<QPushButton *>(target) || qobject_cast<QToolButton *>(target)))
        return false;
    button->click();
    return true;
}

EnterMovesFocus::EnterMovesFocus(QWidget *dialog)
    : EnterPressesButtons(dialog)
{
}

bool EnterMovesFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (EnterPressesButtons::eventFilter(watched, event))
        return true;
    QWidget *widget = enterTarget(watched, event);
    if (!widget)
        return false;
    // The same order as Tab: the next enabled, visible field that takes keyboard focus.
    for (QWidget *next = widget->nextInFocusChain(); next && next != widget; next = next->nextInFocusChain()) {
        if (next->window() == m_window && next->isVisible() && next->isEnabled()
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
