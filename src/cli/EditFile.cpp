#include "EditFile.h"

#include "editor/ListEdits.h"

#include <QStringList>

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

QStringList words(QStringView text) {
    QStringList result;
    for (const QStringView word : text.tokenize(u' ', Qt::SkipEmptyParts))
        result.append(word.toString());
    return result;
}

[[noreturn]] void fail(int line, const QString& message) {
    throw EditError{line, message};
}

void expectArguments(const QStringList& w, qsizetype count, int line, const QString& form) {
    if (w.size() != count + 1)
        fail(line, u"expected \""_s + form + u'"');
}

QString checkedTaxRate(const QString& taxRate, int line) {
    if (!edits::fitsItemLine(taxRate))
        fail(line, u"the tax rate "_s + taxRate + u" holds \"{\", \"}\", \";\" or a line break"_s);
    return taxRate;
}

EditCommand parseLine(QStringView text, int line) {
    QString plain = text.toString();
    plain.replace(u'\t', u' ');
    const QStringList w = words(plain);
    const QString& word = w[0];
    EditCommand command;
    command.line = line;
    if (word == u"npc" || word == u"location") {
        // The rest of the line is the name: it may hold spaces.
        const QString name = plain.trimmed().sliced(word.size()).trimmed();
        if (name.isEmpty())
            fail(line, u"expected \""_s + word + u" NAME\""_s);
        command.kind = word == u"npc" ? Kind::Npc : Kind::Location;
        command.name = name;
    } else if (word == u"list") {
        expectArguments(w, 1, line, u"list 0|1"_s);
        if (w[1] != u"0" && w[1] != u"1")
            fail(line, u"the list must be 0 or 1, not "_s + w[1]);
        command.kind = Kind::List;
        command.list = w[1].toInt();
    } else if (word == u"add") {
        expectArguments(w, 2, line, u"add ID TAX"_s);
        command.kind = Kind::Add;
        command.id = w[1];
        command.taxRate = checkedTaxRate(w[2], line);
    } else if (word == u"insert") {
        expectArguments(w, 4, line, u"insert ID TAX before ID"_s);
        if (w[3] != u"before")
            fail(line, u"expected \"insert ID TAX before ID\""_s);
        command.kind = Kind::Insert;
        command.id = w[1];
        command.taxRate = checkedTaxRate(w[2], line);
        command.anchor = w[4];
    } else {
        const auto known = std::find_if(ItemCommands.begin(), ItemCommands.end(),
                                        [&](const ItemCommand& c) { return c.word == word; });
        if (known == ItemCommands.end())
            fail(line, u"unknown command \""_s + word + u'"');
        expectArguments(w, 1, line, word + u" ID"_s);
        command.kind = known->kind;
        command.id = w[1];
    }
    if (!edits::fitsItemLine(command.id))
        fail(line,
             u"the item ID "_s + command.id + u" holds \"{\", \"}\", \";\" or a line break"_s);
    return command;
}

} // namespace

std::vector<EditCommand> parseEditFile(const QString& text) {
    std::vector<EditCommand> commands;
    QStringView body(text);
    // Editors on Windows start UTF-8 files with a byte-order mark.
    if (body.startsWith(QChar(0xFEFF)))
        body = body.sliced(1);
    int line = 0;
    for (QStringView raw : body.split(u'\n')) {
        ++line;
        if (raw.endsWith(u'\r'))
            raw.chop(1);
        const qsizetype comment = raw.indexOf(u'#');
        const QStringView content = (comment >= 0 ? raw.first(comment) : raw).trimmed();
        if (!content.isEmpty())
            commands.push_back(parseLine(content, line));
    }
    return commands;
}

} // namespace vw::cli
