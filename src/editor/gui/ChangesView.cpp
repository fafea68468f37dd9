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

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

QString editFileFilter() {
    return ChangesView::tr("修改文件(*.txt)|*.txt|所有文件(*.*)|*.*");
}

QString rowText(int position) {
    return ChangesView::tr("第%1行").arg(position + 1);
}

// Why a line of an imported edit file did not apply, or applied otherwise than written, as the
// window says it.
QString problemText(const edits::EditProblem& problem, const ScriptDocument& document) {
    using Reason = edits::EditProblem::Reason;
    const ShopRecord* record = document.record(problem.record);
    const QString list = record ? record->className + u' ' + listLabel(problem.list) : QString();
    switch (problem.reason) {
    case Reason::UnknownCommand:
        return ChangesView::tr("未知的命令“%1”").arg(problem.text);
    case Reason::WrongForm:
    case Reason::BadListNumber:
    case Reason::BadRecordNumber:
    case Reason::UnclosedQuote:
    case Reason::BadEscape:
    case Reason::TextAfterQuote:
        return ChangesView::tr("命令格式错误");
    case Reason::IdBreaksLine:
        return invalidIdText();
    case Reason::BadTaxRate:
        return taxRateProblemText(problem.taxRate);
    case Reason::ExtraBreaksLine:
        return ChangesView::tr("附加部分含有“{”、“}”、“;”或换行");
    case Reason::SameItem:
        return ChangesView::tr("同一物品不能相对于自身移动或替换");
    case Reason::NoNpcSelected:
        return ChangesView::tr("没有选定NPC");
    case Reason::NoListSelected:
        return ChangesView::tr("没有选定列表");
    case Reason::NoSuchClass:
    case Reason::NoSuchRecord:
        return ChangesView::tr("AI文件中没有NPC“%1”的出售列表").arg(problem.text);
    case Reason::NoCatalogue:
        return ChangesView::tr("没有物品数据库，无法按地点选择NPC");
    case Reason::NobodyAtLocation:
        return ChangesView::tr("地点“%1”没有带出售列表的NPC").arg(problem.text);
    case Reason::NoSuchList:
        return ChangesView::tr("%1 在AI文件中没有物品行").arg(list);
    case Reason::AlreadyInList:
        return ChangesView::tr("%1 已有物品 %2").arg(list, problem.text);
    case Reason::NotInList:
        return ChangesView::tr("%1 没有物品 %2").arg(list, problem.text);
    case Reason::NowhereInScript:
        return ChangesView::tr("没有列表出售物品 %1").arg(problem.text);
    case Reason::AnchorMissing:
        return problem.command == edits::EditCommand::Kind::Insert
                   ? ChangesView::tr("%1 没有物品 %2，已添加到列表末尾").arg(list, problem.text)
                   : ChangesView::tr("%1 没有物品 %2，物品未移动").arg(list, problem.text);
    case Reason::ReplacementPresent:
        return ChangesView::tr("%1 已有物品 %2，保持原样").arg(list, problem.text);
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
            add(u"+"_s, added.item.id, added.position, tr("税率 %1").arg(added.item.taxRate));
        for (const auto& removed : diff.removed)
            add(u"−"_s, removed.item.id, removed.position,
                tr("原%1").arg(rowText(removed.position)));
        for (const auto& moved : diff.moved)
            add(u"↕"_s, moved.id, moved.to,
                tr("%1 → %2").arg(rowText(moved.from), rowText(moved.to)));
        for (const auto& changed : diff.changed) {
            const QString detail = changed.taxBefore != changed.taxAfter
                                       ? changed.taxBefore + u" → "_s + changed.taxAfter
                                       : changed.extraBefore.join(u"; "_s) + u" → "_s +
                                             changed.extraAfter.join(u"; "_s);
            add(tr("税率"), changed.id, changed.position, detail);
        }
    }
    ui_.preview.setResults(rows);
    ui_.preview.setTitle(tr("查看修改（%n个列表）", nullptr, static_cast<int>(diffs.size())));
    ui_.status.setPanelText(1, tr("共有%n个列表已修改", nullptr, static_cast<int>(diffs.size())));
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
        ui_.status.setPanelText(1, tr("没有需要导出的修改"));
        return;
    }
    const QString path = ui_.dialogs.chooseFile(
        {FileRequest::Mode::Save, tr("导出修改"), editFileFilter(), folder(),
         QFileInfo(document_.source().path).completeBaseName() + u".edits.txt"_s});
    if (path.isEmpty())
        return;
    const QString text =
        document_.editsSinceRead([this](const QString& className) { return npcName(className); });
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        ui_.dialogs.message(tr("写出修改文件时发生错误：%1").arg(file.errorString()));
        return;
    }
    ui_.status.setPanelText(1, tr("已导出%n个列表的修改", nullptr, static_cast<int>(diffs.size())));
}

void ChangesView::importEdits() {
    if (!document_.isLoaded()) {
        ui_.dialogs.message(notLoadedText(), MessageIcon::Information);
        return;
    }
    const QString path = ui_.dialogs.chooseFile(
        {FileRequest::Mode::Open, tr("导入修改"), editFileFilter(), folder(), {}});
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        ui_.dialogs.message(tr("无法读取修改文件：%1").arg(path));
        return;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (file.error() != QFileDevice::NoError || utf8.hasError()) {
        ui_.dialogs.message(tr("修改文件不是UTF-8编码的文本：%1").arg(path));
        return;
    }
    Catalogue* catalogue = workspace_.catalogue();
    edits::PlacedAt placedAt;
    if (catalogue)
        placedAt = [catalogue](const QString& location) {
            return catalogue->lookups().npcsAt(location);
        };
    const ScriptDocument::Imported imported = document_.importEdits(text, placedAt);
    // What was left out, and what applied otherwise than written, in the order of the file.
    std::vector<edits::EditProblem> listed = imported.skipped;
    listed.insert(listed.end(), imported.notes.begin(), imported.notes.end());
    std::stable_sort(listed.begin(), listed.end(),
                     [](const auto& a, const auto& b) { return a.line < b.line; });
    std::vector<QStringList> rows;
    for (const edits::EditProblem& problem : listed)
        rows.push_back({QString::number(problem.line), problemText(problem, document_)});
    if (rows.empty())
        ui_.importProblems.clear();
    else
        ui_.importProblems.setResults(rows);
    QString done =
        tr("已导入修改：%n个列表，跳过%1处", nullptr, imported.lists).arg(imported.skipped.size());
    if (!imported.notes.empty())
        done += tr("，%1处未按原样执行").arg(imported.notes.size());
    ui_.status.setPanelText(1, done);
}

} // namespace vw
