#include "ScriptReader.h"

#include "ItemEntry.h"
#include "LineSource.h"
#include "ScriptReaderScan.h"

#include <QFile>
#include <QVarLengthArray>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vw {

namespace {

// Keywords as views of known length: a plain literal would have its length counted at each use.
using namespace std::string_view_literals;

// The position of `unit` in `text` from `from` on, or -1. Lines are short: a plain loop beats
// the library's search, whose set-up costs more than the search itself here.
qsizetype find(QStringView text, char16_t unit, qsizetype from = 0) {
    for (qsizetype i = std::max<qsizetype>(from, 0); i < text.size(); ++i) {
        if (text[i].unicode() == unit)
            return i;
    }
    return -1;
}

// Case-insensitive comparison of `text` at `pos` with a lower-case ASCII keyword.
bool matchesAt(QStringView text, qsizetype pos, std::u16string_view keyword) {
    if (pos < 0 || pos + static_cast<qsizetype>(keyword.size()) > text.size())
        return false;
    for (size_t i = 0; i < keyword.size(); ++i) {
        const char16_t c = text[pos + static_cast<qsizetype>(i)].unicode();
        const char16_t k = keyword[i];
        if (k >= u'a' && k <= u'z' ? (c | 0x20) != k : c != k)
            return false;
    }
    return true;
}

// The library's comparisons and searches are calls with a set-up of their own, and so is
// memcmp: the texts here are a few units, and plain loops beat them all.
bool sameText(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.utf16()[i] != b.utf16()[i])
            return false;
    }
    return true;
}

bool startsWithText(QStringView text, std::u16string_view start) {
    return text.size() >= static_cast<qsizetype>(start.size()) &&
           sameText(text.first(static_cast<qsizetype>(start.size())),
                    QStringView(start.data(), static_cast<qsizetype>(start.size())));
}

// Whether `text` holds a lower-case ASCII keyword anywhere, ASCII letters in either case: the
// script's keywords never match other letters that fold to them, such as U+017F to "s".
bool containsKeyword(QStringView text, std::u16string_view keyword) {
    for (qsizetype pos = 0; pos + static_cast<qsizetype>(keyword.size()) <= text.size(); ++pos) {
        if (matchesAt(text, pos, keyword))
            return true;
    }
    return false;
}

// Which structure keywords a line holds anywhere, ignoring letter case. Every keyword carries an
// underscore, so only the places around underscores are compared: a plain search for five
// keywords on each of a million lines would dominate the read.
struct LineKeys {
    bool propertyBegin = false;
    bool propertyEnd = false;
    bool listBegin = false;
    bool listEnd = false;
    bool classEnd = false;
};

LineKeys scanKeys(QStringView text) {
    LineKeys keys;
    // The letters on either side of the underscore tell which keyword it may belong to.
    const char16_t* units = text.utf16();
    for (qsizetype p = 5; p + 3 < text.size(); ++p) {
        if (units[p] != u'_')
            continue;
        const char16_t before = units[p - 1] | 0x20;
        const char16_t after = units[p + 1] | 0x20;
        if (before == u'y' && after == u'd' && matchesAt(text, p - 8, u"property"sv)) {
            keys.propertyBegin |= matchesAt(text, p + 1, u"define_begin"sv);
            keys.propertyEnd |= matchesAt(text, p + 1, u"define_end"sv);
        } else if (before == u't' && matchesAt(text, p - 11, u"buyselllist"sv)) {
            keys.listBegin |= matchesAt(text, p + 1, u"begin"sv);
            keys.listEnd |= matchesAt(text, p + 1, u"end"sv);
        } else if (before == u's' && after == u'e' && matchesAt(text, p - 5, u"class"sv)) {
            keys.classEnd |= matchesAt(text, p + 1, u"end"sv);
        }
    }
    return keys;
}

class Reader {
public:
    // Without a sink every record stays in `records`; with one, only the record being read.
    Reader(std::vector<ShopRecord>& records, ReadReport& report, const RecordSink* sink)
        : records_(records), report_(report), sink_(sink) {}

