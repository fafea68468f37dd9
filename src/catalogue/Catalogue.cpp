#include "Catalogue.h"

#include <QFileInfo>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

// The result columns of the item statements, in the order of ItemColumn.
const std::array<QString, ItemColumnCount> ItemFields{
    u"物品ID"_s,          u"中文名称"_s,       u"crystal_type"_s,     u"default_price"_s,
    u"physical_damage"_s, u"magical_damage"_s, u"physical_defense"_s, u"magical_defense"_s,
    u"物品名称"_s,        u"slot_bit_type"_s,  u"weapon_type"_s,      u"armor_type"_s,
    u"etcitem_type"_s,    u"附加说明"_s};

// The engine's NOCASE: ASCII letters only.
QString foldedKey(QStringView text) {
    QString key = text.toString();
    for (QChar& c : key) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return key;
}

bool isNumeric(QStringView text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

} // namespace

Catalogue::Catalogue(QString path) : path_(std::move(path)), source_(db_), lookups_(db_) {}

Catalogue::~Catalogue() = default;

Catalogue::Opened Catalogue::open(const QString& path) {
    Opened opened;
    CatalogueFault& fault = opened.fault;
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink()) {
        fault.kind = CatalogueFault::Kind::Missing;
        return opened;
    }
    // A pipe would keep the open waiting for a writer, and a folder holds no tables.
    if (!file.isFile()) {
        fault.kind =
            file.exists() ? CatalogueFault::Kind::NotRegular : CatalogueFault::Kind::Missing;
        return opened;
    }
    if (file.size() == 0) {
        fault.kind = CatalogueFault::Kind::Empty;
        return opened;
    }
    auto catalogue = std::unique_ptr<Catalogue>(new Catalogue(path));
    fault.load = catalogue->db_.load(path);
    switch (fault.load.status) {
    case CatalogueLoadStatus::Ok:
        break;
    case CatalogueLoadStatus::Missing:
        fault.kind = CatalogueFault::Kind::Missing;
        return opened;
    case CatalogueLoadStatus::Unreadable:
        fault.kind = CatalogueFault::Kind::Unreadable;
        return opened;
    case CatalogueLoadStatus::Unrecognised:
        fault.kind = CatalogueFault::Kind::Unrecognised;
        return opened;
    }
    if (!catalogue->checkParts(fault))
        return opened;
    catalogue->readNames();
    if (catalogue->failed()) {
        fault.kind = CatalogueFault::Kind::Unrecognised;
        fault.load.detail = catalogue->error();
        return opened;
    }
    opened.catalogue = std::move(catalogue);
    return opened;
}

bool Catalogue::checkParts(CatalogueFault& fault) {
    for (const sql::TableColumns& table : sql::readColumns()) {
        QSet<QString> present;
        if (!run(sql::tableColumns(), {table.table}))
            return false;
        for (; !source_.atEnd(); source_.advance())
            present.insert(source_.field(0).toLower());
        if (present.isEmpty()) {
            fault.kind = CatalogueFault::Kind::MissingTable;
            fault.table = table.table;
            return false;
        }
        for (const QString& column : table.columns) {
            if (!present.contains(column.toLower())) {
                fault.kind = CatalogueFault::Kind::MissingColumn;
                fault.table = table.table;
                fault.column = column;
                return false;
            }
        }
    }
    return true;
}

void Catalogue::readNames() {
    if (run(sql::allItemNames())) {
        itemNames_.reserve(20000);
        for (; !source_.atEnd(); source_.advance()) {
            if (source_.isNull(u"ID"))
                continue;
            // The first row of an ID answers for it, as the statement by ID finds it first.
            QString key = foldedKey(source_.field(0));
            if (!itemNames_.contains(key))
                itemNames_.insert(std::move(key), ItemNames{source_.field(1), source_.field(2)});
        }
    }
    if (run(sql::allNpcNames())) {
        for (; !source_.atEnd(); source_.advance()) {
            QString key = foldedKey(source_.field(0));
            if (!source_.isNull(u"英文名称") && !npcNames_.contains(key))
                npcNames_.insert(std::move(key), source_.field(1));
        }
    }
    if (run(sql::locations())) {
        for (; !source_.atEnd(); source_.advance())
            locations_.append(source_.field(0));
    }
    if (run(sql::categories())) {
        for (; !source_.atEnd(); source_.advance()) {
            const QString code = source_.field(0);
            if (!isNumeric(code))
                categories_.push_back({code, source_.field(1)});
        }
    }
}

