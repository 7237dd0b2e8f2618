#pragma once

#include "core/coursetable.h"
#include "core/gui/windowplacement.h"
#include "core/scoretable.h"
#include "monthly/sideprizes.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/tablemodel.h"

#include <QDialog>
#include <QVector>

#include <array>
#include <functional>

class FailedReadNotice;
class GridView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SplitButton;
class UndoCommands;
class UndoHistory;
struct SettingsRecord;

// The sheet's rows in net order with their place labels; when the club gives side prizes, a 賞
// column after 新HC names each row's.
class ScoreSheetModel : public RowsModel<ScoreRecord>
{
public:
    explicit ScoreSheetModel(const SidePrizes::Rules &rules);
    // Replaces every row, deciding their side prizes.
    void setSheet(QVector<ScoreRecord> rows);

protected:
    QString text(int row, int column) const override;

private:
    SidePrizes::Rules m_rules;
    QVector<SidePrizes::Prizes> m_prizes; // by row
};

// The month's score sheet: one competition with all its results in net order. The hub of a
// month's work: add, bulk add, edit, delete, new handicaps, print, play date and course.
class ScoreSheetWindow : public QDialog
{
    Q_OBJECT

public:
    ScoreSheetWindow(const CourseRecord &competition, const SettingsRecord &settings, UndoHistory &history,
                     QWidget *parent = nullptr);

    static const QString PlacementName; // "Form4": its placement keys
    static const QSize DesignSize;      // client area in pixels

    std::array<QLabel *, 2> captions; // Date, Course
    QLineEdit *playDateEdit;
    QPushButton *pickDateButton; // ...
    QComboBox *courseCombo;
    GridView *scoreGrid;
    SplitButton *addButton;         // 追加; its arrow: 元に戻す, やり直す
    QPushButton *bulkAddButton;     // 一括追加
    QPushButton *editButton;        // 編集
    QPushButton *deleteButton;      // 削除
    SplitButton *printButton;       // 印刷
    QPushButton *newHandicapButton; // 新HC計算
    QPushButton *closeButton;       // 終了
    UndoCommands *undoCommands;

    // Reloads the grid from the database.
    void reload();
    // The Score row behind each row of the grid, in its order, as read by the last reload.
    const QVector<ScoreRecord> &rows() const { return m_rows.rowList(); }

    void addScore();
    void bulkAdd();
    void editCurrentRow();
    // Every row of the highlighted block, or on an error none of them.
    void deleteSelectedRows();
    // Ranks the month and derives the new handicaps.
    void calculateNewHandicaps();
    // Prints the sheet as it is shown; afterwards the last row is current.
    void print();
    // Stores the play date and the course name, then closes; stays open when they cannot be stored.
    void storeAndClose();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Replaces the grid's rows with those `read` gives (a failed read is told over the grid).
    void loadRows(const std::function<QVector<ScoreRecord>()> &read);
    void pickDate();
    // After an undo or a redo: the rows, date and course as stored now; the sheet closes when
    // its competition was taken back.
    void showRestored();
    void layOut();
    void updateEditButtons();
    // The sheet as it is shown now, ready to be drawn any number of times.
    PrintCommand::Printout printout() const;

    CourseRecord m_competition;
    const SettingsRecord &m_settings;
    UndoHistory &m_history;
    ScoreSheetModel m_rows;
    GridWindowPlacement m_placement;
    FailedReadNotice *m_readNotice;
};
