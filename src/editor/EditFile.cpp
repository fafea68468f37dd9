#include "EditFile.h"

#include "script/LineSource.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <variant>

using namespace Qt::Literals::StringLiterals;

namespace vw::edits {

namespace {

using Kind = EditCommand::Kind;
using Reason = EditProblem::Reason;

struct Keyword {
    QStringView word;
    Kind kind;
};
constexpr std::array<Keyword, 16> Keywords{{
    {u"npc", Kind::Npc},
    {u"record", Kind::Record},
    {u"location", Kind::Location},
    {u"list", Kind::List},
    {u"add", Kind::Add},
    {u"insert", Kind::Insert},
    {u"remove", Kind::Remove},
    {u"up", Kind::Up},
    {u"down", Kind::Down},
    {u"top", Kind::Top},
    {u"bottom", Kind::Bottom},
    {u"move", Kind::Move},
    {u"tax", Kind::Tax},
    {u"replace", Kind::Replace},
    {u"remove-everywhere", Kind::RemoveEverywhere},
    {u"replace-everywhere", Kind::ReplaceEverywhere},
}};

QStringView keywordOf(Kind kind) {
    return std::find_if(Keywords.begin(), Keywords.end(),
                        [kind](const Keyword& k) { return k.kind == kind; })
        ->word;
}

bool isSeparator(QChar c) {
    return c == u' ' || c == u'\t';
}

// A character that would not show in the file, or would break its line there: such a word is
// written quoted, with the character as an escape.
bool isHidden(QChar c) {
    const char16_t u = c.unicode();
    if (u == u' ')
        return false;
    return u < 0x20 || (u >= 0x7F && u < 0xA0) || c.isSpace() ||
           c.category() == QChar::Other_Format || u == 0x2028 || u == 0x2029;
}

bool mustEscape(QStringView text, qsizetype i) {
    return isHidden(text[i]) || isLoneSurrogate(text, i);
}

struct Word {
    QString text;
    bool quoted = false;
    qsizetype start = 0; // where the word starts in the line
};
using Words = QVarLengthArray<Word, 8>;

struct Lexed {
    Words words;
    qsizetype end = 0; // where the comment starts, or the line's length
};

// Reads the escape at `i` (just past the backslash) into `out`; false when it is none.
bool readEscape(QStringView line, qsizetype& i, QString& out) {
    const QChar c = line[i];
    if (c == u'"' || c == u'\\') {
        out += c;
        ++i;
        return true;
    }
    if (c == u't') {
        out += u'\t';
        ++i;
        return true;
    }
    if (c != u'u' || i + 1 >= line.size() || line[i + 1] != u'{')
        return false;
    const qsizetype close = line.indexOf(u'}', i + 2);
    if (close < 0 || close - (i + 2) < 1 || close - (i + 2) > 6)
        return false;
    bool ok = false;
    const uint code = line.sliced(i + 2, close - (i + 2)).toUInt(&ok, 16);
    const bool hexOnly = std::all_of(line.begin() + i + 2, line.begin() + close, [](QChar h) {
        return (h >= u'0' && h <= u'9') || (h >= u'a' && h <= u'f') || (h >= u'A' && h <= u'F');
    });
    if (!ok || !hexOnly || code > 0x10FFFF)
        return false;
    // Code points past the first plane become a pair; a lone surrogate stays one unit, since
    // the script can hold one.
    if (code > 0xFFFF) {
        out += QChar(QChar::highSurrogate(code));
        out += QChar(QChar::lowSurrogate(code));
    } else {
        out += QChar(static_cast<char16_t>(code));
    }
    i = close + 1;
    return true;
}

// The words of a line up to its comment; a problem when a quoted word is broken.
std::variant<Lexed, EditProblem> lex(QStringView line, int number) {
    const auto problem = [number](Reason reason, QString text = {}) {
        EditProblem p;
        p.reason = reason;
        p.line = number;
        p.text = std::move(text);
        return p;
    };
    Lexed lexed;
    lexed.end = line.size();
    for (qsizetype i = 0;;) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        if (i >= line.size())
            break;
        if (line[i] == u'#') {
            lexed.end = i;
            break;
        }
        Word word;
        word.start = i;
        if (line[i] != u'"') {
            while (i < line.size() && !isSeparator(line[i]) && line[i] != u'#')
                ++i;
            word.text = line.sliced(word.start, i - word.start).toString();
            lexed.words.append(std::move(word));
            continue;
        }
        word.quoted = true;
        for (++i;;) {
            if (i >= line.size())
                return problem(Reason::UnclosedQuote);
            const QChar c = line[i];
            if (c == u'"') {
                ++i;
                break;
            }
            if (c != u'\\') {
                word.text += c;
                ++i;
                continue;
            }
            const qsizetype escape = i;
            if (++i >= line.size() || !readEscape(line, i, word.text)) {
                const qsizetype shown = std::min<qsizetype>(line.size() - escape, 2);
                const qsizetype brace = line.indexOf(u'}', escape);
                const bool hex = shown == 2 && line[escape + 1] == u'u' && brace > escape;
                return problem(Reason::BadEscape,
                               line.sliced(escape, hex ? brace + 1 - escape : shown).toString());
            }
        }
        if (i < line.size() && !isSeparator(line[i]) && line[i] != u'#')
            return problem(Reason::TextAfterQuote);
        lexed.words.append(std::move(word));
    }
    return lexed;
}

class LineParser {
public:
    LineParser(QStringView line, const Lexed& lexed, int number)
        : line_(line), words_(lexed.words), end_(lexed.end) {
        command_.line = number;
    }

