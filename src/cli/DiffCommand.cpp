#include "DiffCommand.h"

#include "Arguments.h"
#include "CliError.h"
#include "Inputs.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"
#include "editor/EditFile.h"
#include "editor/ListDiff.h"

#include <future>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

const char16_t* const DiffUsage =
    u"usage: vendwright-cli diff OLD NEW [--catalogue FILE]\n"
    u"\n"
    u"Prints the edit file that turns the sell lists of the script OLD into those of NEW: the\n"
    u"fewest commands, computed from the two scripts. Records correspond by class name. With\n"
    u"--catalogue, a comment line names each NPC's Chinese name. \"apply OLD\" with the output\n"
    u"gives NEW's lists; applied to a newer script it carries the changes over (docs/cli.md).\n";

int runDiff(const QStringList& args, QTextStream& out) {
    const Arguments parsed = parseArguments(args, {.catalogue = true});
    if (parsed.help) {
        out << QString::fromUtf16(DiffUsage);
        return ExitOk;
    }
    if (parsed.positional.size() != 2)
        throw CliError{ExitUsage, u"diff takes OLD NEW (see --help)"_s};
    // The two reads share nothing, so each takes a core.
    auto reading = std::async(std::launch::async,
                              [&parsed] { return readScriptOrFail(parsed.positional[1]); });
    const ScriptReadResult before = readScriptOrFail(parsed.positional[0]);
    const ScriptReadResult after = reading.get();
    CatalogueDb db;
    std::optional<CatalogueLookups> lookups;
    edits::DescribeClass describe;
    if (parsed.catalogue) {
        loadCatalogueOrFail(db, *parsed.catalogue);
        lookups.emplace(db);
        describe = [&lookups](const QString& className) {
            const std::optional<QString> name = lookups->npcChineseName(className);
            requireAnswers(*lookups);
            return name.value_or(u"(no Chinese name)"_s);
        };
    }
    out << edits::writeEditFile(edits::editCommands(before.records, after.records, describe));
    return ExitOk;
}

} // namespace vw::cli
