// The reader against the plain reference reader (tests/support/ReferenceReader.cpp), on scripts
// made to reach its corners: keywords in every letter case and at every offset of a run of
// marks, line ends of every kind, units whose low byte is an ASCII sign, NULs, lone surrogates,
// byte-order marks inside the text, lines longer than a block; read from a buffer, from a pipe
// in pieces and from a file. Records, report, line count, hash and progress must be the same.

#include "../support/Devices.h"
#include "../support/Printers.h"
#include "../support/ReferenceReader.h"
#include "../support/SplitMix.h"
#include "../support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

using namespace Qt::Literals::StringLiterals;
using vw::ScriptReadResult;
using Rng = vw::test::SplitMix;

namespace {

QString cased(Rng& rng, const QString& word) {
    QString out = word;
    for (QChar& c : out)
        c = rng.percent(30) ? c.toUpper() : c;
    return out;
}

// Text that the reader must pass over: underscores before other letters, braces, units whose
// low byte is LF, "{", "_", "c" or " ", letters that fold to ASCII outside ASCII, CJK, a pair.
QString noise(Rng& rng) {
    static const QStringList pieces{u"my_bed"_s, u"x_D"_s,        u"_"_s,      u"{"_s,
                                    u"}"_s,      u"\u010A"_s,     u"\u017B"_s, u"\u015F"_s,
                                    u"\u0163"_s, u"_\u0142"_s,    u"\uFF3F"_s, u"\u5F5F"_s,
                                    u"商人"_s,   u"\U0001F600"_s, u"c"_s,      u"//"_s};
    QString text;
    for (int n = rng.below(5); n > 0; --n)
        text += rng.pick(pieces);
    return text;
}

QString item(Rng& rng) {
    QString entry = rng.percent(5) ? QString() : QString::number(1000 + rng.below(50));
    entry = rng.pick({u""_s, u" "_s}) + entry + rng.pick({u""_s, u" "_s});
    if (!rng.percent(10))
        entry += u";"_s + rng.pick({u"5"_s, u" 0.5"_s, u""_s});
    for (int e = rng.below(3); e > 0; --e)
        entry += u"; "_s + rng.pick({u"0"_s, u"x"_s, cased(rng, u"buyselllist_end"_s)});
    return u"{"_s + entry + (rng.percent(5) ? QString() : u"}"_s) +
           rng.pick({u""_s, u";"_s, u" }"_s});
}

QString listName(Rng& rng) {
    if (rng.percent(5))
        return rng.pick({u"\u017FellList0"_s, u"SellList2"_s, u"SellLi\u017Ft1"_s});
    return cased(rng, u"selllist"_s) + QString::number(rng.below(2));
}

// A merchant class as a script holds it, each line replaced, dropped or followed by another
// line now and then.
QStringList merchant(Rng& rng, int n) {
    QStringList lines{u"class npc_%1 : merchant"_s.arg(n), cased(rng, u"property_define_begin"_s)};
    for (int list = rng.below(4); list > 0; --list) {
        lines << cased(rng, u"buyselllist_begin"_s) + rng.pick({u" "_s, u"\t"_s}) + listName(rng);
        for (int i = rng.below(12); i > 0; --i)
            lines << item(rng);
        lines << cased(rng, u"buyselllist_end"_s);
    }
    lines << cased(rng, u"property_define_end"_s) << cased(rng, u"class_end"_s);
    QStringList out;
    for (const QString& line : lines) {
        const int roll = rng.below(100);
        if (roll < 5)
            continue;
        out << (roll < 15 ? rng.pick(lines) + noise(rng) : line);
        if (roll >= 85)
            out << rng.pick({noise(rng), item(rng), u"Class x"_s, u"  class  y "_s, u"class"_s,
                             u"class : x"_s});
    }
    return out;
}

QByteArray makeScript(Rng& rng) {
    const bool rare = rng.percent(15);
    QString text = rng.percent(50) ? u"\uFEFF"_s : QString();
    for (int n = rng.below(8); n >= 0; --n) {
        for (QString line : merchant(rng, n)) {
            // Shift the line across the runs of 32 units the reader marks; a class line opens
            // its class only after spaces, and now and then it does not.
            const bool opens = line.startsWith(u"class "_s) && !rng.percent(10);
            line =
                (opens ? QString(rng.below(40), u' ')
                       : rng.pick({u""_s, u"\t"_s, u" "_s, u"  \t"_s}) +
                             (rng.percent(40) ? QString(rng.below(40), u'x') + u' ' : QString())) +
                line;
            if (rare && rng.percent(3))
                line.insert(rng.below(static_cast<int>(line.size()) + 1),
                            rng.pick({QString(QChar(0xD800)), QString(QChar(0xDC00)),
                                      QString(QChar(0)), u"\uFEFF"_s}));
            text += line + rng.pick({u"\n"_s, u"\r\n"_s, u"\r\n"_s, u"\r\r\n"_s, u"\r"_s});
        }
        if (rng.percent(4))
            text += QString(100'000 + rng.below(200'000), u'y') + u"_end\r\n"_s;
    }
    if (rng.percent(30))
        text.chop(rng.below(3));
    if (!rare && rng.percent(5)) {
        // Lone surrogates on the edge of too many: one in a hundred units, or one too many.
        qsizetype lone = (text.size() + 98) / 99 + 1;
        const qsizetype total = 100 * lone - rng.below(2);
        text += QString(lone, QChar(0xDC00)) + QString(total - text.size() - lone, u'x');
    }
    QByteArray bytes = vw::test::utf16(text, false);
    if (rng.percent(5))
        bytes += 'z';
    return bytes;
}

