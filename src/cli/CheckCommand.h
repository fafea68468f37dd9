#pragma once

#include "ListScan.h"
#include "script/ShopRecord.h"

#include <QStringList>
#include <QTextStream>

#include <vector>

namespace vw::cli {

class CatalogueLookups;

// Something in the script a server would trip on, at a 1-based line.
struct Finding {
    int line = 0;
    QString message;
};

// Every finding for the records read and the lines scanned, ordered by line.
std::vector<Finding> findProblems(const std::vector<ShopRecord>& records,
                                  const ListScanResult& scan, CatalogueLookups& catalogue);

// `vendwright-cli check SCRIPT --catalogue FILE`; returns the exit code.
int runCheck(const QStringList& args, QTextStream& out);

extern const char16_t* const CheckUsage;

} // namespace vw::cli
