// Random edit files on records whose lists repeat IDs, as a damaged script can hold them: the
// session does what a plain list that takes the first item with the named ID does, tells the
// same, and the edit file that diff computes of the result gives the result back.

#include "../support/Printers.h"
#include "../support/SplitMix.h"
#include "editor/EditSession.h"
#include "editor/ListDiff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using vw::ItemSlot;
using vw::ShopRecord;
using vw::edits::EditCommand;
using Kind = EditCommand::Kind;
using Reason = vw::edits::EditProblem::Reason;
namespace edits = vw::edits;

namespace {

using Rng = vw::test::SplitMix;
using Records = std::vector<ShopRecord>;
using Items = std::vector<ItemSlot>;

const QStringList Ids = {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"z"_s};
const QStringList Classes = {u"m"_s, u"m"_s, u"n"_s};
const QStringList Template = {u"0"_s};

Items itemsOf(const ShopRecord& record, int list) {
    Items items;
    for (int i = 0; i < record.listLength(list); ++i)
        items.push_back(record.slot(list, i));
    return items;
}

// The items as text; the line texts count only where the same items are compared.
QStringList shown(const Items& items, bool lines = false) {
    QStringList texts;
    for (const ItemSlot& item : items)
        texts << (QStringList{item.id, item.taxRate} + item.extraParts).join(u'|') +
                     (lines ? u'@' + QString::number(item.line) : QString());
    return texts;
}

// Lists of up to six items drawn from few IDs, so most repeat one; a list without items has no
// place in the script.
Records records(Rng& rng) {
    Records result;
    for (int r = 0, count = 1 + rng.below(3); r < count; ++r) {
        ShopRecord record;
        record.className = Classes[r];
        record.templateExtraParts = Template;
        for (int list = 0; list < 2; ++list) {
            Items items;
            for (int n = rng.below(7); n > 0; --n)
                items.push_back({rng.pick(Ids.first(4)), rng.pick({u"1"_s, u"2"_s}), 10 + n,
                                 rng.percent(80) ? Template : QStringList{u"9"_s}});
            record.startLine[list] = items.empty() ? 0 : 10;
            record.setItems(list, std::move(items));
        }
        result.push_back(std::move(record));
    }
    return result;
}

EditCommand command(Rng& rng) {
    EditCommand c;
    // Every kind but location, which needs a catalogue; bottom twice.
    c.kind = static_cast<Kind>(rng.below(16));
    if (c.kind == Kind::Location)
        c.kind = Kind::Bottom;
    c.name = rng.pick({u"m"_s, u"m"_s, u"m"_s, u"n"_s, u"x"_s});
    c.number = c.kind == Kind::List ? rng.below(2) : 1 + rng.below(2) + rng.below(2);
    c.id = rng.pick(Ids);
    c.taxRate = rng.pick({u"1"_s, u"5"_s});
    if ((c.kind == Kind::Add || c.kind == Kind::Insert || c.kind == Kind::Tax) && rng.percent(30))
        c.extraParts = QStringList{u"7"_s};
    // An insert, move or replace that names one item twice is no command.
    do
        c.other = rng.pick(Ids + QStringList{u"y"_s});
    while (c.other == c.id);
    return c;
}

QString problemText(int line, Reason reason, int record, int list) {
    return u"%1: %2 %3.%4"_s.arg(line).arg(static_cast<int>(reason)).arg(record).arg(list);
}

// A list as a vector, each command taking the first item with its ID.
class Model {
public:
    explicit Model(const Records& records) {
        for (const ShopRecord& record : records) {
            classes_.push_back(record.className);
            places_.push_back({record.startLine[0] > 0, record.startLine[1] > 0});
            template_.push_back(record.templateExtraParts);
            lists_.push_back({itemsOf(record, 0), itemsOf(record, 1)});
        }
    }

