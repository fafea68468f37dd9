#pragma once

#include <QStringList>

#include <memory>

class QTranslator;

namespace vw {

// Where Qt's own translations are looked for: Qt's folder first, whose files match the Qt the
// program runs on, then the program folder's translations/, which the portable archive
// carries for machines without them.
QStringList qtTranslationFolders(const QString& programDir);

// Installs Qt's own texts (file dialogs, their questions, standard buttons) in Chinese from the
// first folder that has them: the system's variant on a Chinese system, zh_CN on any other,
// since the program itself speaks Simplified Chinese. Null when no folder has them; the
// translation stays installed while the result lives.
std::unique_ptr<QTranslator> installQtTranslation(const QStringList& folders);

} // namespace vw
