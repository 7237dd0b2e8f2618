#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The version window.
class VersionWindow : public QDialog
{
    Q_OBJECT

public:
    explicit VersionWindow(QWidget *parent = nullptr);

    QLabel *Label10; // version
    QLabel *MakerValue;
    QLabel *HomeValue;
    QLabel *SupportValue;
    QLabel *LicenceValue;
    QLabel *CopyrightValue;
    // The files in use, each a link to its folder, the full path as tooltip.
    QLabel *HelpFileValue;
    QLabel *DatabaseValue;
    QLabel *QtValue;
    QLabel *SqliteValue;
    QPushButton *Command2; // 閉じる
};
