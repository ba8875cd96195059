#include "platform/UiLanguage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <functional>

namespace zolvera::platform {

namespace {

QString chosen = kSourceLanguage;

// The program's translations are built into it as resources.
QString translationFile(const QString& language) {
    return QStringLiteral(":/i18n/zolvera_%1.qm").arg(language);
}

// Installs a translator when it finds its file; the application owns it.
void install(QCoreApplication& application, const std::function<bool(QTranslator&)>& load) {
    auto* translator = new QTranslator(&application);
    if (load(*translator))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

QString chooseUiLanguage(const QStringList& uiLanguages) {
    for (const QString& name : uiLanguages) {
        const QString language = name.section(QLatin1Char('-'), 0, 0).section(u'_', 0, 0);
        if (language == kSourceLanguage || language == u"C" || language == u"POSIX")
            return kSourceLanguage;
        if (QFileInfo::exists(translationFile(language)))
            return language;
    }
    return QStringLiteral("en");
}

QString installUiLanguage(QCoreApplication& application, const QStringList& uiLanguages) {
    chosen = chooseUiLanguage(uiLanguages);
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (chosen == kSourceLanguage) {
        // Qt's texts as they have always been: in the system's language.
        install(application, [&](QTranslator& translator) {
            return translator.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                                   qtFolder);
        });
        return chosen;
    }
    install(application,
            [&](QTranslator& translator) { return translator.load(translationFile(chosen)); });
    install(application, [&](QTranslator& translator) {
        return translator.load(QStringLiteral("qtbase_") + chosen, qtFolder);
    });
    return chosen;
}

QString uiLanguage() {
    return chosen;
}

} // namespace zolvera::platform
