#include "monthly/gui/bulkadddialog.h"

#include "monthly/bulkadd.h"
#include "monthly/gui/scoresheetwindow.h"

#include "core/gui/errorreport.h"
#include "core/gui/windowregistry.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "platform/gui/widgets.h"

#include <QListWidget>
#include <QPushButton>

BulkAddDialog::BulkAddDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("メンバー選択画面"));
    setFont(Ui::formFont());
    setFixedSize(Twips::toPixels(3135), Twips::toPixels(4815));

    memberList = new QListWidget(this);
    memberList->setGeometry(Twips::rect(120, 120, 2895, 3975));
    memberList->setSelectionMode(QAbstractItemView::MultiSelection);
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
}

void BulkAddDialog::reload()
{
    RunReportingErrors(this, [&] {
        for (const MemberRecord &member : MemberTable::allByKana()) {
            auto *entry = new QListWidgetItem(member.name, memberList);
            entry->setData(Qt::UserRole, static_cast<int>(member.id));
        }
    });
}

void BulkAddDialog::store()
{
    QVector<BulkAdd::Choice> chosen;
    for (int index = 0; index < memberList->count(); ++index) {
        const QListWidgetItem *entry = memberList->item(index);
        if (entry->isSelected())
            chosen.append({entry->data(Qt::UserRole).toInt(), entry->text()});
    }
    const bool stored = RunReportingErrors(this, [&] { BulkAdd::enter(Module1::CurrentCourseId, chosen); });
    if (!stored)
        return; // reported; the choice stays on screen to retry or cancel
    accept();
    if (ScoreSheetWindow *sheet = WindowRegistry::instance().existing<ScoreSheetWindow>())
        sheet->reload();
}
