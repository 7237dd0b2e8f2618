// Creates Parvela database files: an empty one for a new club.
#include "core/database.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: parvela-db init PATH\n"
               "  init PATH   create an empty Parvela database (never overwrites a file)\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 2 || args.at(0) != QLatin1String("init"))
        return usage();
    try {
        Database::create(args.at(1));
    } catch (const StartupError &error) {
        std::fprintf(stderr, "parvela-db: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
