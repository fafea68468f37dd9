#include "ScriptWriter.h"

#include "ItemEntry.h"
#include "LineSource.h"

#include <QtEndian>

#include <algorithm>

namespace vw {

namespace {

// Collects output in large blocks: one device write per line would dominate the time.
class OutputBuffer {
public:
    explicit OutputBuffer(QIODevice& device) : device_(device) { bytes_.reserve(Capacity + 4096); }

    void appendLine(QStringView line) {
        append(line);
        append(u"\r\n");
    }

    void append(QStringView text) {
        const auto* data = reinterpret_cast<const char*>(text.utf16());
        const qsizetype size = text.size() * 2;
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
        for (const QChar c : text) {
            const char16_t le = qToLittleEndian(c.unicode());
            bytes_.append(reinterpret_cast<const char*>(&le), 2);
        }
        Q_UNUSED(data)
        Q_UNUSED(size)
#else
        bytes_.append(data, size);
#endif
        if (bytes_.size() >= Capacity)
            flush();
    }

    bool flush() {
        // A short write is no failure yet: writing the rest tells, and the device then keeps
        // the reason (a full disk takes what fits and refuses only the next write).
        for (qsizetype done = 0; !failed_ && done < bytes_.size();) {
            const qint64 written = device_.write(bytes_.constData() + done, bytes_.size() - done);
            if (written <= 0)
                failed_ = true;
            else
                done += written;
        }
        bytes_.resize(0); // keeps the block: a fresh one per flush costs page faults
        return !failed_;
    }

    bool failed() const {
        return failed_;
    }

private:
    static constexpr qsizetype Capacity = 1 << 20;
    QIODevice& device_;
    QByteArray bytes_;
    bool failed_ = false;
};

// The lines of the block being replaced, as read, for the items that keep theirs. One text
// for all of them: the block is read line by line, and a string per line would cost more.
class BlockLines {
public:
    void clear() {
        text_.resize(0);
        ends_.clear();
    }
    void add(QStringView line) {
        text_.append(line);
        ends_.push_back(text_.size());
    }
    // Line `index` of the block, counted from 0; empty outside it.
    QStringView line(qsizetype index) const {
        if (index < 0 || index >= static_cast<qsizetype>(ends_.size()))
            return {};
        const qsizetype begin = index == 0 ? 0 : ends_[static_cast<size_t>(index) - 1];
        return QStringView(text_).sliced(begin, ends_[static_cast<size_t>(index)] - begin);
    }

private:
    QString text_;
    std::vector<qsizetype> ends_;
};

struct Replacement {
    int firstLine; // line number of the list's first item line
    int endLine;   // line number of its "buyselllist_end" line
    ListRef ref;
};

// Lists are replaced only when their recorded block is whole and stands apart from every other
// list: an unclosed list, or one whose block holds another list's first item line or end line
// (a damaged file with repeated or interleaved blocks), is left as it is.
std::vector<Replacement> planReplacements(const std::vector<ShopRecord>& records,
                                          std::vector<ListRef>& leftUnchanged) {
    std::vector<int> marks; // first item lines and end lines of every list read
    for (const ShopRecord& record : records) {
        for (int k = 0; k < ShopRecord::ListCount; ++k) {
            if (record.startLine[k] > 0)
                marks.push_back(record.startLine[k] - 1);
            if (record.endLine[k] > 0)
                marks.push_back(record.endLine[k] - 1);
        }
    }
    std::sort(marks.begin(), marks.end());
    const auto marksIn = [&marks](int from, int to) {
        return std::upper_bound(marks.begin(), marks.end(), to) -
               std::lower_bound(marks.begin(), marks.end(), from);
    };

    std::vector<Replacement> plan;
    for (size_t r = 0; r < records.size(); ++r) {
        const ShopRecord& record = records[r];
        for (int k = 0; k < ShopRecord::ListCount; ++k) {
            if (!record.modified[k])
                continue;
            const ListRef ref{static_cast<int>(r), k};
            const int first = record.startLine[k] - 1;
            const int end = record.endLine[k] - 1;
            // Its own two marks and nothing else may lie inside the block.
            if (first < 1 || end <= first || marksIn(first, end) != 2)
                leftUnchanged.push_back(ref);
            else
                plan.push_back({first, end, ref});
        }
    }
    std::sort(plan.begin(), plan.end(),
              [](const Replacement& a, const Replacement& b) { return a.firstLine < b.firstLine; });
    return plan;
}

} // namespace

QString itemLine(const ShopRecord& record, const ItemSlot& item) {
    QString line = record.linePrefix;
    line.append(item.id).append(u"; ").append(item.taxRate);
    for (const QString& part : item.extraParts)
        line.append(u"; ").append(part);
    return line.append(record.lineSuffix);
}

ScriptWriteResult writeScript(QIODevice& source, QIODevice& output,
                              const std::vector<ShopRecord>& records, const WriteProgress& progress,
                              const ScriptWriteOptions& options) {
    ScriptWriteResult result;
    const std::vector<Replacement> plan = planReplacements(records, result.leftUnchanged);

    LineSource lines(source);
    OutputBuffer out(output);
    out.append(u"\uFEFF");
    QStringView line;
    BlockLines block;
    for (const Replacement& replacement : plan) {
        // Copy up to the first item line, pass the old items up to the end line (holding their
        // lines when they may be kept), write the new.
        while (lines.counter() < replacement.firstLine && lines.next(line))
            out.appendLine(line);
        block.clear();
        while (lines.counter() < replacement.endLine && lines.next(line)) {
            if (options.keepItemLines)
                block.add(line);
        }
        // The end line must be there too: a source cut just before it is not the file read.
        if (lines.counter() != replacement.endLine || !lines.next(line)) {
            result.status = lines.failed() ? ScriptWriteResult::Status::SourceFailed
                                           : ScriptWriteResult::Status::SourceChanged;
            return result;
        }
        const ShopRecord& record = records[static_cast<size_t>(replacement.ref.record)];
        const int list = replacement.ref.list;
        for (int i = 0; i <= record.upperBound() && !record.slot(list, i).id.isEmpty(); ++i) {
            const ItemSlot& item = record.slot(list, i);
            // An item's line counter stands one past its line.
            const QStringView kept = block.line(item.line - 1 - replacement.firstLine);
            if (options.keepItemLines && lineHoldsItem(kept, item))
                out.appendLine(kept);
            else
                out.appendLine(itemLine(record, item));
        }
        out.appendLine(line);
        ++result.listsWritten;
        if (progress)
            progress(result.listsWritten);
    }
    while (lines.next(line))
        out.appendLine(line);
    if (lines.failed()) {
        result.status = ScriptWriteResult::Status::SourceFailed;
        return result;
    }
    result.sourceHash = lines.contentHash();
    if (!out.flush())
        result.status = ScriptWriteResult::Status::OutputFailed;
    return result;
}

} // namespace vw
