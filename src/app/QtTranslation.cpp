#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace vw {

QStringList qtTranslationFolders(const QString& programDir) {
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath), programDir + u"/translations"_s};
}

std::unique_ptr<QTranslator> installQtTranslation(const QStringList& folders) {
    QList<QLocale> locales;
    if (QLocale::system().language() == QLocale::Chinese)
        locales.append(QLocale::system());
    locales.append(QLocale(QLocale::Chinese, QLocale::China));
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

} // namespace vw
