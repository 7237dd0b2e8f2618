#pragma once

#include "core/gui/windowplacement.h"
#include "platform/gui/printcommand.h"
// Included rather than declared: callers press 追加 and 編集 like any other button.
#include "platform/gui/splitbutton.h"

#include <QDialog>
#include <QVector>

#include <functional>

class FailedReadNotice;
class Grid;
class QAction;
class QPushButton;
struct MemberRecord;

// The member list: every member in kana order, with add, edit, delete and the latest
// handicaps of the edited year.
class MemberListWindow : public QDialog
{
    Q_OBJECT

public:
    explicit MemberListWindow(QWidget *parent = nullptr);

    Grid *memberGrid;
    SplitButton *addButton;            // 追加; its arrow: CSVから取込…
    SplitButton *editButton;           // 編集; its arrow: HC履歴…
    QPushButton *deleteButton;         // 削除
    SplitButton *printButton;          // 印刷
    QPushButton *latestHandicapButton; // 最新HC取得
    QPushButton *closeButton;          // 終了

    static const QString Caption;
    static const QString PlacementName;

    // Reloads the grid from the member table; no row is selected afterwards.
    void reload();

    void addMember();
    void editCurrentRow();
    void deleteSelectedRows();
    // Prints name and handicap of every row; afterwards the last row is current.
    void print();
    void takeLatestHandicaps();
    void updateEditButtons();
    void importCsv();   // members from a spreadsheet's CSV file, after a preview
    void showHistory(); // the selected member's handicap over every competition played
    void editDoubleClickedRow();
    void addOnRightButton(int button);

    // Member ID shown in a grid row (1 … rows-1), 0 for the header row or a row out of range.
    qint16 memberIdOfRow(int row) const;

public slots:
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setUpGrid();
    void layOut(int innerWidth, int innerHeight);
    void storePlacement();
    // Replaces the grid's rows with the members `read` gives (a failed read is told over the grid).
    void loadRows(const std::function<QVector<MemberRecord>()> &read);
    void addRow(int row, const MemberRecord &member);
    void setEditButtonsEnabled(bool enabled);
    // The list as it is shown now, ready to be drawn any number of times.
    PrintCommand::Printout printout() const;

    // The ID of each member row, in grid order: a row names its member even when another
    // member was renamed to the same name.
    QVector<qint16> m_rowIds;
    QAction *m_historyCommand = nullptr; // needs a member row, as 編集 does
    GridWindowPlacement m_placement;
    FailedReadNotice *m_readNotice;
};
