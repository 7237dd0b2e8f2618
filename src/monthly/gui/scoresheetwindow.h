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

    static const QString FormName; // "Form4": its placement keys
    static constexpr int ColumnCount = 9;
    static const QSize DesignSize; // client area in pixels

    // Makes the competition current, fills and shows its sheet modally over `owner`.
    static void ShowCompetition(QWidget *owner, const CourseRecord &course);

    std::array<QLabel *, 2> Label1; // Date, Course
    QLineEdit *boxDate;
    QPushButton *Command6; // ...
    QComboBox *boxCourse;
    Grid *ScoreGrid;
    QPushButton *Command1; // 追加
    QPushButton *Command8; // 一括追加
    QPushButton *Command2; // 編集
    QPushButton *Command3; // 削除
    SplitButton *Command5; // 印刷
    QPushButton *Command4; // 新HC計算
    QPushButton *Command7; // 終了

    // Reloads the grid from the database.
    void Showtable();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Ranks the month and derives the new handicaps.
    void Command4_Click();
    // Prints the sheet as it is shown; afterwards the last row is current.
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void ScoreGrid_SelChange();
    void ScoreGrid_DblClick();
    void ScoreGrid_MouseDown(int button);

    // The Score row behind each data row, in grid order (row 1 is element 0), as read by the
    // last Showtable.
    const QVector<ScoreRecord> &rowRecords() const { return m_rows; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Replaces the grid's rows with those `read` gives (a failed read is told over the grid).
    void loadRows(const std::function<QVector<ScoreRecord>()> &read);
    void Addrow(int row, const ScoreRecord &score);
    void Form_QueryUnload();
    void Form_Resize();
    void setEditButtons(bool enabled);
    // The sheet as it is shown now, ready to be drawn any number of times.
    PrintCommand::Printout printout() const;

    QVector<ScoreRecord> m_rows;
    GridWindowPlacement m_placement;
    FailedReadNotice *m_readNotice;
};
