#include "DumpCommand.h"

#include "Arguments.h"
#include "CliError.h"
#include "Echo.h"
#include "Inputs.h"
#include "Json.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

const char16_t* const DumpUsage =
    u"usage: vendwright-cli dump SCRIPT [--catalogue FILE] [--json]\n"
    u"\n"
    u"Shows every NPC class of SCRIPT that has sell-list items: its class name, its Chinese\n"
    u"name (with a catalogue), and both lists with StartLine, EndLine and each item's line\n"
    u"text, ID, tax rate and extra parts. --json writes the JSON form described in\n"
    u"docs/cli.md.\n";

namespace {

QString listName(int list) {
    return u"SellList"_s + QString::number(list);
}

QStringList itemsOf(const ShopRecord& record, int list, const auto& describe) {
    QStringList items;
    const int length = record.listLength(list);
    for (int i = 0; i < length; ++i)
        items.append(describe(record.slot(list, i)));
    return items;
}

QString itemText(const ItemSlot& item) {
    QStringList parts{item.id, item.taxRate};
    parts.append(item.extraParts);
    return shown(QString::number(item.line) + u": {"_s + parts.join(u"; "_s) + u'}');
}

QString itemJson(const ItemSlot& item) {
    return u"{\"lineText\":"_s + jsonQuoted(QString::number(item.line)) + u",\"id\":"_s +
           jsonQuoted(item.id) + u",\"taxRate\":"_s + jsonQuoted(item.taxRate) +
           u",\"extraParts\":"_s + jsonStringArray(item.extraParts) + u'}';
}

} // namespace

void TextDumpWriter::begin(const DumpHeader& header) {
    withCatalogue_ = header.catalogue.has_value();
    out_ << shown(header.script) << u": "_s << header.recordCount << u" records, "_s
         << header.lineCount << u" lines\n"_s;
}

void TextDumpWriter::record(const ShopRecord& record, const std::optional<QString>& chineseName) {
    out_ << u'\n' << shown(record.className);
    if (chineseName)
        out_ << u' ' << shown(*chineseName);
    else if (withCatalogue_)
        out_ << u" (no Chinese name)"_s;
    out_ << u'\n';
    for (int list = 0; list < ShopRecord::ListCount; ++list) {
        const QStringList items = itemsOf(record, list, itemText);
        out_ << u"  "_s << listName(list) << u" StartLine="_s << record.startLine[list]
             << u" EndLine="_s << record.endLine[list] << u" items="_s << items.size() << u'\n';
        for (const QString& item : items)
            out_ << u"    "_s << item << u'\n';
    }
}

void JsonDumpWriter::begin(const DumpHeader& header) {
    out_ << u"{\"version\":1,\"script\":"_s << jsonQuoted(header.script) << u",\"catalogue\":"_s
         << (header.catalogue ? jsonQuoted(*header.catalogue) : u"null"_s) << u",\"lineCount\":"_s
         << header.lineCount << u",\"records\":["_s;
}

void JsonDumpWriter::record(const ShopRecord& record, const std::optional<QString>& chineseName) {
    out_ << (first_ ? u"\n"_s : u",\n"_s) << u"{\"className\":"_s << jsonQuoted(record.className)
         << u",\"chineseName\":"_s << (chineseName ? jsonQuoted(*chineseName) : u"null"_s)
         << u",\"lists\":["_s;
    first_ = false;
    for (int list = 0; list < ShopRecord::ListCount; ++list) {
        out_ << (list > 0 ? u","_s : QString()) << u"{\"name\":"_s << jsonQuoted(listName(list))
             << u",\"startLine\":"_s << record.startLine[list] << u",\"endLine\":"_s
             << record.endLine[list] << u",\"items\":["_s
             << itemsOf(record, list, itemJson).join(u',') << u"]}"_s;
    }
    out_ << u"]}"_s;
}

void JsonDumpWriter::end() {
    out_ << u"\n]}\n"_s;
}

int runDump(const QStringList& args, QTextStream& out) {
    const Arguments parsed = parseArguments(args, {.catalogue = true, .json = true});
    if (parsed.help) {
        out << QString::fromUtf16(DumpUsage);
        return ExitOk;
    }
    if (parsed.positional.size() != 1)
        throw CliError{ExitUsage, u"dump takes one script file (see --help)"_s};
    const QString& scriptPath = parsed.positional[0];
    const ScriptReadResult read = readScriptOrFail(scriptPath);
    CatalogueDb db;
    std::optional<CatalogueLookups> lookups;
    if (parsed.catalogue) {
        loadCatalogueOrFail(db, *parsed.catalogue);
        lookups.emplace(db);
    }

    // Every name is asked before anything is written: a refused statement writes no half dump.
    std::vector<std::optional<QString>> names(read.records.size());
    if (lookups) {
        for (size_t i = 0; i < names.size(); ++i)
            names[i] = lookups->npcChineseName(read.records[i].className);
        requireAnswers(*lookups);
    }

    TextDumpWriter text(out);
    JsonDumpWriter json(out);
    DumpWriter& writer = parsed.json ? static_cast<DumpWriter&>(json) : text;
    writer.begin({scriptPath, parsed.catalogue, read.lineCount,
                  static_cast<qsizetype>(read.records.size())});
    // Once the output fails there is no point in making more of it; the caller reports it.
    for (size_t i = 0; i < names.size() && out.status() == QTextStream::Ok; ++i)
        writer.record(read.records[i], names[i]);
    writer.end();
    return ExitOk;
}

} // namespace vw::cli
