#include "EditMessages.h"

#include "Echo.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

namespace {

using Kind = edits::EditCommand::Kind;
using Reason = edits::EditProblem::Reason;

QString form(Kind kind) {
    switch (kind) {
    case Kind::Npc:
        return u"npc CLASS"_s;
    case Kind::Record:
        return u"record N CLASS"_s;
    case Kind::Location:
        return u"location NAME"_s;
    case Kind::List:
        return u"list 0|1"_s;
    case Kind::Add:
        return u"add ID TAX [with EXTRA...]"_s;
    case Kind::Insert:
        return u"insert ID TAX [with EXTRA...] before ID"_s;
    case Kind::Remove:
        return u"remove ID"_s;
    case Kind::Up:
        return u"up ID"_s;
    case Kind::Down:
        return u"down ID"_s;
    case Kind::Top:
        return u"top ID"_s;
    case Kind::Bottom:
        return u"bottom ID"_s;
    case Kind::Move:
        return u"move ID before ID"_s;
    case Kind::Tax:
        return u"tax ID TAX [with EXTRA...]"_s;
    case Kind::Replace:
        return u"replace ID NEW"_s;
    case Kind::RemoveEverywhere:
        return u"remove-everywhere ID"_s;
    case Kind::ReplaceEverywhere:
        return u"replace-everywhere ID NEW"_s;
    }
    return {};
}

const QString BreaksLine = u" holds \"{\", \"}\", \";\", a NUL or a line break"_s;

QString taxRateText(const edits::EditProblem& problem) {
    const QString rate = u"the tax rate "_s + echoed(problem.text);
    switch (problem.taxRate) {
    case edits::TaxRateProblem::Empty:
        return u"the tax rate is empty"_s;
    case edits::TaxRateProblem::BreaksLine:
        return rate + BreaksLine;
    default:
        return rate + u" is not a non-negative decimal number"_s;
    }
}

} // namespace

QString describeProblem(const edits::EditProblem& problem, const std::vector<ShopRecord>& records) {
    const QString text = echoed(problem.text);
    const QString className = problem.record < 0
                                  ? QString()
                                  : echoed(records[static_cast<size_t>(problem.record)].className);
    const QString list = u"SellList"_s + QString::number(problem.list);
    const QString listName = className + u' ' + list;
    switch (problem.reason) {
    case Reason::UnknownCommand:
        return u"unknown command \""_s + text + u'"';
    case Reason::WrongForm:
        return u"expected \""_s + form(problem.command) + u'"';
    case Reason::BadListNumber:
        return u"the list must be 0 or 1, not "_s + text;
    case Reason::BadRecordNumber:
        return u"the record must be a number from 1, not "_s + text;
    case Reason::UnclosedQuote:
        return u"a quoted word has no closing quote"_s;
    case Reason::BadEscape:
        return u"unknown escape "_s + text + u" in a quoted word (known: \\\" \\\\ \\t \\u{HEX})"_s;
    case Reason::TextAfterQuote:
        return u"a closing quote must end its word"_s;
    case Reason::IdBreaksLine:
        return problem.text.isEmpty() ? u"the item ID is empty"_s
                                      : u"the item ID "_s + text + BreaksLine;
    case Reason::BadTaxRate:
        return taxRateText(problem);
    case Reason::ExtraBreaksLine:
        return u"the extra part "_s + text + BreaksLine;
    case Reason::SameItem:
        return u"names item "_s + text + u" twice"_s;
    case Reason::NoNpcSelected:
        return u"no NPC selected: use \"npc\", \"record\" or \"location\" first"_s;
    case Reason::NoListSelected:
        return u"no list selected: use \"list 0\" or \"list 1\" first"_s;
    case Reason::NoSuchClass:
        return u"no NPC class "_s + text + u" with sell lists in the script"_s;
    case Reason::NoSuchRecord:
        return u"NPC class "_s + text + u" stands "_s + QString::number(problem.count) +
               u" times in the script, not "_s + QString::number(problem.number);
    case Reason::NoCatalogue:
        return u"location needs --catalogue"_s;
    case Reason::NobodyAtLocation:
        return u"no NPC class with sell lists in the script is placed at "_s + text;
    case Reason::NoSuchList:
        return className + u" has no "_s + list + u" with items in the script"_s;
    case Reason::AlreadyInList:
        return listName + u" already has item "_s + text;
    case Reason::NotInList:
        return listName + u" has no item "_s + text;
    case Reason::NowhereInScript:
        return u"no list holds item "_s + text;
    case Reason::AnchorMissing:
        return listName + u" has no item "_s + text +
               (problem.command == Kind::Insert ? u": added at the end"_s
                                                : u": the item stays where it is"_s);
    case Reason::ReplacementPresent:
        return listName + u" already has item "_s + text + u": left as it was"_s;
    }
    return {};
}

QStringList describeChanges(const std::vector<ShopRecord>& records,
                            const edits::ListChanges& changes) {
    QStringList lines;
    for (const auto& [key, change] : changes) {
        // Built in place: a long session adds and removes an item millions of times.
        QString line = shown(records[static_cast<size_t>(key.first)].className) + u" SellList"_s +
                       QString::number(key.second) + u':';
        for (const QString& id : change.added)
            line.append(u" +"_s).append(shown(id));
        for (const QString& id : change.removed)
            line.append(u" -"_s).append(shown(id));
        if (change.moved > 0)
            line.append(u" (moved "_s).append(QString::number(change.moved)).append(u')');
        if (change.retaxed > 0)
            line.append(u" (tax rates "_s).append(QString::number(change.retaxed)).append(u')');
        lines.append(line);
    }
    return lines;
}

} // namespace vw::cli
