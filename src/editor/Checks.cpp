#include "Checks.h"

#include "catalogue/Lookups.h"

#include <QHash>

#include <algorithm>

namespace vw {

namespace {

// Items keep the script format's line counter: the line's number plus one.
int lineOf(const ItemSlot& item) {
    return std::max(item.line - 1, 0);
}

void checkItems(const std::vector<ShopRecord>& records, CatalogueLookups* catalogue,
                std::vector<Finding>& findings) {
    for (size_t r = 0; r < records.size(); ++r) {
        const ShopRecord& record = records[r];
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            const int length = record.listLength(list);
            QHash<QString, int> firstLine;
            firstLine.reserve(length);
            for (int slot = 0; slot < length; ++slot) {
                const ItemSlot& item = record.slot(list, slot);
                Finding finding{Finding::Kind::UnknownItem,
                                lineOf(item),
                                record.className,
                                static_cast<int>(r),
                                list,
                                slot,
                                item.id};
                if (catalogue && !catalogue->itemKnown(item.id))
                    findings.push_back(finding);
                if (const auto seen = firstLine.constFind(item.id); seen != firstLine.cend()) {
                    finding.kind = Finding::Kind::RepeatedItem;
                    finding.firstLine = *seen;
                    findings.push_back(finding);
                } else {
                    firstLine.insert(item.id, finding.line);
                }
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
