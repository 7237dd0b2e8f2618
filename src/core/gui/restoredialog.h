#pragma once

#include "core/restore.h"
#include "platform/gui/tablemodel.h"

#include <QDialog>

class GridView;
class QLabel;
class QPushButton;

// The copies in the backup folder, each checked, and "復元" to go back to the chosen one. The
// data before the restore is kept as a copy of its own.
class RestoreDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RestoreDialog(QWidget *parent = nullptr);

    QLabel *explanation;
    GridView *backupGrid;       // 日時, ファイル, 大きさ, メンバー, 月例会, 検査
    QPushButton *restoreButton; // 復元
    QPushButton *closeButton;   // 閉じる

    // Lists and checks the copies of the open database's backup folder.
    void reload();
    void updateRestoreButton();
    void restoreChosen();

private:
    const Restore::BackupFile *chosen() const;

    RowsModel<Restore::BackupFile> m_files;
};
