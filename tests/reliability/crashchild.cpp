// A child process for the reliability tests: opens a database as the program does, says
// "ready", then runs one operation, or holds the file locked, until it ends or is killed.
//
//   reliability_crashchild PATH bulkadd COURSE_ID
//   reliability_crashchild PATH lock
//   reliability_crashchild PATH startup   the program's own start-up (its check of the file and the
//                                         daily copy), PATH's folder as the program folder: prints
//                                         each message shown, then "started"
#include "core/database.h"
#include "core/gui/form1.h"
#include "core/membertable.h"
#include "core/module1.h"
#include "monthly/bulkadd.h"
#include "platform/gui/messagebox.h"

#include <QApplication>
#include <QFileInfo>
#include <QThread>

#include <cstdio>
#include <memory>

namespace {

int startUp(const QString &path)
{
    QApplication::setOrganizationName("Parvela");
    QApplication::setApplicationName("Parvela");
    MessageBox::setAnswering(true);
    Module1::SetProgramFolder(QFileInfo(path).absolutePath());
    std::puts("ready");
    std::fflush(stdout);
    const bool started = Form1().Form_Load();
    for (const MessageBox::Shown &shown : MessageBox::takeShown())
        std::printf("message: %s\n", qPrintable(shown.text));
    std::puts(started ? "started" : "refused");
    return started ? 0 : 1;
}

void run(const QString &operation, const QStringList &args)
{
    if (operation == "bulkadd") {
        QVector<BulkAdd::Choice> chosen;
        for (const MemberRecord &member : MemberTable::allByKana())
            chosen.append({member.id, member.name});
        BulkAdd::enter(args.value(3).toInt(), chosen);
    } else if (operation == "lock") {
        Database::exec("BEGIN EXCLUSIVE");
        std::puts("ready");
        std::fflush(stdout);
        QThread::sleep(3600);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    const QString operation = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    // Only the start-up shows windows; the rest need no display.
    const bool startingUp = operation == "startup";
    const std::unique_ptr<QCoreApplication> app(startingUp ? new QApplication(argc, argv)
                                                           : new QCoreApplication(argc, argv));
    const QStringList args = QCoreApplication::arguments();
    if (startingUp)
        return startUp(args[1]);
    try {
        Database::open(args.value(1));
        // A tiny page cache spills changed pages to the file long before the commit, so a kill
        // can land while the file itself is half written.
        Database::exec("PRAGMA cache_size = 4");
        if (operation != "lock")
            std::puts("ready");
        std::fflush(stdout);
        run(operation, args);
    } catch (const std::runtime_error &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::puts("done");
    return 0;
}