    std::variant<EditCommand, EditProblem> parse() {
        const Word& first = words_[0];
        const auto known = std::find_if(Keywords.begin(), Keywords.end(), [&](const Keyword& k) {
            return !first.quoted && k.word == first.text;
        });
        if (known == Keywords.end())
            return problem(Reason::UnknownCommand, first.text);
        command_.kind = known->kind;
        if (const std::optional<EditProblem> p = parseArguments())
            return *p;
        return command_;
    }

private:
    EditProblem problem(Reason reason, QString text = {}) const {
        EditProblem p;
        p.reason = reason;
        p.line = command_.line;
        p.text = std::move(text);
        p.command = command_.kind;
        return p;
    }

    qsizetype count() const { return words_.size(); }
    QString field(qsizetype i) const { return trimSpaces(words_[i].text).toString(); }
    bool isKeyword(qsizetype i, QStringView word) const {
        return !words_[i].quoted && words_[i].text == word;
    }

    std::optional<EditProblem> parseArguments() {
        const auto wrongForm = [this] { return problem(Reason::WrongForm); };
        switch (command_.kind) {
        case Kind::Npc:
        case Kind::Location:
            return count() < 2 ? wrongForm() : name(1);
        case Kind::Record:
            if (count() < 3)
                return wrongForm();
            if (!recordNumber())
                return problem(Reason::BadRecordNumber, words_[1].text);
            return name(2);
        case Kind::List:
            if (count() != 2)
                return wrongForm();
            if (!isKeyword(1, u"0") && !isKeyword(1, u"1"))
                return problem(Reason::BadListNumber, words_[1].text);
            command_.number = words_[1].text == u"1" ? 1 : 0;
            return {};
        case Kind::Add:
        case Kind::Tax:
            return count() < 3 ? wrongForm() : newItem(count());
        case Kind::Insert:
            if (count() < 5 || !isKeyword(count() - 2, u"before"))
                return wrongForm();
            command_.other = field(count() - 1);
            if (std::optional<EditProblem> p = newItem(count() - 2))
                return p;
            return sameItem();
        case Kind::Move:
            if (count() != 4 || !isKeyword(2, u"before"))
                return wrongForm();
            command_.id = field(1);
            command_.other = field(3);
            return sameItem();
        case Kind::Replace:
        case Kind::ReplaceEverywhere:
            if (count() != 3)
                return wrongForm();
            command_.id = field(1);
            command_.other = field(2);
            if (!fitsAsId(command_.other))
                return problem(Reason::IdBreaksLine, command_.other);
            return sameItem();
        case Kind::Remove:
        case Kind::Up:
        case Kind::Down:
        case Kind::Top:
        case Kind::Bottom:
        case Kind::RemoveEverywhere:
            if (count() != 2)
                return wrongForm();
            command_.id = field(1);
            return {};
        }
        return {};
    }

