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

    QLabel *versionLabel; // version
    QLabel *makerValue;
    QLabel *homeValue;
    QLabel *supportValue;
    QLabel *licenceValue;
    QLabel *copyrightValue;
    // The files in use, each a link to its folder, the full path as tooltip.
    QLabel *helpFileValue;
    QLabel *databaseValue;
    QLabel *qtValue;
    QLabel *sqliteValue;
    QPushButton *closeButton; // 閉じる
};
