#pragma once

#include <QFont>
#include <QObject>
#include <QRect>

#include <functional>

class QKeyEvent;
class QWidget;

// Layouts are designed in twips; at 96 dpi one pixel is 15 twips.
namespace Twips {
inline constexpr int PerPixel = 15;
int toPixels(int twips);
int fromPixels(int pixels);
QRect rect(int left, int top, int width, int height);
} // namespace Twips

namespace Ui {
// A sizable window with minimise, maximise and close boxes, as the grid windows are.
inline constexpr Qt::WindowFlags SizableWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                      | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
// The face of buttons and labels: a proportional Japanese gothic, 9 pt, bold.
QFont formFont();
} // namespace Ui

// Lets a menu-like window see every key before its focused control. The handler returns true
// when it used the key.
class KeyPreview : public QObject
{
public:
    using Handler = std::function<bool(QKeyEvent *)>;
    KeyPreview(QWidget *window, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    Handler m_handler;
};

// In entry dialogs Enter moves on to the next field, as Tab does; on a button it presses it.
class EnterMovesFocus : public QObject
{
public:
    explicit EnterMovesFocus(QWidget *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_dialog;
};

// The hourglass for as long as the object lives, whatever way the scope is left.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
