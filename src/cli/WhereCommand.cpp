#include "WhereCommand.h"

#include "Arguments.h"
#include "CliError.h"
#include "Echo.h"
#include "Inputs.h"
#include "Json.h"
#include "catalogue/CatalogueDb.h"
#include "catalogue/Lookups.h"
#include "editor/Sellers.h"

#include <optional>
#include <span>

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

const char16_t* const WhereUsage =
    u"usage: vendwright-cli where SCRIPT ID [--catalogue FILE] [--json]\n"
    u"\n"
    u"Lists every merchant list that sells item ID (compared exactly): class name, list,\n"
    u"row in the list, line of the script, tax rate; with --catalogue also the NPC's Chinese\n"
    u"name and the locations that place it. Exits 1 when no list sells the item.\n";

namespace {

QString listName(int list) {
    return u"SellList"_s + QString::number(list);
}

// The script line of an item as read (its line text is the line number plus one).
int lineOf(const std::vector<ShopRecord>& records, const Sale& sale) {
    return records[static_cast<size_t>(sale.record)].slot(sale.list, sale.slot).line - 1;
}

void writeText(const std::vector<ShopRecord>& records, const std::vector<Sale>& sales,
               bool withCatalogue, QTextStream& out) {
    for (const Sale& sale : sales) {
        QString line = sale.className;
        if (sale.chineseName)
            line += u' ' + *sale.chineseName;
        else if (withCatalogue)
            line += u" (no Chinese name)"_s;
        line += u' ' + listName(sale.list) + u" row "_s + QString::number(sale.slot + 1) +
                u" line "_s + QString::number(lineOf(records, sale)) + u" tax "_s + sale.taxRate;
        if (withCatalogue) {
            line += sale.locations.isEmpty() ? u", placed in no town"_s
                                             : u", at "_s + sale.locations.join(u", "_s);
        }
        out << shown(line) << u'\n';
    }
}

void writeJson(const std::vector<ShopRecord>& records, const std::vector<Sale>& sales,
               const QString& script, const std::optional<QString>& catalogue, const QString& id,
               QTextStream& out) {
    out << u"{\"version\":1,\"script\":"_s << jsonQuoted(script) << u",\"catalogue\":"_s
        << (catalogue ? jsonQuoted(*catalogue) : u"null"_s) << u",\"id\":"_s << jsonQuoted(id)
        << u",\"sales\":["_s;
    bool first = true;
    for (const Sale& sale : sales) {
        out << (first ? u"\n"_s : u",\n"_s) << u"{\"className\":"_s << jsonQuoted(sale.className)
            << u",\"chineseName\":"_s
            << (sale.chineseName ? jsonQuoted(*sale.chineseName) : u"null"_s) << u",\"list\":"_s
            << jsonQuoted(listName(sale.list)) << u",\"row\":"_s << sale.slot + 1 << u",\"line\":"_s
            << lineOf(records, sale) << u",\"taxRate\":"_s << jsonQuoted(sale.taxRate)
            << u",\"locations\":"_s << (catalogue ? jsonStringArray(sale.locations) : u"null"_s)
            << u'}';
        first = false;
    }
    out << u"\n]}\n"_s;
}

} // namespace

int runWhere(const QStringList& args, QTextStream& out) {
    const Arguments parsed = parseArguments(args, {.catalogue = true, .json = true});
    if (parsed.help) {
        out << QString::fromUtf16(WhereUsage);
        return ExitOk;
    }
    if (parsed.positional.size() != 2)
        throw CliError{ExitUsage, u"where takes a script file and an item ID (see --help)"_s};
    const QString& script = parsed.positional[0];
    const QString& id = parsed.positional[1];
    // Only the records that sell the item are kept: the others are let go as they are read.
    std::vector<ShopRecord> sellers;
    streamScriptOrFail(script, [&sellers, &id](ShopRecord&& record) {
        if (!findSellers(std::span(&record, 1), id, nullptr).empty())
            sellers.push_back(std::move(record));
    });
    CatalogueDb db;
    std::optional<CatalogueLookups> lookups;
    if (parsed.catalogue) {
        loadCatalogueOrFail(db, *parsed.catalogue);
        lookups.emplace(db);
    }
    const std::vector<Sale> sales = findSellers(sellers, id, lookups ? &*lookups : nullptr);
    if (lookups)
        requireAnswers(*lookups);
    if (parsed.json)
        writeJson(sellers, sales, script, parsed.catalogue, id, out);
    else
        writeText(sellers, sales, lookups.has_value(), out);
    return sales.empty() ? ExitFindings : ExitOk;
}

} // namespace vw::cli
