#pragma once

#include "ListEdits.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>
#include <span>

namespace vw::edits {

// One command of an edit file, the one written form of edits: the command line applies it, the
// window exports, imports and journals it. The format is described in docs/cli.md.
struct EditCommand {
    enum class Kind {
        Npc,               // npc CLASS
        Record,            // record N CLASS
        Location,          // location NAME
        List,              // list 0|1
        Add,               // add ID TAX [with EXTRA...]
        Insert,            // insert ID TAX [with EXTRA...] before ANCHOR
        Remove,            // remove ID
        Up,                // up ID
        Down,              // down ID
        Top,               // top ID
        Bottom,            // bottom ID
        Move,              // move ID before ANCHOR
        Tax,               // tax ID TAX [with EXTRA...]
        Replace,           // replace ID NEW
        RemoveEverywhere,  // remove-everywhere ID
        ReplaceEverywhere, // replace-everywhere ID NEW
    };
    Kind kind = Kind::Npc;
    int line = 0;    // 1-based line of the edit file; 0 for a command not read from one
    QString name;    // the class or the location
    int number = 0;  // the list (0 or 1), or which record of the class (from 1)
    QString id;      // the item the command is about
    QString taxRate; // add, insert, tax
    QString other;   // the item an insert or move goes before; the new item of a replace
    // The parts after the tax rate, given with "with". Without: a new item takes its record's
    // template, and tax keeps the item's own.
    std::optional<QStringList> extraParts;
    // Written on a line of its own before the command, as "# COMMENT"; reading keeps none.
    QString comment;

    bool operator==(const EditCommand&) const = default;
};

// Why a line of an edit file was not applied, or what applying it met. Each reason names what
// it carries; front ends turn it into their own words.
struct EditProblem {
    enum class Reason {
        // The line itself.
        UnknownCommand,  // text: the first word
        WrongForm,       // command: the command whose form the line does not have
        BadListNumber,   // text: the word that is no 0 or 1
        BadRecordNumber, // text: the word that is no number from 1
        UnclosedQuote,   // a quoted word without its closing quote
        BadEscape,       // text: the escape, as written
        TextAfterQuote,  // a quoted word followed by more than a space, a tab or "#"
        IdBreaksLine,    // text: a new ID that edits::fitsItemLine refuses, or a blank one
        BadTaxRate,      // text: the rate; taxRate: what edits::taxRateProblem says
        ExtraBreaksLine, // text: an extra part that edits::fitsItemLine refuses
        SameItem,        // text: the ID that an insert, move or replace names twice
        // What the line asks of the records.
        NoNpcSelected,    // no npc, record or location yet, or the last one selected nothing
        NoListSelected,   // no list yet
        NoSuchClass,      // text: the class
        NoSuchRecord,     // text: the class; number: the record asked for, count: how many
        NoCatalogue,      // location, and nothing to look places up in
        NobodyAtLocation, // text: the location
        NoSuchList,       // record, list: the list has no place in the script (no item lines)
        AlreadyInList,    // record, list; text: the ID an add, insert or replace would repeat
        NotInList,        // record, list; text: the ID
        NowhereInScript,  // text: the ID no list holds (remove-everywhere, replace-everywhere)
        // Applied all the same: a note, not a skipped line.
        AnchorMissing,      // record, list; text: the anchor; an insert appended, a move not made
        ReplacementPresent, // record, list; text: the new ID; replace-everywhere left this list
    };
    Reason reason = Reason::UnknownCommand;
    int line = 0;
    QString text;
    int record = -1; // index into the records the commands were applied to
    int list = -1;
    int number = 0;
    int count = 0;
    EditCommand::Kind command = EditCommand::Kind::Npc;
    TaxRateProblem taxRate = TaxRateProblem::None;

    bool operator==(const EditProblem&) const = default;
};

// Reads an edit file and hands each line, as soon as it is read, to `command` when it is one,
// or to `problem` when it is no command; comments and blank lines reach neither. Each call
// returns false to stop reading. An edit file of millions of lines is never held as commands.
void readEditFile(QStringView text, const std::function<bool(const EditCommand&)>& command,
                  const std::function<bool(const EditProblem&)>& problem);

// One command as a line (without its comment or line end): the reader gives back the command.
QString editLine(const EditCommand& command);
// Commands as an edit file: each command's comment line, if any, then its line, each ending
// in "\n". What a word would escape stands escaped in a comment too, without quotes.
QString writeEditFile(std::span<const EditCommand> commands);
// A word as the reader takes it back whole: quoted when it would otherwise not read back (empty,
// starting with a quote, holding a space, tab or "#") or would not show (control and format
// characters, white space other than U+0020, line and paragraph separators, unpaired
// surrogates); inside quotes `"`, `\` and tab are escaped, and what would not show as \u{HEX}.
QString editWord(QStringView word);

// Whether text[i] is half of a surrogate pair whose other half is missing, as a damaged script
// can hold; UTF-8 cannot carry it.
bool isLoneSurrogate(QStringView text, qsizetype i);

} // namespace vw::edits
