#pragma once

#include <QMessageBox>

class QLineEdit;
#include <QString>
#include <QVector>

// Every message box of the program goes through here, so tests can answer them without a
// modal loop and read what the user would have seen.
namespace MessageBox {

struct Shown
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
void critical(QWidget *parent, const QString &title, const QString &text);
void warning(QWidget *parent, const QString &title, const QString &text);
void information(QWidget *parent, const QString &title, const QString &text);
// An entry field refused: the warning that names it, then the field ready to be corrected.
void refuseField(QLineEdit *field, const QString &text);

// Test seam: while answering is on, boxes are recorded instead of shown, and answered with the
// queued answers (the box's default button when the queue is empty).
void setAnswering(bool on);
void queueAnswer(QMessageBox::StandardButton answer);
QVector<Shown> takeShown();

} // namespace MessageBox
