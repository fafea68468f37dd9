#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace vw {

Language chooseLanguage(const QString& choice, const QLocale& system) {
    if (choice == u"zh")
        return Language::Chinese;
    if (choice == u"en")
        return Language::English;
    return system.language() == QLocale::English ? Language::English : Language::Chinese;
}

Language interfaceLanguage() {
    //: The code of the language this translation is into: the program reads it to tell which
    //: language the window speaks, and opens the help page of that language.
    const QString code = QCoreApplication::translate("vw::Language", "zh");
    return code == u"en" ? Language::English : Language::Chinese;
}

QStringList qtTranslationFolders(const QString& programDir) {
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath), programDir + u"/translations"_s};
}

std::unique_ptr<QTranslator> installQtTranslation(const QStringList& folders, Language language) {
    QList<QLocale> locales;
    if (language == Language::English) {
        locales.append(QLocale(QLocale::English));
    } else {
        if (QLocale::system().language() == QLocale::Chinese)
            locales.append(QLocale::system());
        locales.append(QLocale(QLocale::Chinese, QLocale::China));
    }
    auto translator = std::make_unique<QTranslator>();
    for (const QLocale& locale : locales) {
        for (const QString& folder : folders) {
            if (translator->load(locale, u"qtbase"_s, u"_"_s, folder)) {
                QCoreApplication::installTranslator(translator.get());
                return translator;
            }
        }
    }
    return nullptr;
}

Translation installTranslation(Language language, const QString& programDir) {
    Translation installed;
    if (language == Language::English) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(programDir + u"/translations/vendwright_en.qm"_s)) {
            QCoreApplication::installTranslator(translator.get());
            installed.program = std::move(translator);
        }
    }
    installed.qt = installQtTranslation(qtTranslationFolders(programDir), interfaceLanguage());
    return installed;
}

} // namespace vw
