#include "CatalogueBrowser.h"

#include "catalogue/DataSource.h"
#include "catalogue/Statements.h"
#include "controls/Combo.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/Query.h"
#include "controls/StatusPanels.h"

#include <array>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

const std::array<QString, 14> ItemHeaders{
    u"物品ID"_s,   u"中文名称"_s, u"级"_s,       u"价格"_s,     u"物攻"_s,
    u"魔攻"_s,     u"物防"_s,     u"魔防"_s,     u"英文名称"_s, u"位置"_s,
    u"武器类型"_s, u"装备类型"_s, u"杂项类型"_s, u"附加说明"_s};

// The result column shown in each grid column; the grade column (2) is derived.
const std::array<QString, 14> ItemFields{
    u"物品ID"_s,          u"中文名称"_s,       u"crystal_type"_s,     u"default_price"_s,
    u"physical_damage"_s, u"magical_damage"_s, u"physical_defense"_s, u"magical_defense"_s,
    u"物品名称"_s,        u"slot_bit_type"_s,  u"weapon_type"_s,      u"armor_type"_s,
    u"etcitem_type"_s,    u"附加说明"_s};

bool isNumeric(QStringView text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

} // namespace

CatalogueBrowser::CatalogueBrowser(DataSource& data, const int& charWidth, Controls controls)
    : data_(data), charWidth_(charWidth), ui_(controls) {
    connect(&ui_.categories, &Combo::chosen, this, &CatalogueBrowser::listItemTypes);
    connect(&ui_.types, &Combo::chosen, this, &CatalogueBrowser::listItemGrades);
    connect(&ui_.grades, &Combo::chosen, this, &CatalogueBrowser::fillItemGrid);
    ui_.itemGrid.allowRowRanges();
}

const CatalogueBrowser::CodeEntry*
CatalogueBrowser::chosen(const Combo& combo, const std::vector<CodeEntry>& table) const {
    const int index = combo.chosenIndex();
    if (index < 0 || static_cast<size_t>(index) >= table.size())
        return nullptr;
    return &table[static_cast<size_t>(index)];
}

void CatalogueBrowser::fillCategories() {
    if (!runQuery(data_, ui_.dialogs, sql::categories()))
        return;
    categories_.clear();
    for (; !data_.atEnd(); data_.advance()) {
        const QString code = data_.field(u"英文名称");
        if (isNumeric(code))
            continue;
        const int index = static_cast<int>(categories_.size());
        categories_.push_back({QString::number(index), code, data_.field(u"中文名称")});
        ui_.categories.addEntry(code + u'|' + categories_.back().name, index);
    }
    if (ui_.categories.entryCount() > 0)
        ui_.categories.setText(ui_.categories.entryText(0));
}

void CatalogueBrowser::listItemTypes() {
    ui_.types.clearEntries();
    ui_.status.setPanelText(1, u"正在查询物品种类..."_s);
    const CodeEntry* category = chosen(ui_.categories, categories_);
    if (!category)
        return;
    const std::optional<QString> statement = sql::itemTypes(category->code);
    if (!statement) {
        ui_.dialogs.message(u"有未定义的项存在,请于开发者联系"_s);
        return;
    }
    if (!runQuery(data_, ui_.dialogs, *statement))
        return;
    types_.clear();
    for (; !data_.atEnd(); data_.advance()) {
        const int index = static_cast<int>(types_.size());
        types_.push_back(
            {QString::number(index), data_.field(u"英文名称"), data_.field(u"中文名称")});
        ui_.types.addEntry(types_.back().code + u'|' + types_.back().name, index);
    }
    const int all = static_cast<int>(types_.size());
    types_.push_back({QString::number(all), u"all"_s, u"全部"_s});
    ui_.types.addEntry(u"all|全部"_s, all);
    ui_.status.setPanelText(1, u"查询物品种类完毕"_s);
    ui_.types.setText(ui_.types.entryText(ui_.types.entryCount() - 1));
}

void CatalogueBrowser::listItemGrades() {
    ui_.grades.clearEntries();
    ui_.status.setPanelText(1, u"正在查询物品级别..."_s);
    const CodeEntry* type = chosen(ui_.types, types_);
    const CodeEntry* category = chosen(ui_.categories, categories_);
    if (!type || !category)
        return;
    if (!runQuery(data_, ui_.dialogs, sql::itemGrades(category->code, type->code)))
        return;
    for (; !data_.atEnd(); data_.advance()) {
        const QString grade = data_.field(u"装备等级");
        if (grade.isEmpty())
            continue;
        const QString text = grade == u"n" ? u"无级别"_s : grade.toUpper() + u"级物品"_s;
        ui_.grades.addEntry(text, grade[0].unicode());
    }
    ui_.status.setPanelText(1, u"查询物品级别完毕"_s);
    if (ui_.grades.entryCount() > 0)
        ui_.grades.setText(ui_.grades.entryText(0));
}

void CatalogueBrowser::initItemGrid() {
    ui_.itemGrid.clearTexts();
    for (int c = 0; c < static_cast<int>(ItemHeaders.size()); ++c)
        ui_.itemGrid.setText(0, c, ItemHeaders[static_cast<size_t>(c)]);
}

