#include "ListEdits.h"

#include "script/LineSource.h"

#include <algorithm>

namespace vw::edits {

namespace {

bool isItem(const ShopRecord& record, int list, int slot) {
    return list >= 0 && list < ShopRecord::ListCount && slot >= 0 && slot <= record.upperBound() &&
           !record.slot(list, slot).id.isEmpty();
}

bool markModified(ShopRecord& record, int list) {
    record.modified[list] = true;
    return true;
}

} // namespace

bool moveUp(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot) || slot == 0)
        return false;
    std::swap(record.slot(list, slot - 1), record.slot(list, slot));
    return markModified(record, list);
}

bool moveDown(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot) || slot >= record.upperBound() ||
        record.slot(list, slot + 1).id.isEmpty())
        return false;
    std::swap(record.slot(list, slot), record.slot(list, slot + 1));
    return markModified(record, list);
}

bool moveToTop(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot))
        return false;
    ItemSlot held = std::move(record.slot(list, slot));
    for (int i = slot; i > 0; --i)
        record.slot(list, i) = std::move(record.slot(list, i - 1));
    record.slot(list, 0) = std::move(held);
    return markModified(record, list);
}

bool moveToBottom(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot))
        return false;
    ItemSlot held = std::move(record.slot(list, slot));
    int i = slot;
    for (; i < record.upperBound() && !record.slot(list, i + 1).id.isEmpty(); ++i)
        record.slot(list, i) = std::move(record.slot(list, i + 1));
    record.slot(list, i) = std::move(held);
    return markModified(record, list);
}

bool deleteItem(ShopRecord& record, int list, int slot) {
    if (!isItem(record, list, slot))
        return false;
    // Close the gap up to the list's end, then empty the slot that frees.
    int i = slot;
    for (; i < record.upperBound(); ++i) {
        record.slot(list, i) = record.slot(list, i + 1);
        if (record.slot(list, i + 1).id.isEmpty())
            break;
    }
    if (i == record.upperBound())
        record.slot(list, i) = ItemSlot{};
    record.dropSpareSlots();
    return markModified(record, list);
}

bool containsItem(const ShopRecord& record, int list, QStringView id) {
    if (list < 0 || list >= ShopRecord::ListCount)
        return false;
    for (int j = record.upperBound(); j >= 0; --j) {
        if (record.slot(list, j).id == id)
            return true;
    }
    return false;
}

// A blank ID would be written as an entry the reader does not take for an item.
bool insertItem(ShopRecord& record, int list, int slot, ItemSlot item) {
    if (list < 0 || list >= ShopRecord::ListCount || slot < 0 || trimSpaces(item.id).isEmpty() ||
        taxRateProblem(item.taxRate) != TaxRateProblem::None || containsItem(record, list, item.id))
        return false;
    const int length = record.listLength(list);
    slot = std::min(slot, length);
    record.growTo(record.upperBound() + 1);
    for (int j = length; j > slot; --j)
        record.slot(list, j) = std::move(record.slot(list, j - 1));
    record.slot(list, slot) = std::move(item);
    record.dropSpareSlots();
    return markModified(record, list);
}

bool appendItem(ShopRecord& record, int list, ItemSlot item) {
    if (list < 0 || list >= ShopRecord::ListCount)
        return false;
    return insertItem(record, list, record.listLength(list), std::move(item));
}

ItemSlot newItem(const ShopRecord& record, const QString& id, const QString& taxRate) {
    return {id, taxRate, 0, record.templateExtraParts};
}

namespace {

bool areItems(const ShopRecord& record, int list, std::span<const int> picked) {
    return !picked.empty() && std::is_sorted(picked.begin(), picked.end()) &&
           std::adjacent_find(picked.begin(), picked.end()) == picked.end() &&
           std::all_of(picked.begin(), picked.end(),
                       [&](int slot) { return isItem(record, list, slot); });
}

} // namespace

bool deleteItems(ShopRecord& record, int list, std::span<const int> picked) {
    if (!areItems(record, list, picked))
        return false;
    // From the end, so the slots still to delete keep their places.
    for (auto slot = picked.rbegin(); slot != picked.rend(); ++slot)
        deleteItem(record, list, *slot);
    return true;
}

std::vector<int> moveItemsUp(ShopRecord& record, int list, std::span<const int> picked) {
    if (!areItems(record, list, picked) || picked.front() == 0)
        return {};
    std::vector<int> moved;
    for (const int slot : picked) {
        moveUp(record, list, slot);
        moved.push_back(slot - 1);
    }
    return moved;
}

