#include "core/gui/programstart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!ProgramStart::showMainMenu(QApplication::applicationDirPath()))
        return 1;
    return app.exec();
}
