// libFuzzer target over reading and writing together: any bytes → read (against the plain
// reference reader, from a buffer and from a pipe in pieces) → edits → write → read again. The
// last eight bytes of an input steer the edits and the pieces, the whole input is the script.
#include "../support/Devices.h"
#include "../support/ReferenceReader.h"
#include "../support/SplitMix.h"
#include "editor/ListEdits.h"
#include "script/ScriptReader.h"
#include "script/ScriptWriter.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace vw;

namespace {

using vw::test::SplitMix;

void check(bool condition) {
    if (!condition)
        std::abort();
}

ScriptReadResult readBytes(QByteArray bytes, const ReadProgress& progress = {}) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readScript(buffer, progress);
}

QByteArray writeBytes(const QByteArray& source, const std::vector<ShopRecord>& records,
                      ScriptWriteResult& result) {
    QByteArray in = source;
    QByteArray out;
    QBuffer input(&in);
    QBuffer output(&out);
    input.open(QIODevice::ReadOnly);
    output.open(QIODevice::WriteOnly);
    result = writeScript(input, output, records);
    return out;
}

void edit(std::vector<ShopRecord>& records, SplitMix& rng) {
    for (int n = rng.below(16); n > 0 && !records.empty(); --n) {
        ShopRecord& record =
            records[static_cast<size_t>(rng.below(static_cast<int>(records.size())))];
        const int list = rng.below(3) == 2 ? rng.below(4) - 1 : rng.below(2);
        const int slot = rng.below(record.upperBound() + 3) - 1;
        switch (rng.below(8)) {
        case 0:
            edits::moveUp(record, list, slot);
            break;
        case 1:
            edits::moveDown(record, list, slot);
            break;
        case 2:
            edits::moveToTop(record, list, slot);
            break;
        case 3:
            edits::moveToBottom(record, list, slot);
            break;
        case 4:
            edits::deleteItem(record, list, slot);
            break;
        case 5:
            edits::insertItem(
                record, list, slot,
                edits::newItem(record, QString::number(rng.below(50)), QStringLiteral("5")));
            break;
        default:
            edits::appendItem(record, list,
                              edits::newItem(record, QString::number(rng.below(50)), QString()));
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray source(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SplitMix rng{0};
    if (size >= 8)
        std::memcpy(&rng.state, data + size - 8, 8);
    std::vector<qint64> expectedProgress;
    std::vector<qint64> progress;
    const ScriptReadResult expected = test::referenceRead(source, false, &expectedProgress);
    ScriptReadResult read = readBytes(source, [&](qint64 h) { progress.push_back(h); });
    check(test::differenceOf(expected, read).empty() && progress == expectedProgress);
    test::PieceReader pipe(source, [pieces = SplitMix{rng.state}]() mutable {
        return 1 + pieces.below(pieces.percent(50) ? 7 : 70'000);
    });
    check(test::differenceOf(test::referenceRead(source, true), readScript(pipe)).empty());
    if (read.status != ReadStatus::Ok)
        return 0;
    edit(read.records, rng);

    const std::vector<ShopRecord> before = read.records;
    ScriptWriteResult first;
    ScriptWriteResult second;
    const QByteArray out = writeBytes(source, read.records, first);
    check(first.status == ScriptWriteResult::Status::Ok);
    check(first.sourceHash == read.stamp.contentHash);
    check(writeBytes(source, read.records, second) == out);
    check(read.records == before);

    // Every written list traded its old item lines for its current items; nothing else moved.
    qint64 expectedLines = read.lineCount;
    for (size_t r = 0; r < read.records.size(); ++r) {
        const ShopRecord& record = read.records[r];
        for (int k = 0; k < ShopRecord::ListCount; ++k) {
            const ListRef ref{static_cast<int>(r), k};
            if (!record.modified[k] ||
                std::find(first.leftUnchanged.begin(), first.leftUnchanged.end(), ref) !=
                    first.leftUnchanged.end())
                continue;
            expectedLines += record.listLength(k) - (record.endLine[k] - record.startLine[k]);
        }
    }
    const ScriptReadResult again = readBytes(out);
    // Rewritten lists change the text's share of lone surrogates and what its first 64 KiB
    // hold, so a source on the edge of either rule may give an output beyond it.
    const bool onTheEdge = again.textProblem == TextProblem::BrokenSurrogates ||
                           again.textProblem == TextProblem::BigEndianText;
    check(again.status == ReadStatus::Ok || onTheEdge);
    check(onTheEdge || again.lineCount == expectedLines);
    return 0;
}
