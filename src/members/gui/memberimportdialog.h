#pragma once

#include "members/memberimport.h"

#include <QDialog>
#include <QVector>

class Grid;
class QLabel;
class QPushButton;

// The preview of a member import: every row of the file with its verdict. "取込" stores the
// new rows, all or none, and is offered only while no row is faulty.
class MemberImportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MemberImportDialog(QWidget *parent = nullptr);

    Grid *PreviewGrid;     // 行, 氏名, ふりがな, 誕生日, HC, 判定
    QLabel *Label1;        // what the file holds and what 取込 will do
    QPushButton *Command1; // 取込
    QPushButton *Command2; // キャンセル

    void Showpreview(const QString &fileName, const QVector<MemberImport::Row> &rows);
    void Command1_Click();

private:
    QVector<MemberImport::Row> m_rows;
};
