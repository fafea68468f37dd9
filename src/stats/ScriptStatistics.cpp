#include "ScriptStatistics.h"

#include "catalogue/CatalogueDb.h"
#include "catalogue/DataSource.h"
#include "catalogue/Statements.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <map>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace vw {

bool isNumericTaxRate(QStringView rate) {
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    qsizetype i = 0;
    while (i < rate.size() && isDigit(rate[i]))
        ++i;
    if (i == 0 || i > 9)
        return false;
    if (i == rate.size())
        return true;
    if (rate[i] != u'.' || i + 1 == rate.size())
        return false;
    return std::all_of(rate.begin() + i + 1, rate.end(), isDigit);
}

namespace {

using Stats = ScriptStatistics;

// The key the engine groups text by: it folds the case of Latin letters alone.
QString folded(QStringView text) {
    QString key = text.toString();
    for (QChar& c : key) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return key;
}

// The statements run through one query object. After the first failure the others are not run:
// their answers would be as incomplete as the first's, and its words are the ones to report.
class Catalogue {
public:
    explicit Catalogue(CatalogueDb& db) : source_(db) {}

    // Calls `row` with the query object on each row; false when the statement failed.
    template <typename Row>
    bool each(const QString& statement, const QStringList& values, Row&& row) {
        if (!error_.isEmpty())
            return false;
        if (source_.run(statement, values)) {
            for (; !source_.atEnd(); source_.advance())
                row(source_);
        }
        error_ = source_.errorText();
        return error_.isEmpty();
    }

    // The first field of the statement's first row, none without a row.
    std::optional<QString> first(const QString& statement, const QStringList& values) {
        std::optional<QString> value;
        each(statement, values, [&](DataSource& rows) {
            if (!value)
                value = rows.field(0);
        });
        return value;
    }

    const QString& error() const { return error_; }

private:
    DataSource source_;
    QString error_;
};

struct RateTally {
    int rate = 0; // in Walk::rates
    int lists = 0;
    ListRef first;
    // The list counted last, so a list counts once however often it repeats the item.
    ListRef last{-1, 0};
};

struct ItemTally {
    QString id;
    ListRef first;
    int firstClass = 0; // class names are compared by number: an item stands in many lists
    bool manyClasses = false;
    int category = -1;
    std::vector<RateTally> rates;
};

// What one walk over the records gathers; everything the catalogue adds comes after.
struct Walk {
    std::vector<ItemTally> items;
    std::vector<std::vector<int>> recordItems; // item indexes of each record's entries
    std::vector<Stats::RateCount> rates;
    std::map<int, int> lengths;
};

Walk walkRecords(const std::vector<ShopRecord>& records, Stats& stats) {
    Walk walk;
    walk.recordItems.resize(records.size());
    QHash<QString, int> itemIndex;
    QHash<QString, int> rateIndex;
    QHash<QString, int> classIndex;
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        const ShopRecord& record = records[static_cast<size_t>(r)];
        stats.npcs.push_back({record.className, std::nullopt});
        const int classNumber = classIndex.value(record.className, r);
        classIndex.insert(record.className, classNumber);
        std::vector<int>& entries = walk.recordItems[static_cast<size_t>(r)];
        entries.reserve(static_cast<size_t>(record.upperBound() + 1) * ShopRecord::ListCount);
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            const int length = record.listLength(list);
            if (length == 0 && record.startLine[list] == 0)
                continue;
            const ListRef here{r, list};
            ++stats.totals.lists;
            ++walk.lengths[length];
            if (length < Stats::ShortListLength)
                stats.shortLists.push_back({here, length});
            int rate = -1; // neighbours mostly share a rate: the last one is tried first
            for (int slot = 0; slot < length; ++slot) {
                const ItemSlot& item = record.slot(list, slot);
                if (rate < 0 || walk.rates[static_cast<size_t>(rate)].rate != item.taxRate) {
                    const auto found = rateIndex.constFind(item.taxRate);
                    if (found != rateIndex.cend()) {
                        rate = *found;
                    } else {
                        rate = static_cast<int>(walk.rates.size());
                        rateIndex.insert(item.taxRate, rate);
                        walk.rates.push_back(
                            {item.taxRate, isNumericTaxRate(item.taxRate), 0, here, item.id});
                    }
                }
                ++walk.rates[static_cast<size_t>(rate)].items;

                int index = 0;
                if (const auto found = itemIndex.constFind(item.id); found != itemIndex.cend()) {
                    index = *found;
                } else {
                    index = static_cast<int>(walk.items.size());
                    itemIndex.insert(item.id, index);
                    walk.items.push_back({item.id, here, classNumber, false, -1, {}});
                }
                entries.push_back(index);
                ItemTally& tally = walk.items[static_cast<size_t>(index)];
                tally.manyClasses |= tally.firstClass != classNumber;
                auto use = std::find_if(tally.rates.begin(), tally.rates.end(),
                                        [&](const RateTally& t) { return t.rate == rate; });
                if (use == tally.rates.end()) {
                    tally.rates.push_back({rate, 0, here, {-1, 0}});
                    use = tally.rates.end() - 1;
                }
                if (use->last != here) {
                    ++use->lists;
                    use->last = here;
                }
            }
            stats.totals.items += length;
        }
    }
    stats.totals.records = static_cast<int>(records.size());
    stats.totals.distinctItems = static_cast<int>(walk.items.size());
    return walk;
}