    // `counter` is the script format's line counter: the line's number plus one. Without
    // `mayHoldKeyword` the line holds no "_" before b, d or e, so no structure keyword.
    void feed(QStringView raw, qint64 counter, bool mayHoldKeyword) {
        line_ = static_cast<int>(counter - 1);
        QStringView test = trimSpaces(raw);
        if (startsWithText(test, u"class "sv)) {
            // A class that follows an unclosed one starts clean: two classes never share a record.
            resetClassState();
            // "class : x" has an empty name: the separator's space is the keyword's.
            qsizetype sep = 5;
            while (sep + 3 <= test.size() && !startsWithText(test.sliced(sep), u" : "sv))
                ++sep;
            const qsizetype nameEnd =
                sep + 3 <= test.size() ? std::max<qsizetype>(sep, 6) : test.size();
            className_ = trimSpaces(test.sliced(6, nameEnd - 6)).toString();
            inClass_ = true;
            classLine_ = line_;
        }
        LineKeys keys = mayHoldKeyword ? scanKeys(test) : LineKeys{};
        if (keys.propertyBegin && inClass_)
            inProperty_ = true;
        const bool opensList = keys.listBegin && inProperty_ && openList(test);
        if (inList_) {
            ItemEntry entry;
            const ItemLine item = readItem(raw, entry);
            if (item == ItemLine::Malformed)
                report_.malformed.push_back(
                    {line_, classLine_, className_, list_, malformedReason(raw)});
            if (item == ItemLine::Item) {
                if (blockFirstItem_ == 0)
                    blockFirstItem_ = line_;
                // An item on the line that opens its list is read, but replacing the list
                // would drop the opening line; and as the record's template that line would
                // put a second opening into every list written with it.
                if (opensList) {
                    unwritable_[list_] = true;
                    brokenTemplate_ |= !recordMade_;
                }
                if (!repeated_[list_])
                    addItem(raw, entry.parts, counter);
                test = entry.text;
                keys = mayHoldKeyword ? scanKeys(test) : LineKeys{};
            }
        }
        if (keys.listEnd && inList_) {
            storeItems();
            blockFirstItem_ = 0;
            // Without an end line the writer leaves the list as it stands.
            if (recordMade_ && !repeated_[list_] && !unwritable_[list_] && !brokenTemplate_)
                records_.back().endLine[list_] = static_cast<int>(counter);
            if (recordMade_)
                records_.back().compact(); // the list is whole: drop the growth slack
            inList_ = false;
        }
        if (keys.propertyEnd && inProperty_)
            inProperty_ = false;
        if (inClass_ && keys.classEnd) {
            resetClassState();
            inClass_ = false;
        }
    }

    // The end of the input leaves the open list, if any, without its end line.
    void finish() {
        leaveListUnclosed();
        handOver();
    }

    // Item lines, and the lines with "{" that are no items, matter only while a list is open.
    bool inList() const { return inList_; }

private:
    void leaveListUnclosed() {
        storeItems();
        if (inList_ && blockFirstItem_ != 0)
            report_.unclosed.push_back({blockFirstItem_, classLine_, className_, list_});
        blockFirstItem_ = 0;
    }

    static ReadReport::MalformedLine::Reason malformedReason(QStringView raw) {
        const qsizetype open = find(raw, u'{');
        return find(raw, u'}', open + 1) < 0 ? ReadReport::MalformedLine::Reason::NoClosingBrace
                                             : ReadReport::MalformedLine::Reason::EmptyId;
    }

    // The record of a class is whole once the class ends: nothing after it reaches the record.
    void handOver() {
        if (!sink_ || !recordMade_)
            return;
        (*sink_)(std::move(records_.back()));
        records_.pop_back();
    }

    void resetClassState() {
        leaveListUnclosed();
        handOver();
        repeated_ = {false, false};
        unwritable_ = {false, false};
        brokenTemplate_ = false;
        inProperty_ = false;
        inList_ = false;
        recordMade_ = false;
    }

    // True when the line opens list 0 or 1.
    bool openList(QStringView test) {
        int list = -1;
        if (containsKeyword(test, u"selllist0"sv))
            list = 0;
        if (containsKeyword(test, u"selllist1"sv))
            list = 1;
        if (list < 0)
            return false;
        leaveListUnclosed();
        list_ = list;
        inList_ = true;
        // A second block of a list whose items this class already read (a damaged file) is not
        // read: its items would mix with the first block's, and with no whole block of its own
        // the list is one the writer leaves as it stands. After a block without items the list
        // is read from this one, whether or not the other list made the record already.
        if (recordMade_) {
            ShopRecord& record = records_.back();
            if (record.startLine[list_] != 0) {
                repeated_[list_] = true;
                report_.repeated.push_back({line_, classLine_, className_, list_});
            }
            record.endLine[list_] = 0;
        }
        return true;
    }

