#include "form12.h"

#include "form4.h"

#include "core/database.h"
#include "core/errorreport.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "core/scoretable.h"
#include "core/windowregistry.h"
#include "platform/widgets.h"

#include <QListWidget>
#include <QPushButton>

#include <QSet>

Form12::Form12(QWidget *parent)
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

    connect(Command1, &QPushButton::clicked, this, &Form12::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form12::Command2_Click);
}

void Form12::Showtable()
{
    RunReportingErrors(this, [&] {
        for (const MemberRecord &member : MemberTable::allByKana()) {
            auto *entry = new QListWidgetItem(member.name, List1);
            entry->setData(Qt::UserRole, static_cast<int>(member.id));
        }
    });
}

void Form12::Command1_Click()
{
    const int courseId = Module1::CurrentCourseId;
    // One transaction: either every chosen member is entered or, on an error, none is.
    const bool stored = RunReportingErrors(this, [&] {
        Transaction transaction;
        QSet<int> entered;
        for (const ScoreRecord &score : ScoreTable::rankingRows(courseId))
            entered.insert(score.memberId);
        for (int index = 0; index < List1->count(); ++index) {
            const QListWidgetItem *entry = List1->item(index);
            if (!entry->isSelected())
                continue;
            const int memberId = entry->data(Qt::UserRole).toInt();
            if (entered.contains(memberId))
                continue;
            const std::optional<MemberRecord> member = MemberTable::byId(memberId);
            if (!member)
                continue; // deleted since the list was filled
            ScoreRecord score;
            score.courseId = static_cast<qint16>(courseId);
            score.memberId = memberId;
            score.memberName = entry->text();
            score.hc = member->hc;
            ScoreTable::insert(score);
            entered.insert(memberId);
        }
        transaction.commit();
    });
    if (!stored)
        return; // reported; the choice stays on screen to retry or cancel
    accept();
    if (Form4 *sheet = WindowRegistry::instance().existing<Form4>())
        sheet->Showtable();
}

void Form12::Command2_Click()
{
    reject();
}
