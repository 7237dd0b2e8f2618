#include "core/gui/form1.h"
#include "core/module1.h"
#include "platform/gui/japanese.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    useJapanese();
    QApplication::setOrganizationName(QStringLiteral("Parvela"));
    QApplication::setApplicationName(QStringLiteral("Parvela"));
    // Ties the windows to the installed desktop entry and its icon; a program run from its
    // build folder finds the icon in the theme only once installed, and falls back to its own.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.parvela.Parvela"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("io.github.parvela.Parvela"), QIcon(QStringLiteral(":/parvela/icon.png"))));
    Module1::SetProgramFolder(QApplication::applicationDirPath());

    auto *menu = new Form1;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (!menu->Form_Load()) {
        delete menu;
        return 1;
    }
    menu->show();
    return app.exec();
}
