#include "EditFile.h"

#include "Echo.h"
#include "editor/ListEdits.h"

#include <QStringList>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

namespace {

using Kind = EditCommand::Kind;

// Commands that take one item ID and nothing else.
struct ItemCommand {
    QStringView word;
    Kind kind;
};
constexpr std::array<ItemCommand, 6> ItemCommands{{
    {u"remove", Kind::Remove},
    {u"up", Kind::Up},
    {u"down", Kind::Down},
    {u"top", Kind::Top},
    {u"bottom", Kind::Bottom},
    {u"remove-everywhere", Kind::RemoveEverywhere},
}};

// The words of a line, separated by spaces or tabs.
QVarLengthArray<QStringView, 8> words(QStringView text) {
    QVarLengthArray<QStringView, 8> result;
    const auto isSeparator = [](QChar c) { return c == u' ' || c == u'\t'; };
    for (qsizetype i = 0; i < text.size();) {
        while (i < text.size() && isSeparator(text[i]))
            ++i;
        const qsizetype start = i;
        while (i < text.size() && !isSeparator(text[i]))
            ++i;
        if (i > start)
            result.append(text.sliced(start, i - start));
    }
    return result;
}

[[noreturn]] void fail(int line, const QString& message) {
    throw EditError{line, message};
}

void expectArguments(qsizetype words, qsizetype count, int line, const QString& form) {
    if (words != count + 1)
        fail(line, u"expected \""_s + form + u'"');
}

// An ID or tax rate as the command gives it, or an EditError when it would break the line.
QString itemField(QStringView field, const QString& what, int line) {
    if (!edits::fitsItemLine(field))
        fail(line,
             what + u' ' + echoed(field) + u" holds \"{\", \"}\", \";\", a NUL or a line break"_s);
    return field.toString();
}

// `text` is trimmed and not empty.
EditCommand parseLine(QStringView text, int line) {
    const auto w = words(text);
    const QStringView word = w[0];
    const QString id = u"the item ID"_s;
    const QString taxRate = u"the tax rate"_s;
    EditCommand command;
    command.line = line;
    if (word == u"npc" || word == u"location") {
        // The rest of the line is the name: it may hold spaces.
        QString name = text.sliced(word.size()).toString();
        name = name.replace(u'\t', u' ').trimmed();
        if (name.isEmpty())
            fail(line, u"expected \""_s + word.toString() + u" NAME\""_s);
        command.kind = word == u"npc" ? Kind::Npc : Kind::Location;
        command.name = name;
    } else if (word == u"list") {
        expectArguments(w.size(), 1, line, u"list 0|1"_s);
        if (w[1] != u"0" && w[1] != u"1")
            fail(line, u"the list must be 0 or 1, not "_s + echoed(w[1]));
        command.kind = Kind::List;
        command.list = w[1] == u"1" ? 1 : 0;
    } else if (word == u"add") {
        expectArguments(w.size(), 2, line, u"add ID TAX"_s);
        command.kind = Kind::Add;
        command.id = itemField(w[1], id, line);
        command.taxRate = itemField(w[2], taxRate, line);
    } else if (word == u"insert") {
        expectArguments(w.size(), 4, line, u"insert ID TAX before ID"_s);
        if (w[3] != u"before")
            fail(line, u"expected \"insert ID TAX before ID\""_s);
        command.kind = Kind::Insert;
        command.id = itemField(w[1], id, line);
        command.taxRate = itemField(w[2], taxRate, line);
        command.anchor = w[4].toString();
    } else {
        const auto known = std::find_if(ItemCommands.begin(), ItemCommands.end(),
                                        [&](const ItemCommand& c) { return c.word == word; });
        if (known == ItemCommands.end())
            fail(line, u"unknown command \""_s + echoed(word) + u'"');
        expectArguments(w.size(), 1, line, word.toString() + u" ID"_s);
        command.kind = known->kind;
        command.id = itemField(w[1], id, line);
    }
    return command;
}

} // namespace

void parseEditFile(QStringView text, const std::function<void(const EditCommand&)>& apply) {
    QStringView body = text;
    // Editors on Windows start UTF-8 files with a byte-order mark.
    if (body.startsWith(QChar(0xFEFF)))
        body = body.sliced(1);
    int line = 0;
    for (QStringView raw : body.tokenize(u'\n')) {
        ++line;
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        const qsizetype comment = raw.indexOf(u'#');
        const QStringView content = (comment >= 0 ? raw.first(comment) : raw).trimmed();
        if (!content.isEmpty())
            apply(parseLine(content, line));
    }
}

} // namespace vw::cli
