#pragma once

#include "core/gui/windowplacement.h"
#include "platform/gui/printcommand.h"

#include <QDialog>
#include <QStringList>
#include <QVector>

class FailedReadNotice;
class Grid;
class QPushButton;
class SplitButton;
namespace AnnualPrint {
struct Line;
}

// The annual summary: one row per member, the placed months tinted red, blue and yellow.
class AnnualSummaryWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AnnualSummaryWindow(QWidget *parent = nullptr);

    static const QString Caption;
    static const QString PlacementName; // "Form9": its placement keys
    static constexpr int ColumnCount = 20;
    static const QSize DesignSize; // client area in pixels

    Grid *summaryGrid;
    SplitButton *printButton; // 印刷
    QPushButton *closeButton; // 終了

    // Recomputes the edited year's summary and replaces the data rows.
    void reload();
    void print();

public slots:
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setUpGrid();
    void layOut();
    void storePlacement();
    void addRow(int row, const AnnualPrint::Line &line);
    // The table for "CSVに保存": the cells as shown, each month's place in a column after it.
    QVector<QStringList> csvRecords() const;
    // The table as it is shown now, texts and month backgrounds, ready to be drawn any number
    // of times.
    PrintCommand::Printout printout() const;

    GridWindowPlacement m_placement;
    FailedReadNotice *m_readNotice;
};