// Reads `bytes` from a buffer, a pipe and (with `dir`) a file, each against the reference.
void expectSameReads(const QByteArray& bytes, quint64 seed, const QTemporaryDir* dir) {
    std::vector<qint64> expectedProgress;
    std::vector<qint64> progress;
    const ScriptReadResult expected = vw::test::referenceRead(bytes, false, &expectedProgress);
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const ScriptReadResult fromBuffer =
        vw::readScript(buffer, [&](qint64 hundreds) { progress.push_back(hundreds); });
    EXPECT_EQ(vw::test::differenceOf(expected, fromBuffer), "") << "buffer";
    EXPECT_EQ(progress, expectedProgress);

    vw::test::PieceReader pipe(bytes, [rng = Rng{seed}]() mutable {
        return 1 + rng.below(rng.percent(50) ? 9 : 300'000);
    });
    EXPECT_EQ(vw::test::differenceOf(vw::test::referenceRead(bytes, true), vw::readScript(pipe)),
              "")
        << "pipe";

    // Streamed, the records arrive one by one and the result holds none of them.
    std::vector<vw::ShopRecord> streamedRecords;
    QBuffer again(&copy);
    again.open(QIODevice::ReadOnly);
    ScriptReadResult streamed = vw::streamScript(
        again, [&](vw::ShopRecord&& record) { streamedRecords.push_back(std::move(record)); });
    EXPECT_TRUE(streamed.records.empty());
    if (streamed.status == vw::ReadStatus::Ok)
        streamed.records = std::move(streamedRecords);
    EXPECT_EQ(vw::test::differenceOf(expected, streamed), "") << "streamed";
    if (dir) {
        const QString path = dir->filePath(u"ai.obj"_s);
        ASSERT_TRUE(vw::test::writeFile(path, bytes));
        const ScriptReadResult fromFile = vw::readScriptFile(path);
        EXPECT_EQ(vw::test::differenceOf(expected, fromFile), "") << "file";
        EXPECT_EQ(fromFile.stamp.facts.size, bytes.size());
    }
}

} // namespace

TEST(ReaderProperty, ReadsAsTheReferenceReader) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int read = 0;
    std::array<size_t, 4> seen{}; // records, malformed lines, repeated and unclosed lists
    for (quint64 seed = 0; seed < 400 && !HasFailure(); ++seed) {
        SCOPED_TRACE(seed);
        Rng rng{seed};
        const QByteArray bytes = makeScript(rng);
        expectSameReads(bytes, seed, seed % 4 == 0 ? &dir : nullptr);
        const ScriptReadResult result = vw::test::referenceRead(bytes);
        read += result.status == vw::ReadStatus::Ok;
        seen[0] += result.records.size();
        seen[1] += result.report.malformed.size();
        seen[2] += result.report.repeated.size();
        seen[3] += result.report.unclosed.size();
    }
    // The cases reach the records, the report and the refusals alike.
    EXPECT_GT(read, 250);
    EXPECT_LT(read, 390);
    for (const size_t count : seen)
        EXPECT_GT(count, 100u);
}

TEST(ReaderProperty, ReadsTheSamplesAndEveryCutOfThemAsTheReference) {
    QFile sample(QStringLiteral(VW_SAMPLE_SCRIPT));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    std::vector<QByteArray> scripts{
        vw::test::scriptBytes(QString::fromUtf8(sample.readAll()).split(u'\n'))};
    for (const QString& name : QDir(QStringLiteral(VW_SEEDS_DIR)).entryList(QDir::Files))
        scripts.push_back(vw::test::readFile(QStringLiteral(VW_SEEDS_DIR "/") + name));
    ASSERT_GT(scripts.size(), 3u);
    for (const QByteArray& script : scripts) {
        for (qsizetype cut = script.size(); cut > 0 && !HasFailure(); cut -= 1 + cut / 23) {
            SCOPED_TRACE(cut);
            expectSameReads(script.left(cut), static_cast<quint64>(cut), nullptr);
        }
    }
}
