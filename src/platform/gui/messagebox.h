#pragma once

#include <QMessageBox>

class QLineEdit;
#include <QString>
#include <QStringList>
#include <QVector>

// Every message box of the program goes through here, so tests can answer them without a
// modal loop and read what the user would have seen.
namespace MessageBox {

struct Shown
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QStringList choices; // the captions of choose()'s buttons
};

// A button of choose(): one of the standard buttons, under a caption that says what it does.
struct Choice
{
    QMessageBox::StandardButton button;
    QString caption;
    QString toolTip = {};
};

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
void critical(QWidget *parent, const QString &title, const QString &text);
void warning(QWidget *parent, const QString &title, const QString &text);
void information(QWidget *parent, const QString &title, const QString &text);
// An entry field refused: the warning that names it, then the field ready to be corrected.
void refuseField(QLineEdit *field, const QString &text);
// A question answered with one of `choices`: the first is the default, Esc picks the last.
QMessageBox::StandardButton choose(QWidget *parent, const QString &title, const QString &text,
                                   const QVector<Choice> &choices);

// A file written: where it went. When the desktop has a program that opens folders, a second
// button opens the folder the file is in; OK, Enter and Esc just close.
void tellSaved(QWidget *parent, const QString &path);

// Test seam: while answering is on, boxes are recorded instead of shown, and answered with the
// queued answers (the box's default button when the queue is empty).
void setAnswering(bool on);
void queueAnswer(QMessageBox::StandardButton answer);
QVector<Shown> takeShown();

} // namespace MessageBox
