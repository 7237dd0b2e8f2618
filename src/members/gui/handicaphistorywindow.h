#pragma once

#include <QDialog>

class Grid;
class QChartView;
class QLabel;
class QPushButton;

// One member's handicap history, read-only: every competition played over all years, and a
// chart of the handicap played with over time beside the edited year's first and final HC.
class HandicapHistoryWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HandicapHistoryWindow(QWidget *parent = nullptr);

    QLabel *summaryLabel; // the member and the edited year's 初HC and 終HC
    QChartView *chartView;
    Grid *historyGrid;        // 日付, コース, HC, GROSS, NET, 順位, 新HC
    QPushButton *closeButton; // 閉じる

    // Loads the member's history; false (the error or the missing member told) when it cannot.
    bool load(int memberId);
};
