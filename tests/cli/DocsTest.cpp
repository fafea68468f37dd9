// The examples of docs/cli.md run as printed, on the sample script and catalogue of the program
// folder: every command line, and the sessions ("$ " lines) with the output they show.

#include "CliTestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

using namespace vw::cli::test;

namespace {

// A word of a synopsis rather than of a command: SCRIPT, [--json], 0|1.
bool isPlaceholder(const QString& word) {
    return word.startsWith(u'[') || word.contains(u'|') ||
           (word.size() > 1 && word == word.toUpper() && !word.contains(u'/') &&
            !word.contains(u'.') && !word.startsWith(u'-'));
}

// The arguments after the program, with the program folder's paths in the working folder.
std::optional<QStringList> commandOf(QString line) {
    line = line.trimmed();
    if (line.startsWith(u"$ "_s))
        line = line.sliced(2);
    QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty() || !words[0].endsWith(u"vendwright-cli"_s) ||
        std::any_of(words.begin(), words.end(), isPlaceholder))
        return std::nullopt;
    words.removeFirst();
    for (QString& word : words) {
        for (const QString& folder : {u"build/program/"_s, u"/opt/vendwright/"_s}) {
            if (word.startsWith(folder))
                word = word.sliced(folder.size());
        }
    }
    return words;
}

} // namespace

TEST(CliDocs, ExamplesRunAsPrinted) {
    QFile docs(QStringLiteral(VW_DOCS));
    ASSERT_TRUE(docs.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(docs.readAll()).split(u'\n');
    Workspace ws;
    QDir(ws.path({})).mkpath(u"AI"_s);
    QDir(ws.path({})).mkpath(u"DB"_s);
    const QString program = QStringLiteral(VW_PROGRAM_DIR);
    ASSERT_TRUE(QFile::copy(program + u"/AI/ai.obj"_s, ws.path(u"AI/ai.obj"_s)));
    ASSERT_TRUE(QFile::copy(program + u"/DB/Wareroll.mdb"_s, ws.path(u"DB/Wareroll.mdb"_s)));
    const QString before = QDir::currentPath();
    QDir::setCurrent(ws.path({}));

    int commands = 0;
    int sessions = 0;
    bool fenced = false;
    std::optional<QString> edits; // the edit file of the example, while its block is read
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(u"```"_s)) {
            fenced = !fenced;
            if (lines[i] == u"```edits"_s)
                edits = QString();
            else if (edits)
                ws.text(*std::exchange(edits, std::nullopt), u"example.edits"_s);
            continue;
        }
        if (fenced) {
            if (edits)
                *edits += lines[i] + u'\n';
            continue;
        }
        if (!lines[i].startsWith(u"    "_s))
            continue;
        const std::optional<QStringList> args = commandOf(lines[i]);
        if (!args)
            continue;
        ++commands;
        const CliRun run = runArgs(*args);
        if (!lines[i].startsWith(u"    $ "_s)) {
            EXPECT_LT(run.code, 2) << lines[i].toStdString() << run.err.toStdString();
            continue;
        }
        ++sessions;
        const QString command = lines[i];
        QString out;
        QString err;
        for (; i + 1 < lines.size() && lines[i + 1].startsWith(u"    "_s) &&
               !lines[i + 1].startsWith(u"    $ "_s);
             ++i) {
            const QString shown = lines[i + 1].sliced(4) + u'\n';
            (shown.startsWith(u"vendwright-cli: "_s) ? err : out) += shown;
        }
        EXPECT_EQ(run.out, out) << command.toStdString();
        EXPECT_EQ(run.err, err) << command.toStdString();
        EXPECT_EQ(run.code, err.isEmpty() ? 0 : 5) << command.toStdString();
    }
    QDir::setCurrent(before);
    EXPECT_GE(commands, 5);
    EXPECT_EQ(sessions, 3);
}