std::vector<int> moveItemsDown(ShopRecord& record, int list, std::span<const int> picked) {
    if (!areItems(record, list, picked) || !isItem(record, list, picked.back() + 1))
        return {};
    std::vector<int> moved;
    for (auto slot = picked.rbegin(); slot != picked.rend(); ++slot) {
        moveDown(record, list, *slot);
        moved.insert(moved.begin(), *slot + 1);
    }
    return moved;
}

std::vector<int> moveItemsToTop(ShopRecord& record, int list, std::span<const int> picked) {
    if (!areItems(record, list, picked))
        return {};
    // Each slot lies below the ones taken to the top after it, so it has moved down by as many.
    const int count = static_cast<int>(picked.size());
    for (int i = count - 1; i >= 0; --i)
        moveToTop(record, list, picked[static_cast<size_t>(i)] + (count - 1 - i));
    std::vector<int> moved(picked.size());
    for (int i = 0; i < count; ++i)
        moved[static_cast<size_t>(i)] = i;
    return moved;
}

std::vector<int> moveItemsToBottom(ShopRecord& record, int list, std::span<const int> picked) {
    if (!areItems(record, list, picked))
        return {};
    // Each slot lies above the ones taken to the bottom before it, so it has moved up by as many.
    const int count = static_cast<int>(picked.size());
    for (int i = 0; i < count; ++i)
        moveToBottom(record, list, picked[static_cast<size_t>(i)] - i);
    const int length = record.listLength(list);
    std::vector<int> moved(picked.size());
    for (int i = 0; i < count; ++i)
        moved[static_cast<size_t>(i)] = length - count + i;
    return moved;
}

bool fitsItemLine(QStringView field) {
    // Editors and viewers break lines at U+2028, U+2029 and U+0085 too, so a field holding one
    // would show as two lines of the script.
    return std::none_of(field.begin(), field.end(), [](QChar c) {
        return c == u'{' || c == u'}' || c == u';' || c == u'\n' || c == u'\r' || c.isNull() ||
               c == u'\u2028' || c == u'\u2029' || c == u'\u0085';
    });
}

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

TaxRateProblem taxRateProblem(QStringView rate) {
    // An empty rate would be written as "{ID; ; ...}", an entry the server reads without a rate.
    const QStringView text = trimSpaces(rate);
    if (text.isEmpty())
        return TaxRateProblem::Empty;
    if (!fitsItemLine(text))
        return TaxRateProblem::BreaksLine;
    qsizetype whole = 0;
    while (whole < text.size() && isDigit(text[whole]))
        ++whole;
    // Nine digits before the point always fit a 32-bit whole number.
    if (whole == 0 || whole > 9)
        return TaxRateProblem::NotANumber;
    if (whole == text.size())
        return TaxRateProblem::None;
    const QStringView fraction = text.sliced(whole + 1);
    return text[whole] == u'.' && !fraction.isEmpty() &&
                   std::all_of(fraction.begin(), fraction.end(), isDigit)
               ? TaxRateProblem::None
               : TaxRateProblem::NotANumber;
}

bool setTaxRate(ShopRecord& record, int list, std::span<const int> picked, const QString& rate) {
    if (!areItems(record, list, picked) || taxRateProblem(rate) != TaxRateProblem::None ||
        std::all_of(picked.begin(), picked.end(),
                    [&](int slot) { return record.slot(list, slot).taxRate == rate; }))
        return false;
    for (const int slot : picked)
        record.slot(list, slot).taxRate = rate;
    return markModified(record, list);
}

std::vector<int> moveItemsTo(ShopRecord& record, int list, std::span<const int> picked, int slot) {
    if (!areItems(record, list, picked))
        return {};
    const int length = record.listLength(list);
    slot = std::clamp(slot, 0, length);
    // The items before the drop place that are not moved decide where the block begins.
    const int before = static_cast<int>(
        std::count_if(picked.begin(), picked.end(), [slot](int s) { return s < slot; }));
    const int start = slot - before;
    std::vector<ItemSlot> block;
    std::vector<ItemSlot> rest;
    size_t next = 0;
    for (int i = 0; i < length; ++i) {
        const bool moving = next < picked.size() && picked[next] == i;
        (moving ? block : rest).push_back(std::move(record.slot(list, i)));
        next += moving ? 1 : 0;
    }
    rest.insert(rest.begin() + start, std::make_move_iterator(block.begin()),
                std::make_move_iterator(block.end()));
    for (int i = 0; i < length; ++i)
        record.slot(list, i) = std::move(rest[static_cast<size_t>(i)]);
    std::vector<int> moved(picked.size());
    for (size_t i = 0; i < moved.size(); ++i)
        moved[i] = start + static_cast<int>(i);
    if (std::equal(moved.begin(), moved.end(), picked.begin()))
        return {};
    markModified(record, list);
    return moved;
}

} // namespace vw::edits
