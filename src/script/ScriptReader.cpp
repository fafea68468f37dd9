#include "ScriptReader.h"

#include "LineSource.h"

#include <QFile>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

#include <sys/stat.h>

namespace vw {

namespace {

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
    for (qsizetype p = find(text, u'_'); p >= 0; p = find(text, u'_', p + 1)) {
        if (matchesAt(text, p - 8, u"property")) {
            keys.propertyBegin |= matchesAt(text, p + 1, u"define_begin");
            keys.propertyEnd |= matchesAt(text, p + 1, u"define_end");
        } else if (matchesAt(text, p - 11, u"buyselllist")) {
            keys.listBegin |= matchesAt(text, p + 1, u"begin");
            keys.listEnd |= matchesAt(text, p + 1, u"end");
        } else if (matchesAt(text, p - 5, u"class")) {
            keys.classEnd |= matchesAt(text, p + 1, u"end");
        }
    }
    return keys;
}

class Reader {
public:
    Reader(std::vector<ShopRecord>& records, ReadReport& report)
        : records_(records), report_(report) {}

    // `counter` is the script format's line counter: the line's number plus one. Without
    // `mayHoldKeyword` the line holds no "_" before b, d or e, so no structure keyword.
    void feed(QStringView raw, qint64 counter, bool mayHoldKeyword = true) {
        line_ = static_cast<int>(counter - 1);
        QStringView test = trimSpaces(raw);
        if (test.startsWith(u"class ")) {
            // A class that follows an unclosed one starts clean: two classes never share a record.
            resetClassState();
            const qsizetype sep = test.indexOf(u" : ");
            const QStringView name = sep >= 0 ? test.sliced(6, sep - 6) : test.sliced(6);
            className_ = trimSpaces(name).toString();
            inClass_ = true;
            classLine_ = line_;
        }
        LineKeys keys = mayHoldKeyword ? scanKeys(test) : LineKeys{};
        if (keys.propertyBegin && inClass_)
            inProperty_ = true;
        const bool opensList = keys.listBegin && inProperty_ && openList(test);
        if (inList_) {
            const auto entry = itemEntry(raw);
            if (entry.isNull() && find(raw, u'{') >= 0)
                report_.malformed.push_back(
                    {line_, classLine_, className_, list_, malformedReason(raw)});
            if (!entry.isNull()) {
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
                    addItem(raw, entry, counter);
                test = entry;
                keys = mayHoldKeyword ? scanKeys(test) : LineKeys{};
            }
        }
        if (keys.listEnd && inList_) {
            itemIndex_ = -1;
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
    void finish() { leaveListUnclosed(); }

    // Item lines, and the lines with "{" that are no items, matter only while a list is open.
    bool inList() const { return inList_; }

private:
    void leaveListUnclosed() {
        if (inList_ && blockFirstItem_ != 0)
            report_.unclosed.push_back({blockFirstItem_, classLine_, className_, list_});
        blockFirstItem_ = 0;
    }

    static ReadReport::MalformedLine::Reason malformedReason(QStringView raw) {
        const qsizetype open = find(raw, u'{');
        return find(raw, u'}', open + 1) < 0 ? ReadReport::MalformedLine::Reason::NoClosingBrace
                                             : ReadReport::MalformedLine::Reason::EmptyId;
    }

    void resetClassState() {
        leaveListUnclosed();
        repeated_ = {false, false};
        unwritable_ = {false, false};
        brokenTemplate_ = false;
        inProperty_ = false;
        inList_ = false;
        recordMade_ = false;
        itemIndex_ = -1;
    }

    // True when the line opens list 0 or 1.
    bool openList(QStringView test) {
        int list = -1;
        if (containsKeyword(test, u"selllist0"))
            list = 0;
        if (containsKeyword(test, u"selllist1"))
            list = 1;
        if (list < 0)
            return false;
        leaveListUnclosed();
        list_ = list;
        inList_ = true;
        // A list opened while another was left open starts at its own first slot.
        itemIndex_ = -1;
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

    // The text between the first "{" and the first "}" after it, or a null view when the line
    // is no item line: no closing brace, or an empty item ID, which would end the list early.
    static QStringView itemEntry(QStringView raw) {
        const qsizetype open = find(raw, u'{');
        if (open < 0)
            return {};
        const qsizetype close = find(raw, u'}', open + 1);
        if (close < 0)
            return {};
        const QStringView entry = trimSpaces(raw.sliced(open + 1, close - open - 1));
        const qsizetype semicolon = find(entry, u';');
        if (trimSpaces(semicolon < 0 ? entry : entry.first(semicolon)).isEmpty())
            return {};
        return entry;
    }

    void addItem(QStringView raw, QStringView entry, qint64 counter) {
        // The parts between semicolons, without building a list of them.
        QVarLengthArray<QStringView, 8> parts;
        for (qsizetype from = 0;;) {
            const qsizetype semicolon = find(entry, u';', from);
            const qsizetype end = semicolon < 0 ? entry.size() : semicolon;
            parts.append(trimSpaces(entry.sliced(from, end - from)));
            if (semicolon < 0)
                break;
            from = semicolon + 1;
        }
        // Items mostly repeat the extra parts of the record's first item: they share its list.
        const auto extraOf = [&parts](const QStringList* like) {
            if (like && like->size() == parts.size() - 2 &&
                std::equal(like->begin(), like->end(), parts.begin() + 2))
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
        ++itemIndex_;
        record.growTo(itemIndex_);
        ItemSlot& slot = record.slot(list_, itemIndex_);
        slot.id = parts[0].toString();
        const QStringView rate = parts.size() > 1 ? parts[1] : QStringView();
        // Neighbours mostly share a tax rate, and then the string too.
        if (itemIndex_ > 0 && record.slot(list_, itemIndex_ - 1).taxRate == rate)
            slot.taxRate = record.slot(list_, itemIndex_ - 1).taxRate;
        else
            slot.taxRate = rate.toString();
        slot.line = static_cast<int>(counter);
        slot.extraParts = extraOf(&record.templateExtraParts);
    }

    std::vector<ShopRecord>& records_;
    ReadReport& report_;
    int line_ = 0;
    int classLine_ = 0;
    int blockFirstItem_ = 0; // the first item line of the open list's block, 0 before one
    QString className_;
    bool inClass_ = false;
    bool inProperty_ = false;
    bool inList_ = false;
    bool recordMade_ = false;
    int list_ = -1;
    int itemIndex_ = -1;
    std::array<bool, ShopRecord::ListCount> repeated_{false, false};
    std::array<bool, ShopRecord::ListCount> unwritable_{false, false};
    bool brokenTemplate_ = false;
};

} // namespace

ScriptReadResult readScript(QIODevice& device, const ReadProgress& progress, LineWalk walk) {
    ScriptReadResult result;
    const auto refused = [](ReadStatus status, TextProblem problem = TextProblem::None) {
        ScriptReadResult refusal;
        refusal.status = status;
        refusal.textProblem = problem;
        return refusal;
    };
    if (!device.isSequential() && device.size() % 2 != 0)
        return refused(ReadStatus::NotUtf16, TextProblem::OddLength);
    TextCheck check;
    LineSource lines(device, &check);
    if (const TextProblem problem = lines.headProblem(); problem != TextProblem::None)
        return refused(ReadStatus::NotUtf16, problem);
    Reader reader(result.records, result.report);
    // Progress is told before each hundredth line, whether or not the line is one to look at.
    qint64 told = 0; // lines whose hundreds have been told
    const auto tell = [&](qint64 upTo) {
        if (!progress)
            return;
        for (qint64 index = (told + 99) / 100 * 100; index < upTo; index += 100)
            progress(index / 100);
        told = std::max(told, upTo);
    };
    QStringView line;
    const auto nextLine = [&] {
        return walk == LineWalk::Every ? lines.next(line)
                                       : lines.nextStructureLine(line, reader.inList());
    };
    while (nextLine()) {
        tell(lines.linesRead());
        reader.feed(line, lines.counter(), lines.lineSigns() & LineSource::KeywordSign);
    }
    tell(lines.linesRead());
    reader.finish();
    if (lines.failed())
        return refused(ReadStatus::ReadFailed);
    if (lines.oddTrailingByte())
        return refused(ReadStatus::NotUtf16, TextProblem::OddLength);
    if (const TextProblem problem = check.problem(); problem != TextProblem::None)
        return refused(ReadStatus::NotUtf16, problem);
    result.lineCount = lines.linesRead();
    result.stamp.contentHash = lines.contentHash();
    return result;
}

namespace {

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

} // namespace

FileFacts fileFactsOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return factsOf(info);
}

ScriptReadResult readScriptFile(const QString& path, const ReadProgress& progress) {
    QFile file(path);
    struct stat info {};
    // The facts of the file opened, not of whatever the path names a moment later.
    if (!file.open(QIODevice::ReadOnly) || ::fstat(file.handle(), &info) != 0) {
        ScriptReadResult result;
        result.status = ReadStatus::OpenFailed;
        return result;
    }
    ScriptReadResult result = readScript(file, progress);
    result.stamp.facts = factsOf(info);
    return result;
}

} // namespace vw