bool Catalogue::run(const QString& statement, const QStringList& values) {
    ++statements_;
    if (source_.run(statement, values))
        return true;
    error_ = source_.errorText();
    return false;
}

std::optional<ItemNames> Catalogue::itemNames(const QString& id) {
    if (const auto found = itemNames_.constFind(foldedKey(id)); found != itemNames_.cend())
        return *found;
    if (const auto asked = otherItemIds_.constFind(id); asked != otherItemIds_.cend())
        return *asked;
    // The engine compares a number column by value: "04021" finds 4021.
    std::optional<ItemNames> names;
    if (run(sql::itemNames(), {id}) && !source_.atEnd())
        names = ItemNames{source_.field(0), source_.field(1)};
    otherItemIds_.insert(id, names);
    return names;
}

std::optional<QString> Catalogue::npcChineseName(const QString& className) {
    if (const auto found = npcNames_.constFind(foldedKey(className)); found != npcNames_.cend())
        return *found;
    return std::nullopt;
}

std::vector<PlacedNpc> Catalogue::npcsAt(const std::optional<QString>& location) {
    std::vector<PlacedNpc> npcs;
    if (!run(sql::locationNpcs(location ? std::optional<QStringView>(*location) : std::nullopt)))
        return npcs;
    const int name = source_.columnIndex(u"NPC英文名");
    const int chinese = source_.columnIndex(u"中文名称");
    for (; !source_.atEnd(); source_.advance())
        npcs.push_back({source_.field(name), source_.field(chinese)});
    return npcs;
}

QSet<QString> Catalogue::namedPlacedNpcs() {
    QSet<QString> names;
    for (PlacedNpc& npc : npcsAt(std::nullopt))
        names.insert(std::move(npc.className));
    return names;
}

std::optional<std::vector<CodeName>> Catalogue::itemTypes(const QString& category) {
    const std::optional<QString> statement = sql::itemTypes(category);
    if (!statement)
        return std::nullopt;
    std::vector<CodeName> types;
    if (!run(*statement))
        return types;
    for (; !source_.atEnd(); source_.advance())
        types.push_back({source_.field(u"英文名称"), source_.field(u"中文名称")});
    return types;
}

QStringList Catalogue::itemGrades(const QString& category, const QString& type) {
    QStringList grades;
    if (!run(sql::itemGrades(category, type)))
        return grades;
    for (; !source_.atEnd(); source_.advance()) {
        const QString grade = source_.field(0);
        if (!grade.isEmpty())
            grades.append(grade);
    }
    return grades;
}

std::vector<ItemRow> Catalogue::itemRows() {
    std::vector<ItemRow> rows;
    std::array<int, ItemColumnCount> columns{};
    for (size_t c = 0; c < columns.size(); ++c)
        columns[c] = source_.columnIndex(ItemFields[c]);
    for (; !source_.atEnd(); source_.advance()) {
        ItemRow& row = rows.emplace_back();
        for (size_t c = 0; c < columns.size(); ++c)
            row[c] = source_.field(columns[c]);
    }
    return rows;
}

std::vector<ItemRow> Catalogue::items(const QString& category, const QString& type,
                                      const QString& grade) {
    if (!run(sql::items(category, type, grade)))
        return {};
    return itemRows();
}

std::vector<ItemRow> Catalogue::searchItems(const sql::SearchScope& scope,
                                            const QStringList& words) {
    if (!run(sql::searchItems(scope, words.size()), sql::searchValues(scope, words)))
        return {};
    return itemRows();
}

} // namespace vw
