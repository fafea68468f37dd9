#include "ApplyCommand.h"

#include "Arguments.h"
#include "Cli.h"
#include "CliError.h"
#include "Echo.h"
#include "EditMessages.h"
#include "Inputs.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"
#include "editor/EditSession.h"
#include "script/ScriptFile.h"

#include <algorithm>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

const char16_t* const ApplyUsage =
    u"usage: vendwright-cli apply SCRIPT EDITS OUT [--catalogue FILE] [--keep-going]\n"
    u"                            [--keep-lines]\n"
    u"\n"
    u"Applies the edit file EDITS to the sell lists of SCRIPT and writes the result to the new\n"
    u"file OUT, in which only the edited lists are replaced. OUT may not name SCRIPT. When an\n"
    u"edit does not apply, nothing is written (exit 3); with --keep-going the edits that do not\n"
    u"apply are named and skipped, the rest written, and the exit code is 5. With --keep-lines\n"
    u"an edited list keeps the line of each item whose ID, tax rate and extra parts are\n"
    u"unchanged, as it stands in SCRIPT; new and changed items are written in the shape of the\n"
    u"NPC's first item line. The edit file format is in docs/cli.md:\n"
    u"\n"
    u"  npc CLASS | record N CLASS | location NAME | list 0|1\n"
    u"  add ID TAX [with EXTRA...] | insert ID TAX [with EXTRA...] before ID | remove ID\n"
    u"  up ID | down ID | top ID | bottom ID | move ID before ID | tax ID TAX [with EXTRA...]\n"
    u"  replace ID NEW | remove-everywhere ID | replace-everywhere ID NEW\n";

namespace {

struct ApplyPaths {
    QString script;
    QString edits;
    QString output;
    std::optional<QString> catalogue;
};

QString where(const QString& editsPath, const edits::EditProblem& problem,
              const std::vector<ShopRecord>& records) {
    return editsPath + u':' + QString::number(problem.line) + u": "_s +
           describeProblem(problem, records);
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

// Applies the edits to the records in memory. Without `keepGoing` the first that does not apply
// ends the run; with it, each is named on the error stream and skipped.
edits::EditRun applyEdits(const ApplyPaths& paths, std::vector<ShopRecord>& records,
                          CatalogueLookups* catalogue, bool keepGoing, QTextStream& err) {
    const QString text = readUtf8FileOrFail(paths.edits);
    edits::PlacedAt placedAt;
    if (catalogue) {
        placedAt = [catalogue](const QString& location) {
            QStringList classes = catalogue->npcsAt(location);
            requireAnswers(*catalogue);
            return classes;
        };
    }
    edits::EditRun run = edits::applyEditFile(
        text, records, keepGoing ? edits::OnProblem::KeepGoing : edits::OnProblem::Stop, placedAt);
    if (!keepGoing && !run.skipped.empty())
        throw CliError{ExitInput, where(paths.edits, run.skipped.front(), records)};
    // Skipped lines and notes in the order of the edit file.
    std::vector<std::pair<const edits::EditProblem*, bool>> told;
    for (const edits::EditProblem& problem : run.skipped)
        told.emplace_back(&problem, false);
    for (const edits::EditProblem& note : run.notes)
        told.emplace_back(&note, true);
    std::stable_sort(told.begin(), told.end(),
                     [](const auto& a, const auto& b) { return a.first->line < b.first->line; });
    for (const auto& [problem, isNote] : told) {
        err << (isNote ? u"vendwright-cli: warning: "_s : u"vendwright-cli: "_s)
            << shown(where(paths.edits, *problem, records)) << u'\n';
    }
    return run;
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
    const Arguments parsed =
        parseArguments(args, {.catalogue = true, .keepGoing = true, .keepLines = true});
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
    const edits::EditRun run =
        applyEdits(paths, records, lookups ? &*lookups : nullptr, parsed.keepGoing, err);

    const ScriptFileWriteResult written = writeScriptFile(
        paths.script, read.stamp, paths.output, records, {}, {.keepItemLines = parsed.keepLines});
    if (const QString failure = writeFailure(written, paths); !failure.isEmpty())
        throw CliError{ExitWriteRefused, failure};

    // Reported only once written: a refused write changed nothing.
    for (const QString& line : describeChanges(records, run.changes))
        out << line << u'\n';
    for (const ListRef& ref : written.write.leftUnchanged) {
        err << u"vendwright-cli: warning: "_s
            << echoed(records[static_cast<size_t>(ref.record)].className) << u" SellList"_s
            << ref.list << u" left as it was: its place in the script is not whole\n"_s;
    }
    out << shown(paths.output) << u": written, "_s << written.write.listsWritten
        << u" lists replaced\n"_s;
    // OUT stands written whatever becomes of its report, and the exit code must say so.
    if (const QString failure = outputFailure(out); !failure.isNull()) {
        err << u"vendwright-cli: "_s << shown(paths.output) << u": written, but "_s << failure
            << u'\n';
        return ExitReportLost;
    }
    return run.skipped.empty() ? ExitOk : ExitSkipped;
}

} // namespace vw::cli
