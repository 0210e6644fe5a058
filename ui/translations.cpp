#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool install_qt_translations(QCoreApplication *app, const QString &folder)
{
    const QString searched = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // The interface is Chinese whatever the system's locale, so the catalogue
    // is chosen by name. qtbase holds every text the widgets show; the
    // catalogue "qt" only gathers it with modules the program does not use.
    auto *translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), searched)
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