    // A line with "{" is no item line without a closing brace, or with an empty item ID, which
    // would end the list early.
    enum class ItemLine { NoBrace, Malformed, Item };
    struct ItemEntry {
        QStringView text;
        EntryParts parts;
    };

    static ItemLine readItem(QStringView raw, ItemEntry& entry) {
        if (find(raw, u'{') < 0)
            return ItemLine::NoBrace;
        return itemEntryParts(raw, entry.parts, &entry.text) ? ItemLine::Item : ItemLine::Malformed;
    }

    void addItem(QStringView raw, const EntryParts& parts, qint64 counter) {
        // Items mostly repeat the extra parts of the record's first item: they share its list.
        const auto extraOf = [&parts](const QStringList* like) {
            if (like && like->size() == parts.size() - 2 &&
                std::equal(like->begin(), like->end(), parts.begin() + 2, sameText))
                return *like;
            QStringList extra;
            for (qsizetype i = 2; i < parts.size(); ++i)
                extra.append(parts[i].toString());
            return extra;
        };
        if (!recordMade_) {
            ShopRecord record;
            record.className = className_;
            const qsizetype open = find(raw, u'{');
            record.linePrefix = raw.first(open + 1).toString();
            record.lineSuffix = raw.sliced(find(raw, u'}', open + 1)).toString();
            record.templateExtraParts = extraOf(nullptr);
            records_.push_back(std::move(record));
            report_.recordClassLines.push_back(classLine_);
            recordMade_ = true;
        }
        ShopRecord& record = records_.back();
        if (record.startLine[list_] == 0)
            record.startLine[list_] = static_cast<int>(counter);
        const QStringView rate = parts.size() > 1 ? parts[1] : QStringView();
        // Neighbours mostly share a tax rate, and then the string too. The slot is built whole
        // in place: Qt's copy assignment is a call, its copy construction is not.
        const bool sameRate = !items_.empty() && sameText(items_.back().taxRate, rate);
        items_.push_back(ItemSlot{parts[0].toString(),
                                  sameRate ? QString(items_.back().taxRate) : rate.toString(),
                                  static_cast<int>(counter), extraOf(&record.templateExtraParts)});
    }

    // The items of a block go into the record when the block ends, at once: the list then takes
    // its length in one allocation instead of growing item by item.
    void storeItems() {
        if (items_.empty())
            return;
        ShopRecord& record = records_.back();
        std::vector<ItemSlot> list;
        list.reserve(std::max(items_.size(), static_cast<size_t>(record.upperBound() + 1)));
        list.insert(list.end(), std::make_move_iterator(items_.begin()),
                    std::make_move_iterator(items_.end()));
        items_.clear();
        record.setItems(list_, std::move(list));
    }

    std::vector<ShopRecord>& records_;
    ReadReport& report_;
    const RecordSink* sink_;
    int line_ = 0;
    int classLine_ = 0;
    int blockFirstItem_ = 0; // the first item line of the open list's block, 0 before one
    QString className_;
    bool inClass_ = false;
    bool inProperty_ = false;
    bool inList_ = false;
    bool recordMade_ = false;
    int list_ = -1;
    std::vector<ItemSlot> items_; // the items of the open block, not yet in the record
    std::array<bool, ShopRecord::ListCount> repeated_{false, false};
    std::array<bool, ShopRecord::ListCount> unwritable_{false, false};
    bool brokenTemplate_ = false;
};

// Units are read in blocks of this size behind the line not yet finished: a block and its
// marks stay in the core's cache while they are hashed, checked and walked.
constexpr size_t BlockUnits = 128 * 1024;
// Units readable after the data: the last run of marks may reach past it, and reads one more.
constexpr size_t SlackUnits = RunUnits + 1;

// The bytes of a file, through the system's own calls.
class FileBytes {
public:
    explicit FileBytes(int fd) : fd_(fd) {}
    qint64 read(char* out, qint64 max) {
        for (;;) {
            const ssize_t got = ::read(fd_, out, static_cast<size_t>(max));
            if (got >= 0 || errno != EINTR)
                return got;
        }
    }

private:
    int fd_;
};

class DeviceBytes {
public:
    explicit DeviceBytes(QIODevice& device) : device_(device) {}
    qint64 read(char* out, qint64 max) { return device_.read(out, max); }

private:
    QIODevice& device_;
};

