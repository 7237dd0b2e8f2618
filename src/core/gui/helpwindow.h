#pragma once

#include <QDialog>

class QTextBrowser;

// Shows the program's help file at its contents.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The help file counts only under its exact name "parvela.hlp", letter case included,
    // beside the program or where the program is installed.
    static bool helpFilePresent();

    QTextBrowser *browser;
};
