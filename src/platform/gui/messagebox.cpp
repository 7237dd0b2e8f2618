#include "platform/gui/messagebox.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QQueue>
#include <QStandardPaths>
#include <QUrl>

namespace {

bool g_answering = false;
QQueue<QMessageBox::StandardButton> g_answers;
QVector<MessageBox::Shown> g_shown;

} // namespace

namespace MessageBox {

namespace {

QMessageBox::StandardButton ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                                const QVector<MessageBox::Choice> &choices = {})
{
    if (g_answering) {
        QStringList captions;
        for (const MessageBox::Choice &choice : choices)
            captions << choice.caption;
        g_shown.append({icon, title, text, captions});
        if (!g_answers.isEmpty())
            return g_answers.dequeue();
        return defaultButton != QMessageBox::NoButton ? defaultButton : QMessageBox::Ok;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    for (const MessageBox::Choice &choice : choices) {
        box.button(choice.button)->setText(choice.caption);
        box.button(choice.button)->setToolTip(choice.toolTip);
    }
    if (!choices.isEmpty())
        box.setEscapeButton(choices.last().button);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
                                 QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return ask(parent, icon, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton choose(QWidget *parent, const QString &title, const QString &text,
                                   const QVector<Choice> &choices)
{
    QMessageBox::StandardButtons buttons;
    for (const Choice &choice : choices)
        buttons |= choice.button;
    return ask(parent, QMessageBox::Question, title, text, buttons,
               choices.isEmpty() ? QMessageBox::NoButton : choices.first().button, choices);
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

void tellSaved(QWidget *parent, const QString &path)
{
    const QString text = QStringLiteral("「%1」に保存しました。").arg(QDir::toNativeSeparators(path));
    // Qt opens a folder on a Linux desktop with xdg-open, which Debian's desktops all have; without
    // it the button would do nothing.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        information(parent, QStringLiteral("Parvela"), text);
        return;
    }
    const QVector<Choice> choices = {{QMessageBox::Open, QStringLiteral("フォルダを開く"),
                                      QStringLiteral("保存したファイルのあるフォルダを開きます")},
                                     {QMessageBox::Ok, QStringLiteral("OK")}};
    if (ask(parent, QMessageBox::Information, QStringLiteral("Parvela"), text, QMessageBox::Open | QMessageBox::Ok,
            QMessageBox::Ok, choices)
        == QMessageBox::Open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
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