// The units of the input, read block by block behind the units still needed, and hashed as
// each block arrives, while it is in the cache: no byte comes from memory twice, and none is
// copied again but those of a line that spans two blocks.
class UnitBuffer {
public:
    UnitBuffer() : units_(BlockUnits + SlackUnits) {}

    // Moves the units from `keepFrom` on (and a trailing half unit) to the front and reads more
    // behind them. False at the end of the input or on a read error.
    template <class Bytes> bool fill(Bytes& bytes, size_t keepFrom) {
        const size_t keptBytes = endBytes_ - keepFrom * 2;
        if (keepFrom > 0 && keptBytes > 0)
            std::memmove(units_.data(), units_.data() + keepFrom, keptBytes);
        endBytes_ = keptBytes;
        if (capacityBytes() - endBytes_ < BlockUnits)
            units_.resize(units_.size() + BlockUnits); // a line longer than half the buffer
        char* const at = reinterpret_cast<char*>(units_.data()) + endBytes_;
        const qint64 got = bytes.read(at, static_cast<qint64>(capacityBytes() - endBytes_));
        if (got < 0) {
            failed_ = true;
            return false;
        }
        if (got == 0) {
            ended_ = true;
            return false;
        }
        hash_.add(at, got);
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
        // Swap only whole units that arrived complete; a trailing odd byte waits for its partner.
        const size_t firstUnit = (endBytes_ + 1) / 2;
        endBytes_ += static_cast<size_t>(got);
        for (size_t i = firstUnit; i < endBytes_ / 2; ++i)
            units_[i] = qFromLittleEndian(units_[i]);
#else
        endBytes_ += static_cast<size_t>(got);
#endif
        return true;
    }

    const char16_t* data() const {
        return units_.data();
    }
    size_t size() const {
        return endBytes_ / 2;
    }
    size_t sizeBytes() const {
        return endBytes_;
    }
    bool ended() const {
        return ended_;
    }
    bool failed() const {
        return failed_;
    }
    quint64 hash() const {
        return hash_.value();
    }
    // Puts a unit the marks pass over behind the last unit, where the last run reads.
    void padEnd() {
        std::fill_n(units_.data() + size(), SlackUnits, u'x');
    }

private:
    size_t capacityBytes() const {
        return (units_.size() - SlackUnits) * 2;
    }

    std::vector<char16_t> units_;
    size_t endBytes_ = 0;
    ContentHash hash_;
    bool ended_ = false;
    bool failed_ = false;
};

// Walks the marks of the units line by line and hands the reader every line that can change
// what it builds: one with a keyword's "_", one whose first unit is "c" or " " (a class line
// starts so), and while a list is open one with a "{". Every other line is passed over without
// a look at its line feeds: where a line starts and how many came before is worked out from
// the marks when a line is wanted, which is where a read spends least.
class LineWalker {
public:
    LineWalker(Reader& reader, const ReadProgress& progress)
        : reader_(reader), progress_(progress) {}

    // The first line starts at `unit` (after a byte-order mark).
    void startAt(size_t unit) { lineStart_ = unit; }

    // Walks the runs of marks of the units from `base` on.
    void walk(const char16_t* units, size_t base, const UnitMarks* marks, size_t runs,
              std::uint32_t lineFeeds) {
        for (size_t r = 0; r < runs; ++r) {
            const UnitMarks& m = marks[r];
            const std::uint32_t starts = ((m.lineFeeds << 1) | lineFeedBefore_) & m.starters;
            lineFeedBefore_ = m.lineFeeds >> 31;
            if (wanted_ || (m.keywords | starts | (reader_.inList() ? m.braces : 0)) != 0)
                walkRun(units, base, marks, r, starts);
        }
        linesBefore_ += lineFeeds;
        lines_ = linesBefore_;
        lineStart_ = lineStartBefore(base, marks, runs, 0);
    }

    // The input ended at `end`: the line left, if any, counts too, and a lone CR at its end is
    // its text.
    void finish(const char16_t* units, size_t end) {
        if (lineStart_ >= end)
            return;
        ++lines_;
        if (wanted_)
            take(units, end);
    }

    // Where the line not yet finished starts; the buffer keeps it when it reads on.
    size_t lineStart() const { return lineStart_; }
    // The units moved `by` to the front.
    void moved(size_t by) { lineStart_ -= by; }
    qint64 lines() const { return lines_; }

