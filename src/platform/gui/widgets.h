#pragma once

#include <QFont>
#include <QObject>
#include <QRect>

#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QWidget;

// Layouts are designed in twips; at 96 dpi one pixel is 15 twips.
namespace Twips {
inline constexpr int PerPixel = 15;
int toPixels(int twips);
int fromPixels(int pixels);
QRect rect(int left, int top, int width, int height);
} // namespace Twips

// What an entry dialog does with its record: adds a new one, or changes the one it shows.
enum class EntryMode { Add, Edit };

namespace Ui {
// A sizable window with minimise, maximise and close boxes, as the grid windows are.
inline constexpr Qt::WindowFlags SizableWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                      | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
// The face of buttons and labels: a proportional Japanese gothic, 9 pt, bold.
QFont formFont();
// A box for numbers, in the regular face of the form's font: no input method.
QLineEdit *numberBox(QWidget *parent);
// The hint box of the menu-like windows: black text on white in a thin black frame, top left.
// Drawn by the label's own frame and colours rather than a style sheet, whose machinery the main
// menu would otherwise load at every start for this box alone.
void makeHintBox(QLabel &label);
// An entry dialog's caption, which tells its mode: "追加" or "編集".
QString captionOf(EntryMode mode);
} // namespace Ui

// Lets a menu-like window see every key before its focused control and decide by the key
// alone. The handler gets the key's code (keyCode) and returns true when it used the key.
class KeyPreview : public QObject
{
public:
    using Handler = std::function<bool(int key)>;
    KeyPreview(QWidget *window, Handler handler);

    // The key that was pressed, whatever Shift made of it: Shift+1 gives Qt::Key_1 as 1 does,
    // while Qt itself reports the symbol the layout puts on that key (Qt::Key_Exclam).
    static int keyCode(const QKeyEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    Handler m_handler;
};

// In the given window Enter or keypad Enter on a focused button presses it, as Space does.
class EnterPressesButtons : public QObject
{
public:
    explicit EnterPressesButtons(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The window's control that got Enter; nullptr for any other key or another window.
    QWidget *enterTarget(QObject *watched, QEvent *event) const;

    QWidget *m_window;
};

// In entry dialogs Enter also moves on from a field to the next one, as Tab does.
class EnterMovesFocus : public EnterPressesButtons
{
public:
    explicit EnterMovesFocus(QWidget *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
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
