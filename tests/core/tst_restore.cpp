// Going back to a backup from the settings dialog: only sound copies are offered, and the data
// before the restore is kept.
#include "parvelatest.h"

#include "core/backup.h"
#include "core/gui/form2.h"
#include "core/gui/restoredialog.h"
#include "core/membertable.h"
#include "core/restore.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

using ParvelaTest::column;

namespace {

QVariantList memberNames()
{
    return column(QStringLiteral("select NAME from Member order by ID"));
}

void clickRow(Grid *grid, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row - 1, 0)).center());
}

} // namespace

class TestRestore : public QObject
{
    Q_OBJECT

private slots:
    void restoresASoundCopyAndKeepsTheDataBefore()
    {
        const auto db = ParvelaTest::freshSettingsAndDatabase(2026);
        MemberTable::insert(QStringLiteral("青木"), QStringLiteral("あおき"), QStringLiteral("1960/1/1"), 10);
        QVERIFY(Backup::makeDaily(QDate(2026, 5, 1)).made);
        MemberTable::insert(QStringLiteral("佐藤"), QStringLiteral("さとう"), QStringLiteral("1970/1/1"), 20);
        const QDir backups(Backup::folderFor(db->path()));
        const QString good = backups.filePath(QStringLiteral("parvela-20260501.mdb"));
        // A copy damaged in its second page (the Member table).
        const QString damaged = backups.filePath(QStringLiteral("parvela-20260430.mdb"));
        QVERIFY(QFile::copy(good, damaged));
        QFile file(damaged);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(4096) && file.write(QByteArray(4096, 'x')) == 4096);
        file.close();

        const Restore::Outcome refused = Restore::restore(damaged, QDateTime::currentDateTime());
        QVERIFY(!refused.restored && refused.problem.contains(QStringLiteral("parvela-20260430.mdb")));
        QCOMPARE(memberNames().size(), 2);

        Form2 &settings = ParvelaTest::showWindow<Form2>();
        QStringList listed;
        QVector<bool> offered;
        ParvelaTest::onNextDialog<RestoreDialog>([&](RestoreDialog *dialog) {
            for (int row = 1; row < dialog->BackupGrid->rows(); ++row) {
                listed << dialog->BackupGrid->cellText(row, 1) + QLatin1Char(' ') + dialog->BackupGrid->cellText(row, 3)
                              + QLatin1Char(' ') + dialog->BackupGrid->cellText(row, 5);
                clickRow(dialog->BackupGrid, row);
                offered << dialog->Command1->isEnabled();
            }
            MessageBox::queueAnswer(QMessageBox::Yes);
            clickRow(dialog->BackupGrid, int(listed.indexOf(QStringLiteral("parvela-20260501.mdb 1 正常"))) + 1);
            dialog->Command1->click();
        });
        settings.Command2->click();
        settings.close();
        listed.sort();
        QCOMPARE(listed, (QStringList{QStringLiteral("parvela-20260430.mdb  壊れています"),
                                      QStringLiteral("parvela-20260501.mdb 1 正常")}));
        QCOMPARE(offered.count(true), 1);
        QCOMPARE(memberNames(), QVariantList{QStringLiteral("青木")});
        const QVector<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 2); // the question, then what was done
        QVERIFY(shown.last().text.startsWith(QStringLiteral("「parvela-20260501.mdb」の内容に戻しました。")));

        // The data before the restore is a sound copy in the backup folder, listed like the others.
        const QStringList kept = backups.entryList({QStringLiteral("*-before-restore.mdb")});
        QCOMPARE(kept.size(), 1);
        QVERIFY(shown.last().text.contains(kept.first()));
        const Restore::BackupFile before = Restore::inspect(backups.filePath(kept.first()));
        QVERIFY(before.sound);
        QCOMPARE(before.members, 2);
    }
};

PARVELA_TEST_MAIN(TestRestore)
#include "tst_restore.moc"
