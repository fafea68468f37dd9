#include "ChangesView.h"

#include "EditTexts.h"
#include "ListSelectors.h"
#include "controls/Dialogs.h"
#include "controls/ResultsPanel.h"
#include "controls/StatusPanels.h"
#include "editor/EditFile.h"
#include "workspace/Workspace.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

const QString EditFileFilter = u"修改文件(*.txt)|*.txt|所有文件(*.*)|*.*"_s;

QString rowText(int position) {
    return u"第"_s + QString::number(position + 1) + u"行"_s;
}

// Why a line of an imported edit file did not apply, as the window says it.
QString problemText(const edits::EditProblem& problem, const ScriptDocument& document) {
    using Reason = edits::EditProblem::Reason;
    const ShopRecord* record = document.record(problem.record);
    const QString list = record ? record->className + u' ' + listLabel(problem.list) : QString();
    switch (problem.reason) {
    case Reason::UnknownCommand:
        return u"未知的命令“"_s + problem.text + u"”"_s;
    case Reason::WrongForm:
    case Reason::BadListNumber:
    case Reason::BadRecordNumber:
    case Reason::UnclosedQuote:
    case Reason::BadEscape:
    case Reason::TextAfterQuote:
        return u"命令格式错误"_s;
    case Reason::IdBreaksLine:
        return invalidIdText();
    case Reason::BadTaxRate:
        return taxRateProblemText(problem.taxRate);
    case Reason::ExtraBreaksLine:
        return u"附加部分含有“{”、“}”、“;”或换行"_s;
    case Reason::SameItem:
        return u"同一物品不能相对于自身移动或替换"_s;
    case Reason::NoNpcSelected:
        return u"没有选定NPC"_s;
    case Reason::NoListSelected:
        return u"没有选定列表"_s;
    case Reason::NoSuchClass:
    case Reason::NoSuchRecord:
        return u"AI文件中没有NPC“"_s + problem.text + u"”的出售列表"_s;
    case Reason::NoCatalogue:
        return u"没有物品数据库，无法按地点选择NPC"_s;
    case Reason::NobodyAtLocation:
        return u"地点“"_s + problem.text + u"”没有带出售列表的NPC"_s;
    case Reason::NoSuchList:
        return list + u" 在AI文件中没有物品行"_s;
    case Reason::AlreadyInList:
        return list + u" 已有物品 "_s + problem.text;
    case Reason::NotInList:
        return list + u" 没有物品 "_s + problem.text;
    case Reason::NowhereInScript:
        return u"没有列表出售物品 "_s + problem.text;
    case Reason::AnchorMissing:
        return list + u" 没有物品 "_s + problem.text;
    case Reason::ReplacementPresent:
        return list + u" 已有物品 "_s + problem.text;
    }
    return {};
}

} // namespace

ChangesView::ChangesView(Workspace& workspace, ListSelectors& selectors, Controls controls)
    : workspace_(workspace), document_(workspace.document()), selectors_(selectors), ui_(controls) {
    connect(&ui_.preview, &ResultsPanel::resultChosen, this, &ChangesView::goToChange);
    connect(&document_, &ScriptDocument::changed, this, [this] {
        if (ui_.preview.isShown())
            fillPreview();
    });
}

QString ChangesView::npcName(const QString& className) {
    Catalogue* catalogue = workspace_.catalogue();
    return catalogue ? catalogue->npcChineseName(className).value_or(QString()) : QString();
}

QString ChangesView::itemName(const QString& id) {
    Catalogue* catalogue = workspace_.catalogue();
    const std::optional<ItemNames> names = catalogue ? catalogue->itemNames(id) : std::nullopt;
    return names ? names->chinese : unknownItemText();
}

void ChangesView::showPreview() {
    if (!document_.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return;
    }
    fillPreview();
}

