#pragma once

#include "core/gui/windowplacement.h"
#include "core/scoretable.h"
#include "platform/gui/printcommand.h"

#include <QDialog>
#include <QVector>

#include <array>
#include <functional>

class FailedReadNotice;
class Grid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SplitButton;
struct CourseRecord;

// The month's score sheet: one competition with all its results in net order. The hub of a
// month's work: add, bulk add, edit, delete, new handicaps, print, play date and course.
class ScoreSheetWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ScoreSheetWindow(QWidget *parent = nullptr);

    static const QString PlacementName; // "Form4": its placement keys
    static constexpr int ColumnCount = 9;
    static const QSize DesignSize; // client area in pixels

    // Makes the competition current, fills and shows its sheet modally over `owner`.
    static void showCompetition(QWidget *owner, const CourseRecord &course);

    std::array<QLabel *, 2> captions; // Date, Course
    QLineEdit *playDateEdit;
    QPushButton *pickDateButton; // ...
    QComboBox *courseCombo;
    Grid *scoreGrid;
    QPushButton *addButton;         // 追加
    QPushButton *bulkAddButton;     // 一括追加
    QPushButton *editButton;        // 編集
    QPushButton *deleteButton;      // 削除
    SplitButton *printButton;       // 印刷
    QPushButton *newHandicapButton; // 新HC計算
    QPushButton *closeButton;       // 終了

    // Reloads the grid from the database.
    void reload();
    void addScore();
    void editCurrentRow();
    void deleteSelectedRows();
    // Ranks the month and derives the new handicaps.
    void calculateNewHandicaps();
    // Prints the sheet as it is shown; afterwards the last row is current.
    void print();
    void pickDate();
    void storeAndClose();
    void bulkAdd();
    void updateEditButtons();
    void editDoubleClickedRow();
    void addOnRightButton(int button);

    // The Score row behind each data row, in grid order (row 1 is element 0), as read by the
    // last reload.
    const QVector<ScoreRecord> &rows() const { return m_rows; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Replaces the grid's rows with those `read` gives (a failed read is told over the grid).
    void loadRows(const std::function<QVector<ScoreRecord>()> &read);
    void addRow(int row, const ScoreRecord &score);
    void storePlacement();
    void layOut();
    void setEditButtons(bool enabled);
    // The sheet as it is shown now, ready to be drawn any number of times.
    PrintCommand::Printout printout() const;

    QVector<ScoreRecord> m_rows;
    GridWindowPlacement m_placement;
    FailedReadNotice *m_readNotice;
};
