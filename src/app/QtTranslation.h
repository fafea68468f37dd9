#pragma once

#include <QLocale>
#include <QStringList>

#include <memory>

class QTranslator;

namespace vw {

// The languages the window speaks: Simplified Chinese, the language of its source texts, and
// the languages it has a translation into.
enum class Language { Chinese, English };

// The language for a choice kept in the options: "zh" and "en" name one; anything else, ""
// among them, leaves it to the system locale: English for en*, Chinese for zh* and for every
// locale the program has no translation into.
Language chooseLanguage(const QString& choice, const QLocale& system = QLocale::system());

// The language the window's texts are in now, told by the translation installed.
Language interfaceLanguage();

// Where Qt's own translations are looked for: Qt's folder first, whose files match the Qt the
// program runs on, then the program folder's translations/, which the portable archive
// carries for machines without them.
QStringList qtTranslationFolders(const QString& programDir);

// Installs Qt's own texts (file dialogs, their questions, standard buttons) in `language`
// from the first folder that has them. In Chinese: the system's variant on a Chinese system,
// zh_CN on any other. Null when no folder has them; the translation stays installed while the
// result lives.
std::unique_ptr<QTranslator> installQtTranslation(const QStringList& folders, Language language);

// The window's texts and Qt's, installed while it lives.
struct Translation {
    // Null in Chinese, and when the program folder lacks the translation; the window then
    // speaks Chinese and so does Qt.
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};

// Installs the texts of `language` from the program folder's translations/ and Qt's own in the
// same language. A window takes its texts when it is built, so this comes before the first
// one, and a change of the choice applies at the next start.
Translation installTranslation(Language language, const QString& programDir);

} // namespace vw