    // Progress is told before each hundredth line, whether or not the line is one to look at.
    void tell() {
        if (!progress_)
            return;
        for (qint64 index = (told_ + 99) / 100 * 100; index < lines_; index += 100)
            progress_(index / 100);
        told_ = std::max(told_, lines_);
    }

private:
    static std::uint32_t below(unsigned bit) { return (std::uint32_t{1} << bit) - 1; }
    // std::popcount is a library call on the x86-64 baseline, which lacks the instruction.
    static qint64 bitCount(std::uint32_t bits) {
        bits -= (bits >> 1) & 0x55555555u;
        bits = (bits & 0x33333333u) + ((bits >> 2) & 0x33333333u);
        return static_cast<qint64>((((bits + (bits >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
    }

    // The start of a line in run `r`, before which that run holds the line feeds `feeds`:
    // after the last line feed before it in this call's runs or, without one there, where the
    // last call left it.
    size_t lineStartBefore(size_t base, const UnitMarks* marks, size_t r,
                           std::uint32_t feeds) const {
        while (feeds == 0 && r > 0)
            feeds = marks[--r].lineFeeds;
        if (feeds == 0)
            return lineStart_;
        return base + r * RunUnits + RunUnits - static_cast<size_t>(std::countl_zero(feeds));
    }

    // One run that holds a mark the reader may need, or the end of a line it wants: its events
    // in order.
    void walkRun(const char16_t* units, size_t base, const UnitMarks* marks, size_t r,
                 std::uint32_t starts) {
        const UnitMarks& m = marks[r];
        const size_t at = base + r * RunUnits;
        for (unsigned pos = 0; pos < RunUnits;) {
            const std::uint32_t rest = ~std::uint32_t{0} << pos;
            if (wanted_) {
                const std::uint32_t ends = m.lineFeeds & rest;
                if (ends == 0) {
                    keyword_ |= (m.keywords & rest) != 0;
                    return;
                }
                const auto end = static_cast<unsigned>(std::countr_zero(ends));
                keyword_ |= (m.keywords & rest & below(end)) != 0;
                lines_ = linesBefore_ + m.lineFeedsBefore + bitCount(m.lineFeeds & below(end)) + 1;
                const size_t lineFeed = at + end;
                take(units, lineFeed > lineStart_ && units[lineFeed - 1] == u'\r' ? lineFeed - 1
                                                                                  : lineFeed);
                lineStart_ = lineFeed + 1;
                wanted_ = false;
                pos = end + 1;
                continue;
            }
            const std::uint32_t wanted =
                (m.keywords | starts | (reader_.inList() ? m.braces : 0)) & rest;
            if (wanted == 0)
                return;
            const auto first = static_cast<unsigned>(std::countr_zero(wanted));
            lineStart_ = lineStartBefore(base, marks, r, m.lineFeeds & below(first));
            wanted_ = true;
            keyword_ = (m.keywords >> first) & 1;
            pos = first + 1;
        }
    }

    void take(const char16_t* units, size_t end) {
        tell();
        reader_.feed(QStringView(units + lineStart_, static_cast<qsizetype>(end - lineStart_)),
                     lines_ + 1, keyword_);
    }

    Reader& reader_;
    const ReadProgress& progress_;
    size_t lineStart_ = 0;
    qint64 linesBefore_ = 0; // lines ended before the runs of the current call
    qint64 lines_ = 0;       // lines ended before the line last handed over, that one included
    qint64 told_ = 0;        // lines whose hundreds have been told
    std::uint32_t lineFeedBefore_ = 1; // the unit before the next run ends a line, or there is none
    bool wanted_ = false;              // the line not yet finished goes to the reader
    bool keyword_ = false;             // ... and holds a keyword's "_"
};

ScriptReadResult refused(ReadStatus status, TextProblem problem = TextProblem::None) {
    ScriptReadResult refusal;
    refusal.status = status;
    refusal.textProblem = problem;
    return refusal;
}

template <class Bytes>
ScriptReadResult readUnits(Bytes& bytes, const ReadProgress& progress, const RecordSink* sink) {
    UnitBuffer buffer;
    // Short reads are normal for some devices: keep reading until the head is whole.
    while (buffer.sizeBytes() < HeadBytes && !buffer.ended() && !buffer.failed())
        buffer.fill(bytes, 0);
    if (const TextProblem problem =
            headProblem(buffer.data(), std::min(buffer.sizeBytes(), HeadBytes) / 2);
        problem != TextProblem::None)
        return refused(ReadStatus::NotUtf16, problem);
    if (buffer.failed())
        return refused(ReadStatus::ReadFailed);

    ScriptReadResult result;
    Reader reader(result.records, result.report, sink);
    LineWalker walker(reader, progress);
    TextCheck check;
    std::vector<UnitMarks> marks(BlockUnits / RunUnits);
    size_t scan = 0; // the first unit not yet marked
    if (buffer.size() > 0 && buffer.data()[0] == 0xFEFF) {
        check.feedPlain(1);
        scan = 1;
        walker.startAt(1);
    }
    for (;;) {
        const size_t size = buffer.size();
        const bool ended = buffer.ended();
        // A run needs the unit after it: until the input ends, the last unit waits for more.
        size_t runs = 0;
        if (ended) {
            buffer.padEnd();
            runs = (size - scan + RunUnits - 1) / RunUnits;
        } else if (size > scan) {
            runs = (size - scan - 1) / RunUnits;
        }
        while (runs > 0) {
            const size_t step = std::min(runs, marks.size());
            const char16_t* from = buffer.data() + scan;
            const size_t units = std::min(step * RunUnits, size - scan);
            const MarkedRuns marked = markUnits(from, step, marks.data());
            if (marked.rare)
                check.feed(from, units);
            else
                check.feedPlain(units);
            walker.walk(buffer.data(), scan, marks.data(), step, marked.lineFeeds);
            scan += units;
            runs -= step;
        }
        if (ended) {
            walker.finish(buffer.data(), size);
            break;
        }
        const size_t keep = walker.lineStart();
        if (!buffer.fill(bytes, keep) && buffer.failed())
            return refused(ReadStatus::ReadFailed);
        scan -= keep;
        walker.moved(keep);
        walker.tell();
    }
    walker.tell();
    reader.finish();
    if (buffer.sizeBytes() % 2 != 0)
        return refused(ReadStatus::NotUtf16, TextProblem::OddLength);
    if (const TextProblem problem = check.problem(); problem != TextProblem::None)
        return refused(ReadStatus::NotUtf16, problem);
    result.lineCount = walker.lines();
    result.stamp.contentHash = buffer.hash();
    return result;
}

ScriptReadResult readDevice(QIODevice& device, const ReadProgress& progress,
                            const RecordSink* sink) {
    if (!device.isSequential() && device.size() % 2 != 0)
        return refused(ReadStatus::NotUtf16, TextProblem::OddLength);
    DeviceBytes bytes(device);
    return readUnits(bytes, progress, sink);
}

qint64 nanoseconds(const timespec& time) {
    return static_cast<qint64>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileFacts factsOf(const struct stat& info) {
    return {true,
            S_ISREG(info.st_mode),
            static_cast<qint64>(info.st_size),
            static_cast<quint64>(info.st_dev),
            static_cast<quint64>(info.st_ino),
            nanoseconds(info.st_mtim),
            nanoseconds(info.st_ctim)};
}

ScriptReadResult readFile(const QString& path, const ReadProgress& progress,
                          const RecordSink* sink) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    // The facts of the file opened, not of whatever the path names a moment later.
    if (fd < 0 || ::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        return refused(ReadStatus::OpenFailed);
    }
    ScriptReadResult result;
    // A regular file has a size to check first; a pipe or a device is read to its end.
    if (S_ISREG(info.st_mode) && info.st_size % 2 != 0) {
        result = refused(ReadStatus::NotUtf16, TextProblem::OddLength);
    } else {
        if (S_ISREG(info.st_mode))
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        FileBytes bytes(fd);
        result = readUnits(bytes, progress, sink);
    }
    ::close(fd);
    result.stamp.facts = factsOf(info);
    return result;
}

} // namespace

FileFacts fileFactsOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return factsOf(info);
}

ScriptReadResult readScript(QIODevice& device, const ReadProgress& progress) {
    return readDevice(device, progress, nullptr);
}

ScriptReadResult readScriptFile(const QString& path, const ReadProgress& progress) {
    return readFile(path, progress, nullptr);
}

ScriptReadResult streamScript(QIODevice& device, const RecordSink& sink,
                              const ReadProgress& progress) {
    return readDevice(device, progress, &sink);
}

ScriptReadResult streamScriptFile(const QString& path, const RecordSink& sink,
                                  const ReadProgress& progress) {
    return readFile(path, progress, &sink);
}

} // namespace vw
