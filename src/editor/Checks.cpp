#include "Checks.h"

#include "catalogue/Lookups.h"
#include "editor/ListEdits.h"

#include <QHash>

#include <algorithm>

namespace vw {

namespace {

// Items keep the script format's line counter: the line's number plus one.
int lineOf(const ItemSlot& item) {
    return std::max(item.line - 1, 0);
}

// What the item checks remember of one ID across the whole script, so the catalogue is asked
// once per ID and each item costs one look-up.
struct SeenId {
    bool asked = false;
    bool known = true;
    int list = -1; // the last list it stood in, counted over all records
    int firstSlot = 0;
};

// The number an ID spells when it is a whole number in plain decimal form (no sign, no leading
// zero, at most 18 digits), else -1. Nearly every ID is one; keyed by that number, a look-up
// compares no text and reads no string but the item's own, which keeps the check off the memory
// of the whole script.
qint64 plainNumber(QStringView id) {
    if (id.isEmpty() || id.size() > 18 || (id[0] == u'0' && id.size() > 1))
        return -1;
    qint64 number = 0;
    for (const QChar c : id) {
        if (c < u'0' || c > u'9')
            return -1;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}

void checkItems(const std::vector<ShopRecord>& records, CatalogueLookups* catalogue,
                std::vector<Finding>& findings) {
    QHash<qint64, SeenId> byNumber;
    // Keys are views of the records' own IDs, which outlive the check.
    QHash<QStringView, SeenId> byText;
    // Neighbours mostly share one string for their tax rate (the reader gives them one), so a
    // rate found good is not looked at again while the next items share it.
    QStringView goodRate;
    int listSerial = 0;
    for (size_t r = 0; r < records.size(); ++r) {
        const ShopRecord& record = records[r];
        for (int list = 0; list < ShopRecord::ListCount; ++list, ++listSerial) {
            // A list ends at its first empty slot; one pass finds the end and checks the items.
            for (int slot = 0; slot <= record.upperBound(); ++slot) {
                const ItemSlot& item = record.slot(list, slot);
                if (item.id.isEmpty())
                    break;
                const qint64 number = plainNumber(item.id);
                SeenId* const entry = number >= 0 ? &byNumber[number] : &byText[item.id];
                if (!entry->asked) {
                    entry->asked = true;
                    entry->known = !catalogue || catalogue->itemKnown(item.id);
                }
                const bool repeated = entry->list == listSerial;
                if (!repeated) {
                    entry->list = listSerial;
                    entry->firstSlot = slot;
                }
                const bool sharesGoodRate = item.taxRate.constData() == goodRate.data() &&
                                            item.taxRate.size() == goodRate.size();
                const bool badRate = !sharesGoodRate && edits::taxRateProblem(item.taxRate) !=
                                                            edits::TaxRateProblem::None;
                if (!badRate)
                    goodRate = item.taxRate;
                if (entry->known && !repeated && !badRate)
                    continue;
                const auto add = [&](Finding::Kind kind) -> Finding& {
                    Finding& finding = findings.emplace_back();
                    finding.kind = kind;
                    finding.line = lineOf(item);
                    finding.className = record.className;
                    finding.record = static_cast<int>(r);
                    finding.list = list;
                    finding.slot = slot;
                    finding.itemId = item.id;
                    return finding;
                };
                if (!entry->known)
                    add(Finding::Kind::UnknownItem);
                if (repeated)
                    add(Finding::Kind::RepeatedItem).firstLine =
                        lineOf(record.slot(list, entry->firstSlot));
                if (badRate)
                    add(Finding::Kind::TaxRateNotANumber).taxRate = item.taxRate;
            }
        }
    }
}

} // namespace

std::vector<Finding> checkScript(const std::vector<ShopRecord>& records, const ReadReport& report,
                                 CatalogueLookups* catalogue) {
    std::vector<Finding> findings;
    checkItems(records, catalogue, findings);

    const auto recordAt = [&](int classLine) {
        const auto& lines = report.recordClassLines;
        const auto found = std::find(lines.begin(), lines.end(), classLine);
        return found == lines.end() ? -1 : static_cast<int>(found - lines.begin());
    };
    const auto add = [&](Finding::Kind kind, int line, const QString& className, int classLine,
                         int list) {
        Finding& finding = findings.emplace_back();
        finding.kind = kind;
        finding.line = line;
        finding.className = className;
        finding.record = recordAt(classLine);
        finding.list = list;
        return &finding;
    };
    for (const auto& m : report.malformed)
        add(Finding::Kind::MalformedItemLine, m.line, m.className, m.classLine, m.list)->reason =
            m.reason;
    for (const auto& r : report.repeated)
        add(Finding::Kind::ListOpenedTwice, r.line, r.className, r.classLine, r.list);
    for (const auto& u : report.unclosed)
        add(Finding::Kind::UnclosedList, u.line, u.className, u.classLine, u.list);

    if (catalogue) {
        const QSet<QString> placed = catalogue->placedNpcs();
        for (size_t r = 0; r < records.size() && r < report.recordClassLines.size(); ++r) {
            if (!placed.contains(records[r].className)) {
                const int classLine = report.recordClassLines[r];
                add(Finding::Kind::PlacedInNoTown, classLine, records[r].className, classLine, -1);
            }
        }
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

} // namespace vw
