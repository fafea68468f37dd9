#pragma once

#include "editor/EditFile.h"
#include "editor/EditSession.h"
#include "script/ShopRecord.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vw::cli {

// The English words of the command line for what an edit file met. `records` are those the
// edits were applied to, for the names of the lists a problem is about.
QString describeProblem(const edits::EditProblem& problem, const std::vector<ShopRecord>& records);

// One line per changed list: "CLASS SellListK: +ID -ID (moved N) (tax rates N)".
QStringList describeChanges(const std::vector<ShopRecord>& records,
                            const edits::ListChanges& changes);

} // namespace vw::cli
