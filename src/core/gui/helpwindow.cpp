#include "core/gui/helpwindow.h"

#include "core/datalocation.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent)
    : QDialog(parent)
    , browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Parvela ヘルプ"));
    resize(640, 560);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    browser->setOpenExternalLinks(false);
    QFile file(DataLocation::helpFilePath());
    if (file.open(QIODevice::ReadOnly))
        browser->setHtml(QString::fromUtf8(file.readAll()));
}

bool HelpWindow::helpFilePresent()
{
    return !DataLocation::helpFilePath().isEmpty();
}
