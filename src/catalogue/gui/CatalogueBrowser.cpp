#include "CatalogueBrowser.h"

#include "controls/Combo.h"
#include "controls/Dialogs.h"
#include "controls/Grid.h"
#include "controls/StatusPanels.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

std::array<QString, ItemColumnCount> itemHeaders() {
    return {CatalogueBrowser::tr("物品ID"),   CatalogueBrowser::tr("中文名称"),
            CatalogueBrowser::tr("级"),       CatalogueBrowser::tr("价格"),
            CatalogueBrowser::tr("物攻"),     CatalogueBrowser::tr("魔攻"),
            CatalogueBrowser::tr("物防"),     CatalogueBrowser::tr("魔防"),
            CatalogueBrowser::tr("英文名称"), CatalogueBrowser::tr("位置"),
            CatalogueBrowser::tr("武器类型"), CatalogueBrowser::tr("装备类型"),
            CatalogueBrowser::tr("杂项类型"), CatalogueBrowser::tr("附加说明")};
}

// The grade as the grid and the status bar show it: "无" for none, else the letter upper-cased.
QString shownGrade(const QString& stored) {
    return stored == u"none" ? CatalogueBrowser::tr("无") : stored.toUpper();
}

} // namespace

CatalogueBrowser::CatalogueBrowser(Workspace& workspace, const int& charWidth, Controls controls)
    : workspace_(workspace), charWidth_(charWidth), ui_(controls), searchPause_(new QTimer(this)) {
    connect(&ui_.categories, &Combo::chosen, this, &CatalogueBrowser::listItemTypes);
    connect(&ui_.types, &Combo::chosen, this, &CatalogueBrowser::listItemGrades);
    connect(&ui_.grades, &Combo::chosen, this, &CatalogueBrowser::showItems);
    connect(&workspace_, &Workspace::catalogueChanged, this, &CatalogueBrowser::fillCategories);
    ui_.itemGrid.allowRowRanges();
    // Typing searches once it pauses; Enter searches at once.
    searchPause_->setSingleShot(true);
    searchPause_->setInterval(300);
    connect(&ui_.search, &QLineEdit::textEdited, searchPause_, qOverload<>(&QTimer::start));
    connect(searchPause_, &QTimer::timeout, this, [this] { search(ui_.search.text()); });
    connect(&ui_.search, &QLineEdit::returnPressed, this, [this] { search(ui_.search.text()); });
    connect(&ui_.wholeCatalogue, &QCheckBox::toggled, this, [this] {
        if (!searchText_.isEmpty())
            showItems();
    });
}

const CodeName* CatalogueBrowser::chosen(const Combo& combo,
                                         const std::vector<CodeName>& table) const {
    const int index = combo.chosenIndex();
    if (index < 0 || static_cast<size_t>(index) >= table.size())
        return nullptr;
    return &table[static_cast<size_t>(index)];
}

std::optional<QString> CatalogueBrowser::chosenGrade() const {
    const int index = ui_.grades.chosenIndex();
    if (index < 0 || index >= grades_.size())
        return std::nullopt;
    return grades_[index] == u"n" ? u"none"_s : grades_[index];
}

void CatalogueBrowser::fillCategories() {
    ui_.categories.clearEntries();
    Catalogue* catalogue = workspace_.catalogue();
    categories_ = catalogue ? catalogue->categories() : std::vector<CodeName>();
    std::vector<Combo::Entry> entries;
    for (const CodeName& category : categories_)
        entries.push_back({category.code + u'|' + category.name});
    ui_.categories.addEntries(std::move(entries));
    if (ui_.categories.entryCount() > 0)
        ui_.categories.setText(ui_.categories.entryText(0));
}

void CatalogueBrowser::listItemTypes() {
    ui_.types.clearEntries();
    types_.clear();
    ui_.status.setPanelText(1, tr("正在查询物品种类..."));
    const CodeName* category = chosen(ui_.categories, categories_);
    Catalogue* catalogue = workspace_.catalogue();
    if (!category || !catalogue)
        return;
    std::optional<std::vector<CodeName>> types = catalogue->itemTypes(category->code);
    if (!types) {
        ui_.dialogs.message(tr("有未定义的项存在,请于开发者联系"));
        return;
    }
    types_ = std::move(*types);
    types_.push_back({u"all"_s, tr("全部")});
    std::vector<Combo::Entry> entries;
    for (const CodeName& type : types_)
        entries.push_back({type.code + u'|' + type.name});
    ui_.types.addEntries(std::move(entries));
    ui_.status.setPanelText(1, tr("查询物品种类完毕"));
    ui_.types.setText(ui_.types.entryText(ui_.types.entryCount() - 1));
}

