#include "platform/gui/japanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The translator installed last is asked first.
void installIfLoaded(QTranslator *translator, bool loaded)
{
    if (loaded)
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void useJapanese()
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    // Without the translations (their package missing) Qt's dialogs stay English: usable still.
    auto *qt = new QTranslator(QCoreApplication::instance());
    installIfLoaded(qt, qt->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    // The texts Qt's translation leaves in English, compiled into the program, after Qt's.
    auto *own = new QTranslator(QCoreApplication::instance());
    installIfLoaded(own, own->load(QStringLiteral(":/parvela/parvela_ja.qm")));
}
