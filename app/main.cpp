#include "core/gui/form1.h"
#include "core/module1.h"
#include "platform/gui/japanese.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    useJapanese();
    QApplication::setOrganizationName(QStringLiteral("Parvela"));
    QApplication::setApplicationName(QStringLiteral("Parvela"));
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
