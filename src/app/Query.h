#pragma once

#include "catalogue/DataSource.h"
#include "controls/Dialogs.h"

namespace vw {

// Runs a catalogue statement; a statement the engine refuses is reported with the engine's own
// words, and the caller stops.
inline bool runQuery(DataSource& data, Dialogs& dialogs, const QString& sql) {
    if (data.run(sql))
        return true;
    dialogs.message(QStringLiteral("物品数据库查询出错：") + data.errorText());
    return false;
}

} // namespace vw
