#include "platform/gui/messagebox.h"

#include <QLineEdit>
#include <QQueue>

namespace {

bool g_answering = false;
QQueue<QMessageBox::StandardButton> g_answers;
QVector<MessageBox::Shown> g_shown;

} // namespace

namespace MessageBox {

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                                 QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    if (g_answering) {
        g_shown.append({icon, title, text});
        if (!g_answers.isEmpty())
            return g_answers.dequeue();
        return defaultButton != QMessageBox::NoButton ? defaultButton : QMessageBox::Ok;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void critical(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, QMessageBox::Critical, title, text);
}

void warning(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, QMessageBox::Warning, title, text);
}

void refuseField(QLineEdit *field, const QString &text)
{
    show(field->window(), QMessageBox::Warning, QStringLiteral("Parvela"), text);
    field->setFocus();
    field->selectAll();
}

void information(QWidget *parent, const QString &title, const QString &text)
{
    show(parent, QMessageBox::Information, title, text);
}

void setAnswering(bool on)
{
    g_answering = on;
    g_answers.clear();
    g_shown.clear();
}

void queueAnswer(QMessageBox::StandardButton answer)
{
    g_answers.enqueue(answer);
}

QVector<Shown> takeShown()
{
    QVector<Shown> shown;
    shown.swap(g_shown);
    return shown;
}

} // namespace MessageBox
