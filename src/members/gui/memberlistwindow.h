#pragma once

#include "core/gui/windowplacement.h"
#include "core/membertable.h"
#include "platform/gui/printcommand.h"
#include "platform/gui/tablemodel.h"
// Included rather than declared: callers press 追加 and 編集 like any other button.
#include "platform/gui/splitbutton.h"

#include <QDialog>
#include <QVector>

#include <functional>

class FailedReadNotice;
class GridView;
class QAction;
class QPushButton;
struct SettingsRecord;

// The member list: every member in kana order, with add, edit, delete and the latest
// handicaps of the edited year.
class MemberListWindow : public QDialog
{
    Q_OBJECT

public:
    explicit MemberListWindow(const SettingsRecord &settings, QWidget *parent = nullptr);

    GridView *memberGrid;
    SplitButton *addButton;            // 追加; its arrow: CSVから取込…
    SplitButton *editButton;           // 編集; its arrow: HC履歴…
    QPushButton *deleteButton;         // 削除
    SplitButton *printButton;          // 印刷
    QPushButton *latestHandicapButton; // 最新HC取得
    QPushButton *closeButton;          // 終了

    static const QString Caption;
    static const QString PlacementName; // "Form7": its placement keys

    // Reloads the grid from the member table; no row is selected afterwards.
    void reload();
    // The members as the list shows them, in its order.
    const QVector<MemberRecord> &members() const { return m_members.rowList(); }

    void addMember();
    void editCurrentRow();
    // Every member of the highlighted block, or on an error none of them.
    void deleteSelectedRows();
    // Prints name and handicap of every row; afterwards the last row is current.
    void print();
    void takeLatestHandicaps();
    void importCsv();   // members from a spreadsheet's CSV file, after a preview
    void showHistory(); // the current member's handicap over every competition played

public slots:
    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void layOut(int innerWidth, int innerHeight);
    // Replaces the grid's rows with the members `read` gives (a failed read is told over the grid).
    void loadRows(const std::function<QVector<MemberRecord>()> &read);
    void updateEditButtons();
    // The list as it is shown now, ready to be drawn any number of times.
    PrintCommand::Printout printout() const;

    const SettingsRecord &m_settings;
    // A row names its member by ID, even when another member was renamed to the same name.
    RowsModel<MemberRecord> m_members;
    QAction *m_historyCommand = nullptr; // needs a member row, as 編集 does
    GridWindowPlacement m_placement;
    FailedReadNotice *m_readNotice;
};
