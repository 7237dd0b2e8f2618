#pragma once

#include "core/restore.h"

#include <QDialog>
#include <QVector>

class Grid;
class QLabel;
class QPushButton;

// The copies in the backup folder, each checked, and "復元" to go back to the chosen one. The
// data before the restore is kept as a copy of its own.
class RestoreDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RestoreDialog(QWidget *parent = nullptr);

    QLabel *Label1;
    Grid *BackupGrid;      // 日時, ファイル, 大きさ, メンバー, 月例会, 検査
    QPushButton *Command1; // 復元
    QPushButton *Command2; // 閉じる

    // Lists and checks the copies of the open database's backup folder.
    void Showtable();
    // For a database that cannot be opened: the copies of its backup folder, and 復元 puts the
    // chosen one in its place, keeping the damaged file beside it under another name.
    void useForDamagedFile(const QString &databasePath);
    bool restoredDamagedFile() const { return m_restoredDamaged; }
    void BackupGrid_Click();
    void Command1_Click();

private:
    const Restore::BackupFile *chosen() const;

    QString databasePath() const;

    QVector<Restore::BackupFile> m_files;
    QString m_damagedPath;
    bool m_restoredDamaged = false;
};
