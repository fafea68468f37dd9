#pragma once

#include "script/ScriptReader.h"

#include <QString>

namespace vw {
class CatalogueDb;
}

namespace vw::cli {

// Reads the script once; an unusable file becomes an input CliError naming the path.
ScriptReadResult readScriptOrFail(const QString& path);

// Loads the catalogue file into `db`; an unusable file becomes an input CliError.
void loadCatalogueOrFail(CatalogueDb& db, const QString& path);

// The bytes of a text file the user wrote, as UTF-8 (a leading byte-order mark dropped).
QString readUtf8FileOrFail(const QString& path);

} // namespace vw::cli