void ChangesView::fillPreview() {
    std::vector<QStringList> rows;
    targets_.clear();
    const std::vector<edits::ListDiff> diffs = document_.changesSinceRead();
    for (const edits::ListDiff& diff : diffs) {
        const ShopRecord& record = document_.records()[static_cast<size_t>(diff.record)];
        const QString npc = npcName(record.className);
        const QString list = listLabel(diff.list);
        const auto add = [&](const QString& sign, const QString& id, int slot,
                             const QString& detail) {
            rows.push_back({sign, record.className, npc, list, id, itemName(id), detail});
            targets_.push_back({diff.record, diff.list, slot});
        };
        for (const auto& added : diff.added)
            add(u"+"_s, added.item.id, added.position, u"税率 "_s + added.item.taxRate);
        for (const auto& removed : diff.removed)
            add(u"−"_s, removed.item.id, removed.position, u"原"_s + rowText(removed.position));
        for (const auto& moved : diff.moved)
            add(u"↕"_s, moved.id, moved.to, rowText(moved.from) + u" → "_s + rowText(moved.to));
        for (const auto& changed : diff.changed) {
            const QString detail = changed.taxBefore != changed.taxAfter
                                       ? changed.taxBefore + u" → "_s + changed.taxAfter
                                       : changed.extraBefore.join(u"; "_s) + u" → "_s +
                                             changed.extraAfter.join(u"; "_s);
            add(u"税率"_s, changed.id, changed.position, detail);
        }
    }
    ui_.preview.setResults(rows);
    ui_.preview.setTitle(u"查看修改（"_s + QString::number(diffs.size()) + u"个列表）"_s);
    ui_.status.setPanelText(1, u"共有"_s + QString::number(diffs.size()) + u"个列表已修改"_s);
}

void ChangesView::goToChange(int index) {
    if (index < 0 || static_cast<size_t>(index) >= targets_.size())
        return;
    const Target& target = targets_[static_cast<size_t>(index)];
    const ShopRecord* record = document_.record(target.record);
    if (!record)
        return;
    const int last = std::max(record->listLength(target.list) - 1, 0);
    selectors_.showList(target.record, target.list, {std::min(target.slot, last)});
}

QString ChangesView::folder() const {
    return QFileInfo(document_.source().path).absolutePath();
}

void ChangesView::exportEdits() {
    if (!document_.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return;
    }
    const std::vector<edits::ListDiff> diffs = document_.changesSinceRead();
    if (diffs.empty()) {
        ui_.status.setPanelText(1, u"没有需要导出的修改"_s);
        return;
    }
    const QString path = ui_.dialogs.chooseFile(
        {FileRequest::Mode::Save, u"导出修改"_s, EditFileFilter, folder(),
         QFileInfo(document_.source().path).completeBaseName() + u".edits.txt"_s});
    if (path.isEmpty())
        return;
    const QString text =
        document_.editsSinceRead([this](const QString& className) { return npcName(className); });
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        ui_.dialogs.message(u"写出修改文件时发生错误："_s + file.errorString());
        return;
    }
    ui_.status.setPanelText(1, u"已导出"_s + QString::number(diffs.size()) + u"个列表的修改"_s);
}

void ChangesView::importEdits() {
    if (!document_.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return;
    }
    const QString path = ui_.dialogs.chooseFile(
        {FileRequest::Mode::Open, u"导入修改"_s, EditFileFilter, folder(), {}});
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        ui_.dialogs.message(u"无法读取修改文件："_s + path);
        return;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (file.error() != QFileDevice::NoError || utf8.hasError()) {
        ui_.dialogs.message(u"修改文件不是UTF-8编码的文本："_s + path);
        return;
    }
    Catalogue* catalogue = workspace_.catalogue();
    edits::PlacedAt placedAt;
    if (catalogue)
        placedAt = [catalogue](const QString& location) {
            return catalogue->lookups().npcsAt(location);
        };
    const ScriptDocument::Imported imported = document_.importEdits(text, placedAt);
    std::vector<QStringList> rows;
    for (const edits::EditProblem& problem : imported.skipped)
        rows.push_back({QString::number(problem.line), problemText(problem, document_)});
    if (rows.empty())
        ui_.importProblems.clear();
    else
        ui_.importProblems.setResults(rows);
    ui_.status.setPanelText(1, u"已导入修改："_s + QString::number(imported.lists) +
                                   u"个列表，跳过"_s + QString::number(imported.skipped.size()) +
                                   u"处"_s);
}

} // namespace vw