void CatalogueBrowser::listItemGrades() {
    ui_.grades.clearEntries();
    grades_.clear();
    ui_.status.setPanelText(1, tr("正在查询物品级别..."));
    const CodeName* type = chosen(ui_.types, types_);
    const CodeName* category = chosen(ui_.categories, categories_);
    Catalogue* catalogue = workspace_.catalogue();
    if (!type || !category || !catalogue)
        return;
    grades_ = catalogue->itemGrades(category->code, type->code);
    std::vector<Combo::Entry> entries;
    for (const QString& grade : std::as_const(grades_))
        entries.push_back({grade == u"n" ? tr("无级别") : tr("%1级物品").arg(grade.toUpper())});
    ui_.grades.addEntries(std::move(entries));
    ui_.status.setPanelText(1, tr("查询物品级别完毕"));
    if (ui_.grades.entryCount() > 0)
        ui_.grades.setText(ui_.grades.entryText(0));
}

void CatalogueBrowser::initItemGrid() {
    ui_.itemGrid.clearTexts();
    const std::array<QString, ItemColumnCount> headers = itemHeaders();
    for (int c = 0; c < ItemColumnCount; ++c)
        ui_.itemGrid.setText(0, c, headers[static_cast<size_t>(c)]);
}

void CatalogueBrowser::search(const QString& text) {
    searchPause_->stop();
    if (ui_.search.text() != text)
        ui_.search.setText(text);
    searchText_ = text.split(u' ', Qt::SkipEmptyParts).join(u' ');
    showItems();
}

void CatalogueBrowser::showItems() {
    const QStringList words = searchText_.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        fillItemGrid();
    else
        searchItems(words);
}

void CatalogueBrowser::fillItemGrid() {
    const CodeName* type = chosen(ui_.types, types_);
    const CodeName* category = chosen(ui_.categories, categories_);
    const std::optional<QString> grade = chosenGrade();
    Catalogue* catalogue = workspace_.catalogue();
    // A grade left over from an unknown category has no type to go with it.
    if (!grade || !type || !category || !catalogue)
        return;
    ui_.status.setPanelText(2, {});
    ui_.status.setPanelText(1, tr("正在查询本级别物品..."));
    const std::vector<ItemRow> rows = catalogue->items(category->code, type->code, *grade);
    fillGrid(rows, false);
    ui_.status.setPanelText(1, tr("查询物品信息完毕"));
    ui_.status.setPanelText(2,
                            tr("当前物品[%1]/%2共%n项", nullptr, static_cast<int>(rows.size()))
                                .arg(shownGrade(*grade), QString::number(ui_.grades.entryCount())));
}

void CatalogueBrowser::searchItems(const QStringList& words) {
    Catalogue* catalogue = workspace_.catalogue();
    if (!catalogue)
        return;
    // Within what the filters show, unless the whole catalogue is asked for.
    sql::SearchScope scope;
    QStringList within;
    const CodeName* category = chosen(ui_.categories, categories_);
    if (category && !ui_.wholeCatalogue.isChecked()) {
        scope.category = category->code;
        within.append(category->name);
        if (const CodeName* type = chosen(ui_.types, types_)) {
            scope.type = type->code;
            within.append(type->name);
        }
        if (const std::optional<QString> grade = chosenGrade()) {
            scope.grade = *grade;
            within.append(ui_.grades.entryText(ui_.grades.chosenIndex()));
        }
    }
    ui_.status.setPanelText(2, {});
    ui_.status.setPanelText(1, tr("正在搜索物品..."));
    const std::vector<ItemRow> rows = catalogue->searchItems(scope, words);
    fillGrid(rows, true);
    const QString wanted = words.join(u' ');
    ui_.status.setPanelText(1, tr("查询物品信息完毕"));
    const QString found =
        rows.empty() ? tr("搜索“%1”没有找到物品").arg(wanted)
                     : tr("搜索“%1”共%n项", nullptr, static_cast<int>(rows.size())).arg(wanted);
    ui_.status.setPanelText(2, within.isEmpty() ? found
                                                : tr("在“%1”中%2").arg(within.join(u'/'), found));
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

void CatalogueBrowser::fillGrid(const std::vector<ItemRow>& rows, bool searched) {
    Grid& grid = ui_.itemGrid;
    const std::array<QString, ItemColumnCount> headers = itemHeaders();
    std::array<int, ItemColumnCount> bytes{};
    Grid::Batch batch(grid);
    initItemGrid();
    shownIds_.clear();
    for (size_t c = 0; c < bytes.size(); ++c)
        bytes[c] = ansiByteLength(headers[c]);
    // The rows of an earlier, longer result are cut off by the first item; a search that found
    // nothing shows so, with no blank rows left to pick.
    if (searched || !rows.empty())
        grid.setRows(static_cast<int>(rows.size()) + 1);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < bytes.size(); ++c) {
            const QString text =
                c == static_cast<size_t>(ItemColumn::Grade) ? shownGrade(rows[r][c]) : rows[r][c];
            bytes[c] = std::max(bytes[c], ansiByteLength(text));
            grid.setText(static_cast<int>(r) + 1, static_cast<int>(c), text);
        }
        shownIds_.push_back(rows[r][static_cast<size_t>(ItemColumn::Id)]);
    }
    for (size_t c = 0; c < bytes.size(); ++c)
        grid.setColumnWidthPixels(static_cast<int>(c), (bytes[c] + 1) * charWidth_);
}

} // namespace vw
