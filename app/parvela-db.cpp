// Creates Parvela database files: an empty one for a new club, or a made-up club to try the
// program with.
#include "core/database.h"
#include "core/demodata.h"
#include "core/settingsrecord.h"
#include "core/version.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

// In Japanese and in English, as the README is: the program's messages are Japanese, while a
// terminal's user may read either.
const char Usage[] =
    "使い方 / usage:\n"
    "  parvela-db init PATH\n"
    "  parvela-db demo PATH [--members N] [--years Y] [--seed S] [--year YYYY]\n"
    "  parvela-db --version | --help\n"
    "\n"
    "  init PATH   空の Parvela データベースを作ります（既存のファイルは上書きしません）。\n"
    "              create an empty Parvela database (never overwrites a file)\n"
    "  demo PATH   架空のクラブのデータベースを作ります（既存のファイルは上書きしません）。\n"
    "              会員 N 人（40）、YYYY 年（今年）までの Y 年分（1）の毎月の月例会を、\n"
    "              既定の倍率で順位と新HCまで計算して入れます。同じオプションなら同じファイルになります。\n"
    "              create a database of a made-up club (never overwrites a file):\n"
    "              N members (40), a competition every month of Y years (1) ending\n"
    "              with YYYY (this year), ranked with the default multipliers;\n"
    "              the same options give the same file\n"
    "  --version   版を表示します / print the version\n"
    "  --help      この説明を表示します / print this text\n";

// Asked for, the text goes to the standard output; after a mistake, to the error output.
int usage(bool asked = false)
{
    std::fputs(Usage, asked ? stdout : stderr);
    return asked ? 0 : 2;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "parvela-db: %s\n", qPrintable(message));
    return 1;
}

// The demo options after PATH; nothing when they cannot be read.
std::optional<DemoData::Options> demoOptions(const QStringList &args)
{
    DemoData::Options options;
    options.lastYear = QDate::currentDate().year();
    if (args.size() % 2 != 0)
        return std::nullopt;
    for (int i = 0; i < args.size(); i += 2) {
        bool ok = false;
        const qlonglong number = args.at(i + 1).toLongLong(&ok);
        if (!ok || number < 0 || number > 0xFFFFFFFFLL)
            return std::nullopt;
        const QString &option = args.at(i);
        if (option == QLatin1String("--members") && number <= DemoData::maxMembers())
            options.members = static_cast<int>(number);
        else if (option == QLatin1String("--years") && number <= 9999)
            options.years = static_cast<int>(number);
        else if (option == QLatin1String("--year") && number <= 9999)
            options.lastYear = static_cast<int>(number);
        else if (option == QLatin1String("--seed"))
            options.seed = static_cast<quint32>(number);
        else
            return std::nullopt;
    }
    return options;
}

int demo(const QString &path, const DemoData::Options &options)
{
    try {
        DemoData::createClub(path, options, SettingsRecord());
    } catch (const StartupError &error) {
        return fail(error.message());
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 1 && args.at(0) == QLatin1String("--version")) {
        std::printf("parvela-db %s\n", qPrintable(programVersion()));
        return 0;
    }
    if (args.size() == 1 && args.at(0) == QLatin1String("--help"))
        return usage(true);
    if (args.size() == 2 && args.at(0) == QLatin1String("init")) {
        try {
            Database::create(args.at(1));
        } catch (const StartupError &error) {
            return fail(error.message());
        }
        return 0;
    }
    if (args.size() >= 2 && args.at(0) == QLatin1String("demo")) {
        const std::optional<DemoData::Options> options = demoOptions(args.mid(2));
        if (!options)
            return usage();
        return demo(args.at(1), *options);
    }
    return usage();
}