    void apply(const EditCommand& c) {
        switch (c.kind) {
        case Kind::Npc:
        case Kind::Record: {
            std::vector<int> all;
            for (int r = 0; r < static_cast<int>(classes_.size()); ++r) {
                if (classes_[static_cast<size_t>(r)] == c.name)
                    all.push_back(r);
            }
            selected_ = all;
            if (c.kind == Kind::Record)
                selected_ = c.number <= static_cast<int>(all.size())
                                ? std::vector<int>{all[static_cast<size_t>(c.number - 1)]}
                                : std::vector<int>{};
            if (all.empty())
                tell(skipped, c, Reason::NoSuchClass, -1, -1);
            else if (selected_.empty())
                tell(skipped, c, Reason::NoSuchRecord, -1, -1);
            return;
        }
        case Kind::List:
            list_ = c.number;
            return;
        case Kind::RemoveEverywhere:
        case Kind::ReplaceEverywhere:
            return everywhere(c);
        default:
            if (selected_.empty())
                tell(skipped, c, Reason::NoNpcSelected, -1, -1);
            else if (!list_)
                tell(skipped, c, Reason::NoListSelected, -1, -1);
            else
                for (const int r : selected_)
                    edit(c, r, *list_);
        }
    }

    Items items(int r, int list) const { return lists_[static_cast<size_t>(r)][list]; }

    QStringList skipped;
    QStringList notes;
    std::map<std::pair<int, int>, edits::ListChange> changed;

private:
    static std::optional<size_t> first(const Items& items, const QString& id) {
        const auto found = std::find_if(items.begin(), items.end(),
                                        [&](const ItemSlot& item) { return item.id == id; });
        return found == items.end() ? std::nullopt
                                    : std::optional(static_cast<size_t>(found - items.begin()));
    }

    static void tell(QStringList& to, const EditCommand& c, Reason reason, int r, int list) {
        to << problemText(c.line, reason, r, list);
    }

    void edit(const EditCommand& c, int r, int list) {
        Items& items = lists_[static_cast<size_t>(r)][list];
        const auto change = [&]() -> edits::ListChange& { return changed[{r, list}]; };
        if (!places_[static_cast<size_t>(r)][list])
            return tell(skipped, c, Reason::NoSuchList, r, list);
        const std::optional<size_t> at = first(items, c.id);
        if (c.kind == Kind::Add || c.kind == Kind::Insert) {
            if (at)
                return tell(skipped, c, Reason::AlreadyInList, r, list);
            std::optional<size_t> before =
                c.kind == Kind::Insert ? first(items, c.other) : std::nullopt;
            if (c.kind == Kind::Insert && !before)
                tell(notes, c, Reason::AnchorMissing, r, list);
            items.insert(
                items.begin() + static_cast<qsizetype>(before.value_or(items.size())),
                {c.id, c.taxRate, 0, c.extraParts.value_or(template_[static_cast<size_t>(r)])});
            change().added << c.id;
            return;
        }
        if (!at)
            return tell(skipped, c, Reason::NotInList, r, list);
        const auto i = static_cast<qsizetype>(*at);
        switch (c.kind) {
        case Kind::Remove:
            items.erase(items.begin() + i);
            change().removed << c.id;
            return;
        case Kind::Up:
        case Kind::Down:
        case Kind::Top:
        case Kind::Bottom:
        case Kind::Move: {
            if (c.kind == Kind::Move && !first(items, c.other))
                return tell(notes, c, Reason::AnchorMissing, r, list);
            const Items was = items;
            const ItemSlot item = items[static_cast<size_t>(i)];
            items.erase(items.begin() + i);
            const auto n = static_cast<qsizetype>(items.size());
            const qsizetype to = c.kind == Kind::Up     ? std::max<qsizetype>(i - 1, 0)
                                 : c.kind == Kind::Down ? std::min(i + 1, n)
                                 : c.kind == Kind::Top  ? 0
                                 : c.kind == Kind::Bottom
                                     ? n
                                     : static_cast<qsizetype>(*first(items, c.other));
            items.insert(items.begin() + to, item);
            // Top and bottom always count.
            if (items != was || c.kind == Kind::Top || c.kind == Kind::Bottom)
                ++change().moved;
            return;
        }
        case Kind::Tax: {
            ItemSlot& item = items[static_cast<size_t>(i)];
            const QStringList extra = c.extraParts.value_or(item.extraParts);
            if (item.taxRate == c.taxRate && item.extraParts == extra)
                return;
            item.taxRate = c.taxRate;
            item.extraParts = extra;
            ++change().retaxed;
            return;
        }
        default: // replace
            if (first(items, c.other))
                return tell(skipped, c, Reason::AlreadyInList, r, list);
            items[static_cast<size_t>(i)].id = c.other;
            change().removed << c.id;
            change().added << c.other;
        }
    }