void CatalogueBrowser::fillItemGrid() {
    const int gradeIndex = ui_.grades.chosenIndex();
    const CodeEntry* type = chosen(ui_.types, types_);
    const CodeEntry* category = chosen(ui_.categories, categories_);
    // A grade left over from an unknown category has no type to go with it.
    if (gradeIndex < 0 || !type || !category)
        return;
    ui_.status.setPanelText(2, {});
    ui_.status.setPanelText(1, u"正在查询本级别物品..."_s);
    const QChar letter(static_cast<char16_t>(ui_.grades.entryData(gradeIndex)));
    const QString grade = letter == u'n' ? u"none"_s : QString(letter);
    const int count = fillGrid(sql::items(category->code, type->code, grade), {});
    if (count < 0)
        return;
    ui_.status.setPanelText(1, u"查询物品信息完毕"_s);
    const QString shownGrade = letter == u'n' ? u"无"_s : QString(letter).toUpper();
    ui_.status.setPanelText(2, u"当前物品["_s + shownGrade + u"]/"_s +
                                   QString::number(ui_.grades.entryCount()) + u"共"_s +
                                   QString::number(count) + u"项"_s);
}

void CatalogueBrowser::searchItems(const QString& text) {
    const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        fillItemGrid();
        return;
    }
    // Within what the filters show: their choices narrow the search as they narrow the grid.
    sql::SearchScope scope;
    QStringList within;
    if (const CodeEntry* category = chosen(ui_.categories, categories_)) {
        scope.category = category->code;
        within.append(category->name);
        if (const CodeEntry* type = chosen(ui_.types, types_)) {
            scope.type = type->code;
            within.append(type->name);
        }
        if (const int grade = ui_.grades.chosenIndex(); grade >= 0) {
            const QChar letter(static_cast<char16_t>(ui_.grades.entryData(grade)));
            scope.grade = letter == u'n' ? u"none"_s : QString(letter);
            within.append(ui_.grades.entryText(grade));
        }
    }
    ui_.status.setPanelText(2, {});
    ui_.status.setPanelText(1, u"正在搜索物品..."_s);
    const int count =
        fillGrid(sql::searchItems(scope, words.size()), sql::searchValues(scope, words));
    if (count < 0)
        return;
    const QString wanted = words.join(u' ');
    ui_.status.setPanelText(1, u"查询物品信息完毕"_s);
    ui_.status.setPanelText(
        2, (within.isEmpty() ? QString() : u"在“"_s + within.join(u'/') + u"”中"_s) + u"搜索“"_s +
               wanted + u"”共"_s + QString::number(count) + u"项"_s);
}

QString CatalogueBrowser::currentItemId() const {
    const size_t row = static_cast<size_t>(ui_.itemGrid.currentRow());
    return row >= 1 && row <= shownIds_.size() ? shownIds_[row - 1] : QString();
}

std::vector<QString> CatalogueBrowser::selectedItemIds() const {
    std::vector<QString> ids;
    for (const int row : ui_.itemGrid.selectedRows()) {
        if (row >= 1 && static_cast<size_t>(row) <= shownIds_.size())
            ids.push_back(shownIds_[static_cast<size_t>(row) - 1]);
    }
    if (ids.empty() && !currentItemId().isEmpty())
        ids.push_back(currentItemId());
    return ids;
}

int CatalogueBrowser::fillGrid(const QString& statement, const QStringList& values) {
    Grid& grid = ui_.itemGrid;
    std::array<int, 14> bytes{};
    int count = 0;
    QString problem;
    {
        Grid::Batch batch(grid);
        initItemGrid();
        shownIds_.clear();
        for (size_t c = 0; c < bytes.size(); ++c)
            bytes[c] = ansiByteLength(grid.text(0, static_cast<int>(c)));
        if (!data_.run(statement, values))
            problem = queryErrorText(data_);
        std::array<int, 14> columns{};
        for (size_t c = 0; c < columns.size(); ++c)
            columns[c] = data_.columnIndex(ItemFields[c]);
        for (; !data_.atEnd(); data_.advance(), ++count) {
            const int row = count + 1;
            grid.setRows(count + 2);
            for (size_t c = 0; c < columns.size(); ++c) {
                QString text = data_.field(columns[c]);
                if (c == 2)
                    text = text == u"none" ? u"无"_s : text.toUpper();
                bytes[c] = std::max(bytes[c], ansiByteLength(text));
                if (c == 0)
                    shownIds_.push_back(text);
                grid.setText(row, static_cast<int>(c), text);
            }
            ui_.status.setPanelText(1, u"正在查询第"_s + QString::number(count) + u"个物品..."_s);
        }
        for (size_t c = 0; c < bytes.size(); ++c)
            grid.setColumnWidthPixels(static_cast<int>(c), (bytes[c] + 1) * charWidth_);
    }
    if (!problem.isEmpty()) {
        ui_.dialogs.message(problem);
        return -1;
    }
    return count;
}

} // namespace vw
