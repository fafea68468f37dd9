#include "CheckCommand.h"

#include "Arguments.h"
#include "CliError.h"
#include "Echo.h"
#include "Inputs.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"
#include "editor/Checks.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

const char16_t* const CheckUsage =
    u"usage: vendwright-cli check SCRIPT --catalogue FILE\n"
    u"\n"
    u"Lists what a server would trip on, one \"LINE: message\" per finding (LINE counts from 1):\n"
    u"items with no ITEMNAME_E2C row, an item twice in one list, tax rates that are no\n"
    u"number, lists with no buyselllist_end, lists opened twice in one class, malformed item\n"
    u"lines inside a list, and merchant classes placed in no town. Exits 1 when anything is\n"
    u"found, 0 when the script is clean.\n";

QString findingText(const Finding& finding) {
    const QString list =
        finding.className + u" SellList"_s + QString::number(finding.list) + u": "_s;
    switch (finding.kind) {
    case Finding::Kind::UnknownItem:
        return list + u"item "_s + finding.itemId + u" has no ITEMNAME_E2C row"_s;
    case Finding::Kind::RepeatedItem:
        return list + u"item "_s + finding.itemId + u" repeats the item of line "_s +
               QString::number(finding.firstLine);
    case Finding::Kind::UnclosedList:
        return list + u"the list has no buyselllist_end"_s;
    case Finding::Kind::ListOpenedTwice:
        return list + u"the list is opened a second time in the class"_s;
    case Finding::Kind::MalformedItemLine:
        return list + u"malformed item line: "_s +
               (finding.reason == ReadReport::MalformedLine::Reason::NoClosingBrace
                    ? u"no \"}\" after the \"{\""_s
                    : u"empty item ID"_s);
    case Finding::Kind::PlacedInNoTown:
        return finding.className + u": placed in no town (no 城镇NPC表 row names it exactly)"_s;
    case Finding::Kind::TaxRateNotANumber:
        return list + u"item "_s + finding.itemId + u": tax rate is not a number: \""_s +
               echoed(finding.taxRate) + u'"';
    }
    return {};
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
    const ScriptReadResult read = readScriptOrFail(parsed.positional[0]);
    CatalogueDb db;
    loadCatalogueOrFail(db, *parsed.catalogue);
    CatalogueLookups catalogue(db);

    const std::vector<Finding> findings = checkScript(read.records, read.report, &catalogue);
    requireAnswers(catalogue);
    for (const Finding& finding : findings)
        out << finding.line << u": "_s << shown(findingText(finding)) << u'\n';
    return findings.empty() ? ExitOk : ExitFindings;
}

} // namespace vw::cli