// Itemdata_R with the catalogue's names: read whole once, since the script names most of it.
struct CatalogueItems {
    std::vector<Stats::CatalogueItem> items;
    QHash<QString, int> byId;             // the first row of each ID as the engine writes it
    QHash<QString, QString> chineseNames; // ITEMNAME_E2C, by ID as stored
    QHash<QString, int> categoryByKey;
};

void readCatalogue(Catalogue& catalogue, Stats& stats, CatalogueItems& out) {
    const auto categoryOf = [&](const QString& code) {
        const QString key = folded(code);
        if (const auto found = out.categoryByKey.constFind(key); found != out.categoryByKey.cend())
            return *found;
        const int index = static_cast<int>(stats.categories.size());
        out.categoryByKey.insert(key, index);
        stats.categories.push_back({code, {}});
        return index;
    };
    catalogue.each(sql::categories(), {}, [&](DataSource& rows) {
        const QString code = rows.field(u"英文名称");
        if (!out.categoryByKey.contains(folded(code)))
            stats.categories[static_cast<size_t>(categoryOf(code))].name = rows.field(u"中文名称");
    });
    // Rows in ID order mostly come in runs of one category.
    QString lastCode;
    int lastCategory = -1;
    catalogue.each(sql::statsCatalogueItems(), {}, [&](DataSource& rows) {
        const QString code = rows.field(1);
        if (lastCategory < 0 || code != lastCode) {
            lastCategory = categoryOf(code);
            lastCode = code;
        }
        Stats::CatalogueItem item{rows.field(0), lastCategory, rows.field(2), std::nullopt, {}};
        if (out.byId.contains(item.id))
            return;
        out.byId.insert(item.id, static_cast<int>(out.items.size()));
        out.items.push_back(std::move(item));
    });
    catalogue.each(sql::statsItemNames(), {}, [&](DataSource& rows) {
        const QString id = rows.field(0);
        if (!out.chineseNames.contains(id))
            out.chineseNames.insert(id, rows.field(1));
    });
}

// The catalogue row of a script ID: the ID as the table writes it, or else what the engine
// finds for it (a number written another way); -1 for none.
int catalogueIndexOf(const QString& id, Catalogue& catalogue, const CatalogueItems& items) {
    if (const auto found = items.byId.constFind(id); found != items.byId.cend())
        return *found;
    const std::optional<QString> stored = catalogue.first(sql::statsCatalogueItemId(), {id});
    return stored ? items.byId.value(*stored, -1) : -1;
}

std::optional<QString> chineseNameOf(const QString& id, Catalogue& catalogue,
                                     const CatalogueItems& items) {
    if (const auto found = items.chineseNames.constFind(id); found != items.chineseNames.cend())
        return *found;
    return catalogue.first(sql::itemNames(), {id});
}

// The records at each location the window lists, then those it lists as placed nowhere.
void placeRecords(Catalogue& catalogue, const std::vector<ShopRecord>& records, Stats& stats) {
    QHash<QString, std::vector<int>> byClass;
    for (int r = 0; r < static_cast<int>(records.size()); ++r)
        byClass[records[static_cast<size_t>(r)].className].push_back(r);
    catalogue.each(sql::locations(), {}, [&](DataSource& rows) {
        stats.locations.push_back({rows.field(u"地点名称"), false, {}, 0, 0, 0, {}, {}});
    });
    for (Stats::Location& location : stats.locations) {
        catalogue.each(sql::statsLocationNpcs(), {location.name}, [&](DataSource& rows) {
            const auto found = byClass.constFind(rows.field(0));
            if (found != byClass.cend())
                location.records.insert(location.records.end(), found->begin(), found->end());
        });
        std::sort(location.records.begin(), location.records.end());
        location.records.erase(std::unique(location.records.begin(), location.records.end()),
                               location.records.end());
    }
    // The window's list of all NPCs reaches a few that no location lists (a town row without a
    // place name); they are placed all the same.
    QSet<QString> reached;
    catalogue.each(sql::locationNpcs(std::nullopt), {},
                   [&](DataSource& rows) { reached.insert(rows.field(u"NPC英文名")); });
    Stats::Location nowhere{{}, true, {}, 0, 0, 0, {}, {}};
    for (int r = 0; r < static_cast<int>(records.size()); ++r) {
        if (!reached.contains(records[static_cast<size_t>(r)].className))
            nowhere.records.push_back(r);
    }
    stats.locations.push_back(std::move(nowhere));
}