    bool recordNumber() {
        const QString& word = words_[1].text;
        bool ok = false;
        const int number = word.toInt(&ok);
        const bool digits =
            std::all_of(word.begin(), word.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (words_[1].quoted || !ok || !digits || number < 1)
            return false;
        command_.number = number;
        return true;
    }

    // The class or location from word `from` on: one quoted word, or the rest of the line with
    // its spaces trimmed as the script reader trims a class name.
    std::optional<EditProblem> name(qsizetype from) {
        const bool quoted = std::any_of(words_.begin() + from, words_.end(),
                                        [](const Word& w) { return w.quoted; });
        if (quoted) {
            if (count() != from + 1)
                return problem(Reason::WrongForm);
            command_.name = field(from);
        } else {
            const qsizetype start = words_[from].start;
            command_.name = trimSpaces(line_.sliced(start, end_ - start)).toString();
        }
        return {};
    }

    // ID TAX [with EXTRA...] in the words before `end`.
    std::optional<EditProblem> newItem(qsizetype end) {
        command_.id = field(1);
        command_.taxRate = field(2);
        if (end > 3) {
            if (!isKeyword(3, u"with"))
                return problem(Reason::WrongForm);
            QStringList extra;
            for (qsizetype i = 4; i < end; ++i) {
                extra.append(field(i));
                if (!fitsItemLine(extra.last()))
                    return problem(Reason::ExtraBreaksLine, extra.last());
            }
            command_.extraParts = extra;
        }
        if (command_.kind != Kind::Tax && !fitsAsId(command_.id))
            return problem(Reason::IdBreaksLine, command_.id);
        if (const TaxRateProblem rate = taxRateProblem(command_.taxRate);
            rate != TaxRateProblem::None) {
            EditProblem p = problem(Reason::BadTaxRate, command_.taxRate);
            p.taxRate = rate;
            return p;
        }
        return {};
    }

    static bool fitsAsId(const QString& id) { return !id.isEmpty() && fitsItemLine(id); }

    std::optional<EditProblem> sameItem() const {
        if (command_.id == command_.other)
            return problem(Reason::SameItem, command_.id);
        return {};
    }

    QStringView line_;
    const Words& words_;
    qsizetype end_;
    EditCommand command_;
};

// A class or location name as the rest of a line: plain when reading the rest gives it back.
QString nameText(const QString& name) {
    bool plain = !name.isEmpty() && !name.startsWith(u' ') && !name.endsWith(u' ');
    for (qsizetype i = 0; plain && i < name.size(); ++i) {
        const QChar c = name[i];
        plain = c != u'\t' && c != u'#' && !mustEscape(name, i) &&
                !(c == u'"' && (i == 0 || name[i - 1] == u' '));
    }
    return plain ? name : editWord(name);
}

void appendItem(QString& line, const EditCommand& command) {
    line += editWord(command.id) + u' ' + editWord(command.taxRate);
    if (command.extraParts) {
        line += u" with"_s;
        for (const QString& part : *command.extraParts)
            line += u' ' + editWord(part);
    }
}

QString escape(QChar c) {
    return u"\\u{"_s + QString::number(c.unicode(), 16).toUpper() + u'}';
}

} // namespace

bool isLoneSurrogate(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

void readEditFile(QStringView text, const std::function<bool(const EditCommand&)>& command,
                  const std::function<bool(const EditProblem&)>& problem) {
    QStringView body = text;
    // Editors on Windows start UTF-8 files with a byte-order mark.
    if (body.startsWith(QChar(0xFEFF)))
        body = body.sliced(1);
    int number = 0;
    for (QStringView line : body.tokenize(u'\n')) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        auto lexed = lex(line, number);
        if (const auto* p = std::get_if<EditProblem>(&lexed)) {
            if (!problem(*p))
                return;
            continue;
        }
        const Lexed& words = std::get<Lexed>(lexed);
        if (words.words.isEmpty())
            continue;
        const auto parsed = LineParser(line, words, number).parse();
        const bool more = std::holds_alternative<EditCommand>(parsed)
                              ? command(std::get<EditCommand>(parsed))
                              : problem(std::get<EditProblem>(parsed));
        if (!more)
            return;
    }
}

QString editWord(QStringView word) {
    bool plain = !word.isEmpty() && word[0] != u'"';
    for (qsizetype i = 0; plain && i < word.size(); ++i)
        plain = !isSeparator(word[i]) && word[i] != u'#' && !mustEscape(word, i);
    if (plain)
        return word.toString();
    QString quoted;
    quoted.reserve(word.size() + 8);
    quoted += u'"';
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word[i];
        if (c == u'"' || c == u'\\') {
            quoted += u'\\';
            quoted += c;
        } else if (c == u'\t') {
            quoted += u"\\t"_s;
        } else if (mustEscape(word, i)) {
            quoted += escape(c);
        } else {
            quoted += c;
        }
    }
    quoted += u'"';
    return quoted;
}

QString editLine(const EditCommand& command) {
    QString line = keywordOf(command.kind).toString() + u' ';
    switch (command.kind) {
    case Kind::Npc:
    case Kind::Location:
        line += nameText(command.name);
        break;
    case Kind::Record:
        line += QString::number(command.number) + u' ' + nameText(command.name);
        break;
    case Kind::List:
        line += QString::number(command.number);
        break;
    case Kind::Add:
    case Kind::Tax:
        appendItem(line, command);
        break;
    case Kind::Insert:
        appendItem(line, command);
        line += u" before "_s + editWord(command.other);
        break;
    case Kind::Move:
        line += editWord(command.id) + u" before "_s + editWord(command.other);
        break;
    case Kind::Replace:
    case Kind::ReplaceEverywhere:
        line += editWord(command.id) + u' ' + editWord(command.other);
        break;
    case Kind::Remove:
    case Kind::Up:
    case Kind::Down:
    case Kind::Top:
    case Kind::Bottom:
    case Kind::RemoveEverywhere:
        line += editWord(command.id);
        break;
    }
    return line;
}

QString writeEditFile(std::span<const EditCommand> commands) {
    QString text;
    for (const EditCommand& command : commands) {
        if (!command.comment.isEmpty()) {
            // A comment is one line, however its text runs, and shows what a word would not
            // show as the word's escape.
            text += u"# "_s;
            const QString& comment = command.comment;
            for (qsizetype i = 0; i < comment.size(); ++i) {
                if (mustEscape(comment, i))
                    text += escape(comment[i]);
                else
                    text += comment[i];
            }
            text += u'\n';
        }
        text += editLine(command) + u'\n';
    }
    return text;
}

} // namespace vw::edits
