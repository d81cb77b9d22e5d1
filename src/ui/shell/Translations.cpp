#include "ui/shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace
{
// One catalogue, replacing the one installed before it under the same name.
bool Install(QTranslator*& slot, const QLocale& locale, const QString& name, const QStringList& folders)
{
    if (slot)
    {
        QCoreApplication::removeTranslator(slot);
        delete slot;
        slot = nullptr;
    }
    auto translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : folders)
        if (translator->load(locale, name, QStringLiteral("_"), folder))
        {
            QCoreApplication::installTranslator(translator);
            slot = translator;
            return true;
        }
    delete translator;
    return false;
}
} // namespace

bool InstallTranslations(const QLocale& locale)
{
    // English first among the player's languages: the texts as written, not the next choice.
    const QStringList languages = locale.uiLanguages();
    const bool english = !languages.isEmpty() && languages.constFirst().startsWith(QLatin1String("en"));
    static QTranslator* qt = nullptr;
    static QTranslator* moxa = nullptr;
    if (english)
    {
        const QLocale none(QLocale::C);
        Install(qt, none, QStringLiteral("qtbase"), {});
        Install(moxa, none, QStringLiteral("moxa"), {});
        return false;
    }
    Install(qt, locale, QStringLiteral("qtbase"), {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
    // The installed catalogue beside the data first, so that a corrected one needs no rebuild.
    const QString installed = QCoreApplication::applicationDirPath() + QStringLiteral("/" MOXA_TRANSLATIONS_FROM_BIN);
    return Install(moxa, locale, QStringLiteral("moxa"), {installed, QStringLiteral(":/i18n")});
}