void countLocations(const std::vector<ShopRecord>& records, const Walk& walk, Stats& stats) {
    std::vector<int> seenAt(walk.items.size(), -1);
    for (int l = 0; l < static_cast<int>(stats.locations.size()); ++l) {
        Stats::Location& location = stats.locations[static_cast<size_t>(l)];
        location.distinctByCategory.assign(stats.categories.size(), 0);
        for (const int r : location.records) {
            const ShopRecord& record = records[static_cast<size_t>(r)];
            const std::vector<int>& entries = walk.recordItems[static_cast<size_t>(r)];
            if (entries.empty())
                continue;
            ++location.npcsWithItems;
            if (!location.first)
                location.first = ListRef{r, record.listExists(0) ? 0 : 1};
            location.items += static_cast<qint64>(entries.size());
            for (const int item : entries) {
                if (seenAt[static_cast<size_t>(item)] == l)
                    continue;
                seenAt[static_cast<size_t>(item)] = l;
                ++location.distinctItems;
                ++location.distinctByCategory[static_cast<size_t>(
                    walk.items[static_cast<size_t>(item)].category)];
            }
        }
    }
}

void countUnsold(const CatalogueItems& catalogueItems, const std::vector<bool>& sold,
                 Catalogue& catalogue, Stats& stats) {
    std::map<std::pair<int, QString>, Stats::GradeCount> byGrade;
    for (size_t i = 0; i < catalogueItems.items.size(); ++i) {
        if (sold[i])
            continue;
        const Stats::CatalogueItem& item = catalogueItems.items[i];
        ++stats.unsold.items;
        const auto entry = byGrade.try_emplace({item.category, folded(item.grade)},
                                               Stats::GradeCount{item.category, item.grade, 0});
        ++entry.first->second.items;
        if (stats.unsold.first.size() < static_cast<size_t>(Stats::UnsoldListed)) {
            // The English names of the listed items alone: reading every row's would convert
            // a text per catalogue item.
            Stats::CatalogueItem& listed = stats.unsold.first.emplace_back(item);
            listed.chineseName = chineseNameOf(item.id, catalogue, catalogueItems);
            listed.englishName =
                catalogue.first(sql::statsItemEnglishName(), {item.id}).value_or(QString());
        }
    }
    for (auto& [key, count] : byGrade)
        stats.unsold.byCategoryGrade.push_back(std::move(count));
}

void orderTaxRates(std::vector<Stats::RateCount>& rates) {
    std::sort(rates.begin(), rates.end(), [](const Stats::RateCount& a, const Stats::RateCount& b) {
        if (a.number != b.number)
            return a.number;
        if (a.number) {
            const double x = a.rate.toDouble(), y = b.rate.toDouble();
            if (x != y)
                return x < y;
        }
        return a.rate < b.rate;
    });
}

} // namespace

ScriptStatistics computeStatistics(const std::vector<ShopRecord>& records, CatalogueDb& db) {
    Stats stats;
    Walk walk = walkRecords(records, stats);
    Catalogue catalogue(db);
    CatalogueItems catalogueItems;
    readCatalogue(catalogue, stats, catalogueItems);

    std::vector<bool> sold(catalogueItems.items.size(), false);
    int notHeld = -1;
    for (ItemTally& item : walk.items) {
        const int index = catalogueIndexOf(item.id, catalogue, catalogueItems);
        if (index >= 0) {
            sold[static_cast<size_t>(index)] = true;
            item.category = catalogueItems.items[static_cast<size_t>(index)].category;
            continue;
        }
        if (notHeld < 0) {
            notHeld = static_cast<int>(stats.categories.size());
            stats.categories.push_back({});
        }
        item.category = notHeld;
    }

    QHash<QString, std::optional<QString>> npcNames;
    for (Stats::Npc& npc : stats.npcs) {
        auto found = npcNames.find(npc.className);
        if (found == npcNames.end())
            found = npcNames.insert(npc.className,
                                    catalogue.first(sql::npcChineseName(), {npc.className}));
        npc.chineseName = *found;
    }
    placeRecords(catalogue, records, stats);
    countLocations(records, walk, stats);
    countUnsold(catalogueItems, sold, catalogue, stats);

    for (const ItemTally& item : walk.items) {
        if (!item.manyClasses)
            stats.soleSellers.push_back(
                {item.id, chineseNameOf(item.id, catalogue, catalogueItems), item.first});
        if (item.rates.size() > 1) {
            Stats::RateConflict conflict{
                item.id, chineseNameOf(item.id, catalogue, catalogueItems), {}};
            for (const RateTally& rate : item.rates)
                conflict.rates.push_back(
                    {walk.rates[static_cast<size_t>(rate.rate)].rate, rate.lists, rate.first});
            stats.rateConflicts.push_back(std::move(conflict));
        }
    }
    for (const auto& [length, lists] : walk.lengths)
        stats.listLengths.push_back({length, lists});
    stats.taxRates = std::move(walk.rates);
    orderTaxRates(stats.taxRates);
    stats.catalogueError = catalogue.error();
    return stats;
}

} // namespace vw
