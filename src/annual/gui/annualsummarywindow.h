#pragma once

#include "annual/annualrow.h"
#include "core/gui/windowplacement.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/tablemodel.h"

#include <QDialog>
#include <QStringList>
#include <QVector>

class FailedReadNotice;
class GridView;
class QPushButton;
class SplitButton;
struct SettingsRecord;

// The annual summary: one row per member, the placed months tinted red, blue and yellow.
class AnnualSummaryWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AnnualSummaryWindow(const SettingsRecord &settings, QWidget *parent = nullptr);

    static const QString Caption;
    static const QString PlacementName; // "Form9": its placement keys
    static const QSize DesignSize;      // client area in pixels

    GridView *summaryGrid;
    SplitButton *printButton; // 印刷
    QPushButton *closeButton; // 終了

    // Recomputes the edited year's summary and replaces the rows.
    void reload();
    const QVector<AnnualRow> &rows() const { return m_rows.rowList(); }
    void print();

public slots:
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layOut();
    // The table for "CSVに保存": the cells as shown, each month's place in a column after it.
    QVector<QStringList> csvRecords() const;
    // The table as it is shown now, texts and month backgrounds, ready to be drawn any number
    // of times.
    PrintCommand::Printout printout() const;

    const SettingsRecord &m_settings;
    RowsModel<AnnualRow> m_rows;
    GridWindowPlacement m_placement;
    FailedReadNotice *m_readNotice;
};
