#include "CheckCommand.h"

#include "Arguments.h"
#include "CatalogueLookups.h"
#include "CliError.h"
#include "Inputs.h"
#include "catalogue/CatalogueDb.h"

#include <QFile>
#include <QHash>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

const char16_t* const CheckUsage =
    u"usage: vendwright-cli check SCRIPT --catalogue FILE\n"
    u"\n"
    u"Lists what a server would trip on, one \"LINE: message\" per finding (LINE counts from 1):\n"
    u"items with no ITEMNAME_E2C row, an item twice in one list, lists with no\n"
    u"buyselllist_end, lists opened twice in one class, malformed item lines inside a list,\n"
    u"and merchant classes placed in no town. Exits 1 when anything is found, 0 when the\n"
    u"script is clean.\n";

namespace {

// The reader keeps line positions as the line number plus one.
int lineOf(int recordedLine) {
    return recordedLine - 1;
}

QString listLabel(const ShopRecord& record, int list) {
    return record.className + u" SellList"_s + QString::number(list) + u": "_s;
}

void findUnknownItems(const ShopRecord& record, CatalogueLookups& catalogue,
                      std::vector<Finding>& findings) {
    for (int list = 0; list < ShopRecord::ListCount; ++list) {
        for (int i = 0; i < record.listLength(list); ++i) {
            const ItemSlot& item = record.slot(list, i);
            if (!catalogue.itemKnown(item.id)) {
                findings.push_back(
                    {lineOf(item.lineText.toInt()), listLabel(record, list) + u"item "_s + item.id +
                                                        u" has no ITEMNAME_E2C row"_s});
            }
        }
    }
}

void findDuplicates(const ShopRecord& record, std::vector<Finding>& findings) {
    for (int list = 0; list < ShopRecord::ListCount; ++list) {
        QHash<QString, int> firstLine;
        for (int i = 0; i < record.listLength(list); ++i) {
            const ItemSlot& item = record.slot(list, i);
            const int line = lineOf(item.lineText.toInt());
            const auto seen = firstLine.constFind(item.id);
            if (seen == firstLine.cend()) {
                firstLine.insert(item.id, line);
                continue;
            }
            findings.push_back({line, listLabel(record, list) + u"item "_s + item.id +
                                          u" repeats the item of line "_s +
                                          QString::number(*seen)});
        }
    }
}

// The line of the class header a record came from: the last one before its first item.
int classLineOf(const ShopRecord& record, const std::vector<ClassLine>& classes) {
    int firstItem = 0;
    for (int list = 0; list < ShopRecord::ListCount; ++list) {
        const int start = lineOf(record.startLine[list]);
        if (start > 0 && (firstItem == 0 || start < firstItem))
            firstItem = start;
    }
    const auto after = std::lower_bound(classes.begin(), classes.end(), firstItem,
                                        [](const ClassLine& c, int line) { return c.line < line; });
    return after == classes.begin() ? firstItem : std::prev(after)->line;
}

// A list whose block stands twice is reported as repeated: the reader then drops its end line.
void findUnclosedLists(const ShopRecord& record, int classLine,
                       const std::vector<RepeatedList>& repeated, std::vector<Finding>& findings) {
    for (int list = 0; list < ShopRecord::ListCount; ++list) {
        const bool isRepeated =
            std::any_of(repeated.begin(), repeated.end(), [&](const RepeatedList& r) {
                return r.classLine == classLine && r.list == list;
            });
        if (record.startLine[list] > 0 && record.endLine[list] == 0 && !isRepeated) {
            findings.push_back({lineOf(record.startLine[list]),
                                listLabel(record, list) + u"the list has no buyselllist_end"_s});
        }
    }
}

void findUnplaced(const std::vector<ShopRecord>& records, const std::vector<ClassLine>& classes,
                  CatalogueLookups& catalogue, std::vector<Finding>& findings) {
    const QSet<QString> placed = catalogue.placedNpcs();
    for (const ShopRecord& record : records) {
        if (!placed.contains(record.className)) {
            findings.push_back(
                {classLineOf(record, classes),
                 record.className + u": placed in no town (no 城镇NPC表 row names it exactly)"_s});
        }
    }
}

void addScanFindings(const ListScanResult& scan, std::vector<Finding>& findings) {
    for (const MalformedLine& m : scan.malformed) {
        findings.push_back({m.line, m.className + u" SellList"_s + QString::number(m.list) +
                                        u": malformed item line: "_s + m.problem});
    }
    for (const RepeatedList& r : scan.repeated) {
        findings.push_back({r.line, r.className + u" SellList"_s + QString::number(r.list) +
                                        u": the list is opened a second time in the class"_s});
    }
}

ListScanResult scanScript(const QString& path, const SourceStamp& stamp) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CliError{ExitInput, path + u": cannot open the script"_s};
    ListScanResult scan = scanLists(file);
    // Line numbers from two different texts would point at the wrong lines.
    if (scan.readFailed || scan.contentHash != stamp.contentHash)
        throw CliError{ExitInput, path + u": the script changed or failed while being checked"_s};
    return scan;
}

} // namespace

std::vector<Finding> findProblems(const std::vector<ShopRecord>& records,
                                  const ListScanResult& scan, CatalogueLookups& catalogue) {
    std::vector<Finding> findings;
    for (const ShopRecord& record : records) {
        findUnknownItems(record, catalogue, findings);
        findDuplicates(record, findings);
        findUnclosedLists(record, classLineOf(record, scan.classes), scan.repeated, findings);
    }
    findUnplaced(records, scan.classes, catalogue, findings);
    addScanFindings(scan, findings);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

int runCheck(const QStringList& args, QTextStream& out) {
    const Arguments parsed = parseArguments(args, {.catalogue = true});
    if (parsed.help) {
        out << QString::fromUtf16(CheckUsage);
        return ExitOk;
    }
    if (parsed.positional.size() != 1)
        throw CliError{ExitUsage, u"check takes one script file (see --help)"_s};
    if (!parsed.catalogue)
        throw CliError{ExitUsage, u"check needs --catalogue FILE (see --help)"_s};
    const QString& scriptPath = parsed.positional[0];
    const ScriptReadResult read = readScriptOrFail(scriptPath);
    const ListScanResult scan = scanScript(scriptPath, read.stamp);
    CatalogueDb db;
    loadCatalogueOrFail(db, *parsed.catalogue);
    CatalogueLookups catalogue(db);

    const std::vector<Finding> findings = findProblems(read.records, scan, catalogue);
    for (const Finding& finding : findings)
        out << finding.line << u": "_s << finding.message << u'\n';
    return findings.empty() ? ExitOk : ExitFindings;
}

} // namespace vw::cli
