#include "ApplyCommand.h"

#include "Arguments.h"
#include "CliError.h"
#include "EditFile.h"
#include "EditSession.h"
#include "Inputs.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"
#include "script/ScriptFile.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

const char16_t* const ApplyUsage =
    u"usage: vendwright-cli apply SCRIPT EDITS OUT [--catalogue FILE]\n"
    u"\n"
    u"Applies the edit file EDITS to the sell lists of SCRIPT and writes the result to the new\n"
    u"file OUT, in which only the edited lists are replaced. OUT may not name SCRIPT. When an\n"
    u"edit does not apply, nothing is written. The edit file format is in docs/cli.md:\n"
    u"\n"
    u"  npc CLASS | location NAME | list 0|1\n"
    u"  add ID TAX | insert ID TAX before ID | remove ID\n"
    u"  up ID | down ID | top ID | bottom ID | remove-everywhere ID\n";

namespace {

struct ApplyPaths {
    QString script;
    QString edits;
    QString output;
    std::optional<QString> catalogue;
};

[[noreturn]] void editError(const QString& editsPath, const EditError& error) {
    throw CliError{ExitInput,
                   editsPath + u':' + QString::number(error.line) + u": "_s + error.message};
}

// The output may replace no input of the run: the catalogue and the edit file are never
// written either. The script itself is refused by the writer.
void refuseInputAsOutput(const ApplyPaths& paths) {
    const bool namesInput = namesSameFile(paths.output, paths.edits) ||
                            (paths.catalogue && namesSameFile(paths.output, *paths.catalogue));
    if (namesInput) {
        throw CliError{ExitWriteRefused,
                       paths.output + u": refused: the output names an input file"_s};
    }
}

// Applies every edit to the records in memory; the first that does not apply ends the run.
ListChanges applyEdits(const ApplyPaths& paths, std::vector<ShopRecord>& records,
                       CatalogueLookups* catalogue) {
    const QString text = readUtf8FileOrFail(paths.edits);
    EditSession session(records, catalogue);
    try {
        parseEditFile(text, [&session](const EditCommand& command) { session.apply(command); });
    } catch (const EditError& error) {
        editError(paths.edits, error);
    }
    return session.changes();
}

QString writeFailure(const ScriptFileWriteResult& result, const ApplyPaths& paths) {
    const QString detail = result.detail.isEmpty() ? QString() : u" ("_s + result.detail + u')';
    switch (result.status) {
    case ScriptFileWriteResult::Status::Ok:
        return {};
    case ScriptFileWriteResult::Status::OutputIsSource:
        return paths.output + u": refused: the output names the script being read"_s;
    case ScriptFileWriteResult::Status::OutputNotRegular:
        return paths.output + u": refused: the output is not a regular file"_s;
    case ScriptFileWriteResult::Status::SourceChanged:
        return paths.script + u": the script changed or vanished while being edited"_s;
    case ScriptFileWriteResult::Status::SourceFailed:
        return paths.script + u": reading the script failed"_s + detail;
    case ScriptFileWriteResult::Status::OutputFailed:
        return paths.output + u": writing failed"_s + detail;
    case ScriptFileWriteResult::Status::DiskFull:
        return paths.output + u": writing failed (no space left on the device)"_s;
    }
    return {};
}

} // namespace

int runApply(const QStringList& args, QTextStream& out, QTextStream& err) {
    const Arguments parsed = parseArguments(args, {.catalogue = true});
    if (parsed.help) {
        out << QString::fromUtf16(ApplyUsage);
        return ExitOk;
    }
    if (parsed.positional.size() != 3)
        throw CliError{ExitUsage, u"apply takes SCRIPT EDITS OUT (see --help)"_s};
    const ApplyPaths paths{parsed.positional[0], parsed.positional[1], parsed.positional[2],
                           parsed.catalogue};
    refuseInputAsOutput(paths);

    ScriptReadResult read = readScriptOrFail(paths.script);
    CatalogueDb db;
    std::optional<CatalogueLookups> lookups;
    if (paths.catalogue) {
        loadCatalogueOrFail(db, *paths.catalogue);
        lookups.emplace(db);
    }
    std::vector<ShopRecord>& records = read.records;
    const ListChanges changes = applyEdits(paths, records, lookups ? &*lookups : nullptr);

    const ScriptFileWriteResult written =
        writeScriptFile(paths.script, read.stamp, paths.output, records);
    if (const QString failure = writeFailure(written, paths); !failure.isEmpty())
        throw CliError{ExitWriteRefused, failure};

    // Reported only once written: a refused write changed nothing.
    for (const QString& line : describeChanges(records, changes))
        out << line << u'\n';
    for (const ListRef& ref : written.write.leftUnchanged) {
        err << u"vendwright-cli: warning: "_s << records[static_cast<size_t>(ref.record)].className
            << u" SellList"_s << ref.list
            << u" left as it was: its place in the script is not whole\n"_s;
    }
    out << paths.output << u": written, "_s << written.write.listsWritten << u" lists replaced\n"_s;
    return ExitOk;
}

} // namespace vw::cli
