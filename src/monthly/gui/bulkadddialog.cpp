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

    List1 = new QListWidget(this);
    List1->setGeometry(Twips::rect(120, 120, 2895, 3975));
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    QFont regular = Ui::formFont();
    regular.setBold(false);
    List1->setFont(regular);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setGeometry(Twips::rect(120, 4260, 1335, 435));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("CANCEL"), this);
    Command2->setGeometry(Twips::rect(1680, 4260, 1335, 435));
    Command2->setAutoDefault(false);

    connect(Command1, &QPushButton::clicked, this, &BulkAddDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &BulkAddDialog::Command2_Click);
    new EnterPressesButtons(this);
}

void BulkAddDialog::Showtable()
{
    RunReportingErrors(this, [&] {
        for (const MemberRecord &member : MemberTable::allByKana()) {
            auto *entry = new QListWidgetItem(member.name, List1);
            entry->setData(Qt::UserRole, static_cast<int>(member.id));
        }
    });
}

void BulkAddDialog::Command1_Click()
{
    QVector<BulkAdd::Choice> chosen;
    for (int index = 0; index < List1->count(); ++index) {
        const QListWidgetItem *entry = List1->item(index);
        if (entry->isSelected())
            chosen.append({entry->data(Qt::UserRole).toInt(), entry->text()});
    }
    const bool stored = RunReportingErrors(this, [&] { BulkAdd::enter(Module1::CurrentCourseId, chosen); });
    if (!stored)
        return; // reported; the choice stays on screen to retry or cancel
    accept();
    if (ScoreSheetWindow *sheet = WindowRegistry::instance().existing<ScoreSheetWindow>())
        sheet->Showtable();
}

void BulkAddDialog::Command2_Click()
{
    reject();
}
