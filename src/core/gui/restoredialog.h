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
    // The copies of the open database.
    explicit RestoreDialog(QWidget *parent = nullptr);
    // For a database that cannot be opened: the copies of its backup folder, and 復元 puts the
    // chosen one in its place, keeping the damaged file beside it under another name.
    RestoreDialog(const QString &damagedDatabasePath, QWidget *parent);

    QLabel *explanation;
    GridView *backupGrid;       // 日時, ファイル, 大きさ, メンバー, 月例会, 検査
    QPushButton *restoreButton; // 復元
    QPushButton *closeButton;   // 閉じる

    // Lists and checks the copies of the database's backup folder.
    void reload();
    void restoreChosen();
    bool restoredDamagedFile() const { return m_restoredDamaged; }

private:
    const Restore::BackupFile *chosen() const;

    void updateRestoreButton();
    QString databasePath() const;

    RowsModel<Restore::BackupFile> m_files;
    QString m_damagedPath;
    bool m_restoredDamaged = false;
};
