#pragma once

#include "members/memberimport.h"
#include "platform/gui/tablemodel.h"

#include <QDialog>
#include <QVector>

class GridView;
class QLabel;
class QPushButton;

// The preview of a member import: every row of the file with its verdict. "取込" stores the
// new rows, all or none, and is offered only while no row is faulty.
class MemberImportDialog : public QDialog
{
    Q_OBJECT

public:
    // The rows read from the file of that name, with their verdicts.
    MemberImportDialog(const QString &fileName, const QVector<MemberImport::Row> &rows, QWidget *parent = nullptr);

    GridView *previewGrid;     // 行, 氏名, ふりがな, 誕生日, HC, 判定
    QLabel *summaryLabel;      // what the file holds and what 取込 will do
    QPushButton *importButton; // 取込
    QPushButton *cancelButton; // キャンセル

    void store();

private:
    void showPreview(const QString &fileName);

    RowsModel<MemberImport::Row> m_rows;
};
