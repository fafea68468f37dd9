#include "StatsCommand.h"

#include "Arguments.h"
#include "CliError.h"
#include "Echo.h"
#include "Inputs.h"
#include "Json.h"
#include "catalogue/CatalogueDb.h"
#include "stats/ScriptStatistics.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

const char16_t* const StatsUsage =
    u"usage: vendwright-cli stats SCRIPT --catalogue FILE [--json]\n"
    u"\n"
    u"Prints the numbers of the window's statistics report: totals; per location the NPCs,\n"
    u"items and distinct items by category; catalogue items sold nowhere, by category and\n"
    u"grade; items one merchant alone sells; lists of fewer than 5 items; list lengths; tax\n"
    u"rates, those that are not numbers, and items sold at more than one rate. --json writes\n"
    u"the JSON form described in docs/cli.md.\n";

namespace {

using Stats = ScriptStatistics;

QString listName(int list) {
    return u"SellList"_s + QString::number(list);
}

// Parts of the text written straight into the stream: the items sold at more than one rate
// alone make a line each.
struct Count {
    qint64 n;
    QStringView noun;
};

QTextStream& operator<<(QTextStream& out, Count count) {
    out << count.n << u' ' << count.noun;
    if (count.n != 1)
        out << u's';
    return out;
}

struct Place {
    const Stats& stats;
    ListRef where;
};

QTextStream& operator<<(QTextStream& out, Place place) {
    return out << shown(place.stats.npcs[static_cast<size_t>(place.where.record)].className)
               << u" SellList"_s << place.where.list;
}

struct Name {
    const std::optional<QString>& name;
};

QTextStream& operator<<(QTextStream& out, Name name) {
    if (name.name)
        out << u' ' << shown(*name.name);
    return out;
}

QString categoryCode(const Stats& stats, int category) {
    const QString& code = stats.categories[static_cast<size_t>(category)].code;
    return code.isEmpty() ? u"(not in the catalogue)"_s : shown(code);
}

void writeText(const Stats& stats, const QString& script, QTextStream& out) {
    out << shown(script) << u": "_s << Count{stats.totals.records, u"record"} << u", "_s
        << Count{stats.totals.lists, u"list"} << u", "_s << Count{stats.totals.items, u"item"}
        << u", "_s << stats.totals.distinctItems << u" distinct\n"_s;

    out << u"\nlocations: NPCs, NPCs with items, items, distinct items by category\n"_s;
    for (const Stats::Location& l : stats.locations) {
        out << u"  "_s << (l.placedNowhere ? u"(placed nowhere)"_s : shown(l.name)) << u": "_s
            << Count{static_cast<qint64>(l.records.size()), u"NPC"} << u", "_s << l.npcsWithItems
            << u" with items, "_s << Count{l.items, u"item"} << u", "_s << l.distinctItems
            << u" distinct"_s;
        QStringList parts;
        for (size_t c = 0; c < l.distinctByCategory.size(); ++c) {
            if (l.distinctByCategory[c] > 0)
                parts << categoryCode(stats, static_cast<int>(c)) + u' ' +
                             QString::number(l.distinctByCategory[c]);
        }
        if (!parts.isEmpty())
            out << u": "_s << parts.join(u", "_s);
        out << u'\n';
    }

    out << u"\nsold nowhere: "_s << Count{stats.unsold.items, u"catalogue item"} << u'\n';
    for (size_t i = 0; i < stats.unsold.byCategoryGrade.size();) {
        const int category = stats.unsold.byCategoryGrade[i].category;
        QStringList grades;
        for (; i < stats.unsold.byCategoryGrade.size() &&
               stats.unsold.byCategoryGrade[i].category == category;
             ++i)
            grades << shown(stats.unsold.byCategoryGrade[i].grade) + u' ' +
                          QString::number(stats.unsold.byCategoryGrade[i].items);
        out << u"  "_s << categoryCode(stats, category) << u": "_s << grades.join(u", "_s) << u'\n';
    }
    if (!stats.unsold.first.empty())
        out << u"  the first "_s << stats.unsold.first.size() << u" by ID:\n"_s;
    for (const Stats::CatalogueItem& item : stats.unsold.first) {
        out << u"    "_s << shown(item.id) << Name{item.chineseName} << u" ("_s
            << shown(item.englishName) << u"; "_s << categoryCode(stats, item.category) << u", "_s
            << shown(item.grade) << u")\n"_s;
    }

    out << u"\nsold by one merchant only: "_s
        << Count{static_cast<qint64>(stats.soleSellers.size()), u"item"} << u'\n';
    for (const Stats::SoleSeller& s : stats.soleSellers)
        out << u"  "_s << shown(s.id) << Name{s.chineseName} << u": "_s << Place{stats, s.where}
            << u'\n';

    out << u"\nlists of fewer than "_s << Stats::ShortListLength << u" items: "_s
        << stats.shortLists.size() << u'\n';
    for (const Stats::ShortList& s : stats.shortLists)
        out << u"  "_s << Place{stats, s.where} << u": "_s << Count{s.items, u"item"} << u'\n';

    out << u"\nlist lengths:\n"_s;
    for (const Stats::LengthCount& l : stats.listLengths)
        out << u"  "_s << Count{l.items, u"item"} << u": "_s << Count{l.lists, u"list"} << u'\n';

    out << u"\ntax rates:\n"_s;
    for (const Stats::RateCount& r : stats.taxRates) {
        out << u"  \""_s << shown(r.rate) << u"\": "_s << Count{r.items, u"item"};
        if (!r.number)
            out << u", not a number (first: item "_s << shown(r.firstId) << u" of "_s
                << Place{stats, r.first} << u')';
        out << u'\n';
    }

    out << u"\nitems sold at more than one tax rate: "_s << stats.rateConflicts.size() << u'\n';
    for (const Stats::RateConflict& c : stats.rateConflicts) {
        out << u"  "_s << shown(c.id) << Name{c.chineseName} << u": "_s;
        for (size_t i = 0; i < c.rates.size(); ++i) {
            const Stats::RateUse& use = c.rates[i];
            out << (i > 0 ? u", \""_s : u"\""_s) << shown(use.rate) << u"\" in "_s
                << Count{use.lists, u"list"} << u" (first "_s << Place{stats, use.first} << u')';
        }
        out << u'\n';
    }
}

QString jsonName(const std::optional<QString>& name) {
    return name ? jsonQuoted(*name) : u"null"_s;
}

QString jsonPlace(const Stats& stats, ListRef where) {
    return u"\"record\":"_s + QString::number(where.record) + u",\"className\":"_s +
           jsonQuoted(stats.npcs[static_cast<size_t>(where.record)].className) + u",\"list\":"_s +
           jsonQuoted(listName(where.list));
}

QString jsonCategory(const Stats& stats, int category) {
    const QString& code = stats.categories[static_cast<size_t>(category)].code;
    return code.isEmpty() ? u"null"_s : jsonQuoted(code);
}

// A JSON array of the objects `write` makes, one to a line.
template <typename T, typename Write>
QString jsonObjects(const std::vector<T>& values, Write&& write) {
    QString array(u'[');
    for (size_t i = 0; i < values.size(); ++i)
        array += (i > 0 ? u",\n{"_s : u"\n{"_s) + write(values[i]) + u'}';
    return array + u']';
}

template <typename T> QString jsonNumbers(const std::vector<T>& values) {
    QStringList numbers;
    for (const T value : values)
        numbers << QString::number(value);
    return u'[' + numbers.join(u',') + u']';
}

void writeJson(const Stats& stats, const QString& script, const QString& catalogue,
               QTextStream& out) {
    const Stats::Totals& t = stats.totals;
    out << u"{\"version\":1,\"script\":"_s << jsonQuoted(script) << u",\"catalogue\":"_s
        << jsonQuoted(catalogue) << u",\n\"totals\":{\"records\":"_s << t.records
        << u",\"lists\":"_s << t.lists << u",\"items\":"_s << t.items << u",\"distinctItems\":"_s
        << t.distinctItems << u'}';
    out << u",\n\"categories\":"_s << jsonObjects(stats.categories, [](const Stats::Category& c) {
        return c.code.isEmpty()
                   ? u"\"code\":null,\"name\":null"_s
                   : u"\"code\":"_s + jsonQuoted(c.code) + u",\"name\":"_s + jsonQuoted(c.name);
    });
    out << u",\n\"locations\":"_s << jsonObjects(stats.locations, [](const Stats::Location& l) {
        return u"\"name\":"_s + (l.placedNowhere ? u"null"_s : jsonQuoted(l.name)) +
               u",\"records\":"_s + jsonNumbers(l.records) + u",\"npcsWithItems\":"_s +
               QString::number(l.npcsWithItems) + u",\"items\":"_s + QString::number(l.items) +
               u",\"distinctItems\":"_s + QString::number(l.distinctItems) +
               u",\"distinctByCategory\":"_s + jsonNumbers(l.distinctByCategory);
    });
    out << u",\n\"unsold\":{\"items\":"_s << stats.unsold.items << u",\"byCategoryGrade\":"_s
        << jsonObjects(stats.unsold.byCategoryGrade,
                       [&](const Stats::GradeCount& g) {
                           return u"\"category\":"_s + jsonCategory(stats, g.category) +
                                  u",\"grade\":"_s + jsonQuoted(g.grade) + u",\"items\":"_s +
                                  QString::number(g.items);
                       })
        << u",\"first\":"_s
        << jsonObjects(stats.unsold.first,
                       [&](const Stats::CatalogueItem& i) {
                           return u"\"id\":"_s + jsonQuoted(i.id) + u",\"chineseName\":"_s +
                                  jsonName(i.chineseName) + u",\"englishName\":"_s +
                                  jsonQuoted(i.englishName) + u",\"category\":"_s +
                                  jsonCategory(stats, i.category) + u",\"grade\":"_s +
                                  jsonQuoted(i.grade);
                       })
        << u'}';
    out << u",\n\"soleSellers\":"_s
        << jsonObjects(stats.soleSellers, [&](const Stats::SoleSeller& s) {
               return u"\"id\":"_s + jsonQuoted(s.id) + u",\"chineseName\":"_s +
                      jsonName(s.chineseName) + u',' + jsonPlace(stats, s.where);
           });
    out << u",\n\"shortLists\":"_s << jsonObjects(stats.shortLists, [&](const Stats::ShortList& s) {
        return jsonPlace(stats, s.where) + u",\"items\":"_s + QString::number(s.items);
    });
    out << u",\n\"listLengths\":"_s
        << jsonObjects(stats.listLengths, [](const Stats::LengthCount& l) {
               return u"\"items\":"_s + QString::number(l.items) + u",\"lists\":"_s +
                      QString::number(l.lists);
           });
    out << u",\n\"taxRates\":"_s << jsonObjects(stats.taxRates, [&](const Stats::RateCount& r) {
        return u"\"rate\":"_s + jsonQuoted(r.rate) + u",\"number\":"_s +
               (r.number ? u"true"_s : u"false"_s) + u",\"items\":"_s + QString::number(r.items) +
               u",\"first\":{"_s + jsonPlace(stats, r.first) + u",\"id\":"_s +
               jsonQuoted(r.firstId) + u'}';
    });
    out << u",\n\"rateConflicts\":"_s
        << jsonObjects(stats.rateConflicts, [&](const Stats::RateConflict& c) {
               QStringList uses;
               for (const Stats::RateUse& use : c.rates)
                   uses << u"{\"rate\":"_s + jsonQuoted(use.rate) + u",\"lists\":"_s +
                               QString::number(use.lists) + u",\"first\":{"_s +
                               jsonPlace(stats, use.first) + u"}}"_s;
               return u"\"id\":"_s + jsonQuoted(c.id) + u",\"chineseName\":"_s +
                      jsonName(c.chineseName) + u",\"rates\":["_s + uses.join(u',') + u']';
           });
    out << u"\n}\n"_s;
}

} // namespace

int runStats(const QStringList& args, QTextStream& out) {
    const Arguments parsed = parseArguments(args, {.catalogue = true, .json = true});
    if (parsed.help) {
        out << QString::fromUtf16(StatsUsage);
        return ExitOk;
    }
    if (parsed.positional.size() != 1)
        throw CliError{ExitUsage, u"stats takes one script file (see --help)"_s};
    if (!parsed.catalogue)
        throw CliError{ExitUsage, u"stats needs --catalogue FILE"_s};
    const QString& script = parsed.positional[0];
    const ScriptReadResult read = readScriptOrFail(script);
    CatalogueDb db;
    loadCatalogueOrFail(db, *parsed.catalogue);
    const Stats stats = computeStatistics(read.records, db);
    if (!stats.catalogueError.isEmpty())
        throw CliError{ExitInput, u"catalogue query failed: "_s + stats.catalogueError};
    if (parsed.json)
        writeJson(stats, script, *parsed.catalogue, out);
    else
        writeText(stats, script, out);
    return ExitOk;
}

} // namespace vw::cli
