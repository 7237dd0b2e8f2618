#include "core/gui/programstart.h"

#include "core/datalocation.h"
#include "core/gui/mainmenu.h"
#include "platform/gui/japanese.h"

#include <QApplication>
#include <QIcon>

// The icon is compiled into the static library; its resources must be registered by hand.
static void registerIconResource()
{
    Q_INIT_RESOURCE(icon);
}

namespace ProgramStart {

MainMenu *showMainMenu(const QString &programFolder)
{
    useJapanese();
    QApplication::setOrganizationName(QStringLiteral("Parvela"));
    QApplication::setApplicationName(QStringLiteral("Parvela"));
    // Ties the windows to the installed desktop entry and its icon; a program run from its
    // build folder finds the icon in the theme only once installed, and falls back to its own.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.parvela.Parvela"));
    registerIconResource();
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("io.github.parvela.Parvela"), QIcon(QStringLiteral(":/parvela/icon.png"))));
    DataLocation::setProgramFolder(programFolder);

    auto *menu = new MainMenu;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (!menu->start()) {
        delete menu;
        return nullptr;
    }
    menu->show();
    return menu;
}

} // namespace ProgramStart
