#pragma once

#include "script/ScriptReader.h"

#include <QIODevice>
#include <QString>

namespace vw {
class CatalogueDb;
class CatalogueLookups;
} // namespace vw

namespace vw::cli {

// Reads the script once; an unusable file becomes an input CliError naming the path.
ScriptReadResult readScriptOrFail(const QString& path);
// The same, handing each record to `sink` as it is read (streamScriptFile); the records handed
// over count only when it returns.
ScriptReadResult streamScriptOrFail(const QString& path, const RecordSink& sink);

// Loads the catalogue file into `db`; an unusable file becomes an input CliError.
void loadCatalogueOrFail(CatalogueDb& db, const QString& path);

// A statement the engine refused while the commands asked the catalogue is an input error.
void requireAnswers(const CatalogueLookups& lookups);

// The text of a UTF-8 file the user wrote.
QString readUtf8FileOrFail(const QString& path);
// The same from an open device; `path` names it in messages.
QString readUtf8OrFail(QIODevice& device, const QString& path);

} // namespace vw::cli