    void everywhere(const EditCommand& c) {
        bool found = false;
        for (int r = 0; r < static_cast<int>(lists_.size()); ++r) {
            for (int list = 0; list < 2; ++list) {
                Items& items = lists_[static_cast<size_t>(r)][list];
                const std::optional<size_t> at = first(items, c.id);
                if (!at)
                    continue;
                found = true;
                if (c.kind == Kind::ReplaceEverywhere && first(items, c.other)) {
                    tell(notes, c, Reason::ReplacementPresent, r, list);
                    continue;
                }
                changed[{r, list}].removed << c.id;
                if (c.kind == Kind::RemoveEverywhere) {
                    items.erase(items.begin() + static_cast<qsizetype>(*at));
                } else {
                    items[*at].id = c.other;
                    changed[{r, list}].added << c.other;
                }
            }
        }
        if (!found)
            tell(skipped, c, Reason::NowhereInScript, -1, -1);
    }

    std::vector<QString> classes_;
    std::vector<std::array<bool, 2>> places_;
    std::vector<QStringList> template_;
    std::vector<std::array<Items, 2>> lists_;
    std::vector<int> selected_;
    std::optional<int> list_;
};

QStringList told(const std::vector<edits::EditProblem>& problems) {
    QStringList texts;
    for (const edits::EditProblem& p : problems)
        texts << problemText(p.line, p.reason, p.record, p.list);
    return texts;
}

QStringList reported(const std::map<std::pair<int, int>, edits::ListChange>& changes) {
    QStringList texts;
    for (const auto& [key, c] : changes)
        texts << u"%1.%2 +%3 -%4 moved %5 taxed %6"_s.arg(key.first)
                     .arg(key.second)
                     .arg(c.added.join(u','), c.removed.join(u','))
                     .arg(c.moved)
                     .arg(c.retaxed);
    return texts;
}

} // namespace

TEST(EditSequenceProperty, CommandsTakeTheFirstItemAndDiffGivesTheListsBack) {
    for (quint64 seed = 0; seed < 400 && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        Rng rng{seed};
        const Records old = records(rng);
        std::vector<EditCommand> commands(2);
        commands[0].name = old.front().className;
        commands[1].kind = Kind::List;
        commands[1].number = rng.below(2);
        for (int n = 4 + rng.below(12); n > 0; --n)
            commands.push_back(command(rng));
        Model model(old);
        for (size_t i = 0; i < commands.size(); ++i) {
            commands[i].line = static_cast<int>(i) + 1;
            model.apply(commands[i]);
        }
        const QString text = edits::writeEditFile(commands);
        Records edited = old;
        const edits::EditRun run = edits::applyEditFile(text, edited, edits::OnProblem::KeepGoing);
        for (int r = 0; r < static_cast<int>(old.size()); ++r) {
            for (int list = 0; list < 2; ++list)
                EXPECT_EQ(shown(itemsOf(edited[static_cast<size_t>(r)], list), true),
                          shown(model.items(r, list), true))
                    << text.toStdString();
        }
        EXPECT_EQ(told(run.skipped), model.skipped) << text.toStdString();
        EXPECT_EQ(told(run.notes), model.notes) << text.toStdString();
        EXPECT_EQ(reported(run.changes), reported(model.changed)) << text.toStdString();

        // The diff names every item it means, and applied to the old records gives the new.
        const std::vector<EditCommand> diff = edits::editCommands(old, edited);
        std::vector<vw::ListRef> lists;
        for (int r = 0; r < static_cast<int>(old.size()); ++r)
            lists.insert(lists.end(), {{r, 0}, {r, 1}});
        EXPECT_EQ(edits::editCommands(old, edited, lists), diff);
        for (const EditCommand& c : diff)
            EXPECT_TRUE(c.kind <= Kind::List || !c.id.isEmpty()) << text.toStdString();
        const QString again = edits::writeEditFile(diff);
        Records replayed = old;
        const edits::EditRun back =
            edits::applyEditFile(again, replayed, edits::OnProblem::KeepGoing);
        EXPECT_TRUE(back.skipped.empty()) << again.toStdString();
        for (size_t r = 0; r < old.size(); ++r) {
            for (int list = 0; list < 2; ++list)
                EXPECT_EQ(shown(itemsOf(replayed[r], list)), shown(itemsOf(edited[r], list)))
                    << text.toStdString() << "diff:\n"
                    << again.toStdString();
        }
    }
}
