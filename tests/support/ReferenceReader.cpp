// The reader as it stood before it read in place, kept as the plain reference the program's
// reader is compared with: the whole input decoded at once, split at every LF, every line
// handed to the reader's rules, which are copied here unchanged. Slow and simple on purpose.
#include "ReferenceReader.h"

#include "script/ContentHash.h"

#include <QVarLengthArray>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace vw::test {

namespace {

QStringView trimSpaces(QStringView text) {
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

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
            const qsizetype sep = test.indexOf(u" : ", 5);
            const QStringView name =
                sep >= 0 ? test.sliced(6, std::max<qsizetype>(sep - 6, 0)) : test.sliced(6);
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

ScriptReadResult referenceRead(const QByteArray& bytes, bool sequential,
                               std::vector<qint64>* progress) {
    const auto refused = [](ReadStatus status, TextProblem problem) {
        ScriptReadResult refusal;
        refusal.status = status;
        refusal.textProblem = problem;
        return refusal;
    };
    const bool odd = bytes.size() % 2 != 0;
    if (odd && !sequential)
        return refused(ReadStatus::NotUtf16, TextProblem::OddLength);
    std::vector<char16_t> units(static_cast<size_t>(bytes.size() / 2));
    if (!units.empty())
        qFromLittleEndian<char16_t>(bytes.constData(), static_cast<qsizetype>(units.size()),
                                    units.data());

    // The head: the first 64 KiB.
    const size_t head = std::min<size_t>(static_cast<size_t>(bytes.size()), 64 * 1024) / 2;
    if (head > 0) {
        const char16_t first = units[0];
        if (first == 0xFFFE)
            return refused(ReadStatus::NotUtf16, TextProblem::BigEndianMark);
        if (first == 0xBBEF && (head < 2 || (units[1] & 0xFF) == 0xBF))
            return refused(ReadStatus::NotUtf16, TextProblem::Utf8Mark);
        size_t zeroAtOdd = 0;
        size_t zeroAtEven = 0;
        const size_t start = first == 0xFEFF ? 1 : 0;
        for (size_t i = start; i < head; ++i) {
            if (units[i] == 0)
                return refused(ReadStatus::NotUtf16, TextProblem::NulCharacter);
            zeroAtOdd += (units[i] & 0xFF00) == 0;
            zeroAtEven += (units[i] & 0x00FF) == 0;
        }
        if (zeroAtOdd == 0 && zeroAtEven == 0 && head > start)
            return refused(ReadStatus::NotUtf16, TextProblem::NoZeroByte);
        if ((zeroAtOdd != 0 || zeroAtEven != 0) && zeroAtOdd <= zeroAtEven)
            return refused(ReadStatus::NotUtf16, TextProblem::BigEndianText);
    }

    ScriptReadResult result;
    Reader reader(result.records, result.report);
    const QStringView text(units.data(), static_cast<qsizetype>(units.size()));
    qsizetype at = !text.isEmpty() && text[0] == QChar(0xFEFF) ? 1 : 0;
    qint64 lines = 0;
    while (at < text.size()) {
        const qsizetype lf = text.indexOf(u'\n', at);
        QStringView line = text.sliced(at, (lf < 0 ? text.size() : lf) - at);
        if (lf >= 0 && line.endsWith(u'\r'))
            line.chop(1);
        if (progress && lines % 100 == 0)
            progress->push_back(lines / 100);
        ++lines;
        reader.feed(line, lines + 1, true);
        at = lf < 0 ? text.size() : lf + 1;
    }
    reader.finish();
    if (odd)
        return refused(ReadStatus::NotUtf16, TextProblem::OddLength);

    // NULs, and surrogates without their partner: a few are damage, more than 1 % no text.
    qint64 lone = 0;
    for (size_t i = 0; i < units.size(); ++i) {
        if (units[i] == 0)
            return refused(ReadStatus::NotUtf16, TextProblem::NulCharacter);
        if (QChar::isHighSurrogate(units[i]) && i + 1 < units.size() &&
            QChar::isLowSurrogate(units[i + 1]))
            ++i;
        else if (QChar::isSurrogate(units[i]))
            ++lone;
    }
    if (lone * 100 > static_cast<qint64>(units.size()))
        return refused(ReadStatus::NotUtf16, TextProblem::BrokenSurrogates);
    result.lineCount = lines;
    ContentHash hash;
    hash.add(bytes.constData(), bytes.size());
    result.stamp.contentHash = hash.value();
    return result;
}

std::string differenceOf(const ScriptReadResult& expected, const ScriptReadResult& actual) {
    if (expected.status != actual.status || expected.textProblem != actual.textProblem)
        return "status or text problem";
    if (expected.lineCount != actual.lineCount)
        return "line count " + std::to_string(expected.lineCount) + " against " +
               std::to_string(actual.lineCount);
    if (expected.records.size() != actual.records.size())
        return "record count";
    for (size_t i = 0; i < expected.records.size(); ++i) {
        if (!(expected.records[i] == actual.records[i]))
            return "record " + std::to_string(i) + " (" +
                   expected.records[i].className.toStdString() + ")";
    }
    if (!(expected.report == actual.report))
        return "read report";
    if (expected.stamp.contentHash != actual.stamp.contentHash)
        return "content hash";
    return {};
}

} // namespace vw::test
