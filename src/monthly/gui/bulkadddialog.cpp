#include "monthly/gui/bulkadddialog.h"

#include "monthly/bulkadd.h"

#include "core/gui/errorreport.h"
#include "core/membertable.h"
#include "platform/gui/widgets.h"

#include <QListView>
#include <QPushButton>

#include <algorithm>

BulkAddDialog::BulkAddDialog(qint16 courseId, QWidget *parent)
    : QDialog(parent)
    , m_courseId(courseId)
    , m_members({QStringLiteral("氏名")}, false, [](const MemberRecord &member, int, int) { return member.name; })
{
    setWindowTitle(QStringLiteral("メンバー選択画面"));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(3135), Twips::toPixels(4815));

    memberList = new QListView(this);
    memberList->setGeometry(Twips::rect(120, 120, 2895, 3975));
    memberList->setSelectionMode(QAbstractItemView::MultiSelection);
    memberList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    memberList->setModel(&m_members);
    QFont regular = Ui::formFont();
    regular.setBold(false);
    memberList->setFont(regular);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setGeometry(Twips::rect(120, 4260, 1335, 435));
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("CANCEL"), this);
    cancelButton->setGeometry(Twips::rect(1680, 4260, 1335, 435));
    cancelButton->setAutoDefault(false);

    connect(okButton, &QPushButton::clicked, this, &BulkAddDialog::store);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    new EnterPressesButtons(this);

    RunReportingErrors(this, [&] { m_members.setRows(MemberTable::allByKana()); });
}

void BulkAddDialog::store()
{
    // In the order of the list, whatever order they were picked in.
    QModelIndexList picked = memberList->selectionModel()->selectedRows();
    std::sort(picked.begin(), picked.end());
    QVector<BulkAdd::Choice> chosen;
    for (const QModelIndex &index : picked) {
        const MemberRecord &member = m_members.rowList().at(index.row());
        chosen.append({member.id, member.name});
    }
    const bool stored = RunReportingErrors(this, [&] { BulkAdd::enter(m_courseId, chosen); });
    if (!stored)
        return; // reported; the choice stays on screen to retry or cancel
    accept();
}
