#include "core/gui/programstart.h"

#include "core/databaselock.h"
#include "core/datalocation.h"
#include "core/gui/mainmenu.h"
#include "platform/gui/japanese.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

#include <future>
#include <memory>

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
    QApplication::setOrganizationName(QStringLiteral("Parvela"));
    QApplication::setApplicationName(QStringLiteral("Parvela"));
    DataLocation::setProgramFolder(programFolder);
    // Taking the database's lock waits for the disk (the lock file is synced), as long as the
    // rest of the start before the menu shows: it is taken meanwhile, on a thread of its own. A
    // database that does not exist yet is locked once it has been made.
    const QString database = DataLocation::databasePath();
    std::future<std::unique_ptr<DatabaseLock>> lock;
    if (QFileInfo(database).isFile())
        lock = std::async(std::launch::async, [database] { return std::make_unique<DatabaseLock>(database); });

    useJapanese();
    // Ties the windows to the installed desktop entry and its icon; a program run from its
    // build folder finds the icon in the theme only once installed, and falls back to its own.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.parvela.Parvela"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.parvela.Parvela"), ownIcon()));

    auto *menu = new MainMenu;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (!menu->start(lock.valid() ? lock.get() : nullptr)) {
        delete menu;
        return nullptr;
    }
    menu->show();
    return menu;
}

} // namespace ProgramStart
