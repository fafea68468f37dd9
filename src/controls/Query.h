#pragma once

#include "catalogue/DataSource.h"
#include "controls/Dialogs.h"

namespace vw {

// What the user is told when the engine refuses a statement: its own words.
inline QString queryErrorText(const DataSource& data) {
    return QStringLiteral("物品数据库查询出错：") + data.errorText();
}

// Runs a catalogue statement; a statement the engine refuses is reported and the caller stops.
inline bool runQuery(DataSource& data, Dialogs& dialogs, const QString& sql,
                     const QStringList& values = {}) {
    if (data.run(sql, values))
        return true;
    dialogs.message(queryErrorText(data));
    return false;
}

} // namespace vw
