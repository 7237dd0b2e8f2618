#include "core/gui/programstart.h"

#include "core/datalocation.h"
#include "core/gui/mainmenu.h"
#include "platform/gui/japanese.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

// The icon is compiled into the static library; its resources must be registered by hand.
static void registerIconResource()
{
    Q_INIT_RESOURCE(icon);
}

// The program's own icon, read as the PNG it is: told only the file's name, Qt loads every image
// plugin it has to find out the format, which made each start wait several milliseconds.
static QIcon ownIcon()
{
    registerIconResource();
    QImageReader reader(QStringLiteral(":/parvela/icon.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
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
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.parvela.Parvela"), ownIcon()));
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
