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

    Grid *MemberGrid;
    SplitButton *Command1; // 追加; its arrow: CSVから取込…
    SplitButton *Command2; // 編集; its arrow: HC履歴…
    QPushButton *Command3; // 削除
    SplitButton *Command5; // 印刷
    QPushButton *Command6; // 最新HC取得
    QPushButton *Command7; // 終了

    static const QString Caption;
    static const QString FormName;

    // Reloads the grid from the member table; no row is selected afterwards.
    void Showtable();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Prints name and handicap of every row; afterwards the last row is current.
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void MemberGrid_SelChange();
    void ImportCsv_Click(); // members from a spreadsheet's CSV file, after a preview
    void History_Click();   // the selected member's handicap over every competition played
    void MemberGrid_DblClick();
    void MemberGrid_MouseDown(int button);

    // Member ID shown in a grid row (1 … rows-1), 0 for the header row or a row out of range.
    qint16 memberIdOfRow(int row) const;

public slots:
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void Form_Resize(int innerWidth, int innerHeight);
    void Form_QueryUnload();
    // Replaces the grid's rows with the members `read` gives (a failed read is told over the grid).
    void loadRows(const std::function<QVector<MemberRecord>()> &read);
    void Addrow(int row, const MemberRecord &member);
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
