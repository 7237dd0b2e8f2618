#pragma once

#include "core/scoretable.h"
#include "platform/gui/tablemodel.h"

#include <QDialog>

class GridView;
class QChartView;
class QLabel;
class QPushButton;

// One member's handicap history, read-only: every competition played over all years, and a
// chart of the handicap played with over time beside the edited year's first and final HC.
class HandicapHistoryWindow : public QDialog
{
    Q_OBJECT

public:
    // `editYear`: the year whose first and final HC are shown beside the rounds.
    explicit HandicapHistoryWindow(int editYear, QWidget *parent = nullptr);

    QLabel *summaryLabel; // the member and the edited year's 初HC and 終HC
    QChartView *chartView;
    GridView *historyGrid;    // 日付, コース, HC, GROSS, NET, 順位, 新HC
    QPushButton *closeButton; // 閉じる

    // Loads the member's history; false (the error or the missing member told) when it cannot.
    bool load(int memberId);

private:
    int m_editYear;
    RowsModel<PlayedRound> m_rounds;
};
