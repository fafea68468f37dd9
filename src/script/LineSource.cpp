#include "LineSource.h"

#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vw {

namespace {

constexpr size_t BlockUnits = 64 * 1024;

// Eight code units, compared all at once (SSE2 on x86-64, NEON on ARM).
using Units8 = unsigned short __attribute__((vector_size(16)));
using Lanes8 = short __attribute__((vector_size(16)));

// All lanes set where `v` holds a NUL or a surrogate.
Lanes8 rareUnits(Units8 v) {
    return (v == 0) | ((v & 0xF800) == 0xD800);
}

bool anyLane(Lanes8 lanes) {
    quint64 halves[2];
    std::memcpy(halves, &lanes, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

// Two bits for each set lane, lane 0 lowest: on x86-64 one instruction makes them.
unsigned laneBits(Lanes8 lanes) {
#if defined(__SSE2__)
    return static_cast<unsigned>(_mm_movemask_epi8(reinterpret_cast<__m128i>(lanes)));
#else
    unsigned bits = 0;
    for (int lane = 0; lane < 8; ++lane)
        bits |= lanes[lane] ? 3u << (2 * lane) : 0u;
    return bits;
#endif
}

// Whether the unit after a "_" can start a structure keyword's tail: define_…, begin, end.
bool keywordTail(char16_t unit) {
    const char16_t lower = unit | 0x20;
    return lower == u'b' || lower == u'd' || lower == u'e';
}

// The next LF in [from, end), or `end`; on the way adds to `signs` what the units hold: a "_"
// before b, d or e (either case), and a "{". A "_" as the last unit there counts: its neighbour
// is not known yet, and a line taken for a structure line too often only costs a look.
const char16_t* findLineEnd(const char16_t* from, const char16_t* end, unsigned& signs) {
    const char16_t* p = from;
    const auto look = [&](const char16_t* unit) {
        if (*unit == u'{')
            signs |= LineSource::BraceSign;
        else if (*unit == u'_' && (unit + 1 == end || keywordTail(unit[1])))
            signs |= LineSource::KeywordSign;
    };
    // Eight units and the eight after each: most groups hold no sign at all, and a "_" inside a
    // name (most of them) is passed over without a look at each unit.
    for (; p + 9 <= end; p += 8) {
        Units8 v;
        Units8 after;
        std::memcpy(&v, p, sizeof v);
        std::memcpy(&after, p + 1, sizeof after);
        // Plain numbers for the units: clang 14 fails on a char16_t against a vector.
        const Units8 tail = after | 0x20;
        const Lanes8 keyword = (v == 0x5F) & ((tail == 0x62) | (tail == 0x64) | (tail == 0x65));
        const Lanes8 stop = (v == 0x0A) | (v == 0x7B) | keyword; // LF, "{", "_b" "_d" "_e"
        // Straight to the units that stop the scan, in order.
        for (unsigned bits = laneBits(stop); bits != 0; bits &= bits - 1, bits &= bits - 1) {
            const char16_t* unit = p + std::countr_zero(bits) / 2;
            if (*unit == u'\n')
                return unit;
            look(unit);
        }
    }
    for (; p < end; ++p) {
        if (*p == u'\n')
            return p;
        look(p);
    }
    return end;
}

// A line whose first text after its spaces is "class ": it opens a class.
bool opensClass(QStringView line) {
    qsizetype i = 0;
    while (i < line.size() && line[i] == u' ')
        ++i;
    return i < line.size() && line[i] == u'c' && line.sliced(i).startsWith(u"class ");
}

} // namespace

LineSource::LineSource(QIODevice& device, TextCheck* check)
    : device_(device), check_(check), buffer_(BlockUnits) {}

bool LineSource::fill() {
    // Keep the unconsumed tail (possibly half a code unit) at the front, then read behind it.
    const size_t tailBytes = endBytes_ - begin_ * 2;
    if (begin_ > 0 && tailBytes > 0)
        std::memmove(buffer_.data(), buffer_.data() + begin_, tailBytes);
    checked_ -= begin_;
    begin_ = 0;
    endBytes_ = tailBytes;
    if (endBytes_ + BlockUnits > buffer_.size() * 2 - 2)
        buffer_.resize(buffer_.size() + BlockUnits); // a line longer than the buffer
    const qint64 space = static_cast<qint64>(buffer_.size() * 2 - endBytes_ - 1);
    const qint64 got = device_.read(reinterpret_cast<char*>(buffer_.data()) + endBytes_, space);
    if (got < 0) {
        failed_ = true;
        return false;
    }
    if (got == 0) {
        eof_ = true;
        return false;
    }
    hash_.add(reinterpret_cast<const char*>(buffer_.data()) + endBytes_, got);
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
    // Swap only whole units that arrived complete; a trailing odd byte waits for its partner.
    const size_t firstUnit = (endBytes_ + 1) / 2;
    endBytes_ += static_cast<size_t>(got);
    for (size_t i = firstUnit; i < endBytes_ / 2; ++i)
        buffer_[i] = qFromLittleEndian(buffer_[i]);
#else
    endBytes_ += static_cast<size_t>(got);
#endif
    if (check_) {
        check_->feed(buffer_.data() + checked_, endBytes_ / 2 - checked_);
        checked_ = endBytes_ / 2;
    }
    return true;
}

TextProblem LineSource::headProblem() {
    // Short reads are normal for some devices: keep reading until the head is whole.
    constexpr size_t HeadBytes = 64 * 1024;
    while (endBytes_ < HeadBytes && !eof_ && !failed_)
        fill();
    // Compared as code units, so the test holds in either byte order of the machine.
    const size_t units = std::min(endBytes_, HeadBytes) / 2;
    if (units == 0)
        return TextProblem::None;
    const char16_t first = buffer_[0];
    if (first == 0xFFFE)
        return TextProblem::BigEndianMark;
    if (first == 0xBBEF && (units < 2 || (buffer_[1] & 0xFF) == 0xBF))
        return TextProblem::Utf8Mark;
    const size_t contentStart = first == 0xFEFF ? 1 : 0;
    size_t zeroAtOdd = 0;  // units of the form 00xx, as little-endian ASCII
    size_t zeroAtEven = 0; // units of the form xx00, as big-endian ASCII
    for (size_t i = contentStart; i < units; ++i) {
        const char16_t c = buffer_[i];
        if (c == 0)
            return TextProblem::NulCharacter;
        zeroAtOdd += (c & 0xFF00) == 0;
        zeroAtEven += (c & 0x00FF) == 0;
    }
    if (zeroAtOdd == 0 && zeroAtEven == 0)
        return units == contentStart ? TextProblem::None : TextProblem::NoZeroByte;
    return zeroAtOdd > zeroAtEven ? TextProblem::None : TextProblem::BigEndianText;
}

bool LineSource::next(QStringView& line) {
    // Every line is wanted, and each may hold anything.
    const bool found = nextLine(line, false, true);
    lineSigns_ = KeywordSign | BraceSign;
    return found;
}

bool LineSource::nextStructureLine(QStringView& line, bool braces) {
    return nextLine(line, true, braces);
}

bool LineSource::nextLine(QStringView& line, bool structureOnly, bool braces) {
    if (failed_)
        return false;
    size_t searchFrom = begin_;
    unsigned signs = 0;
    // Every line counts when all are wanted; a "{" only while a list is open.
    const auto wanted = [&](QStringView found) {
        return !structureOnly || (signs & KeywordSign) || (braces && (signs & BraceSign)) ||
               opensClass(found);
    };
    for (;;) {
        const size_t units = endBytes_ / 2;
        if (atStart_ && units > begin_) {
            atStart_ = false;
            if (buffer_[begin_] == 0xFEFF)
                searchFrom = ++begin_;
        }
        const char16_t* data = buffer_.data();
        const char16_t* lf = findLineEnd(data + searchFrom, data + units, signs);
        if (lf < data + units) {
            size_t lineEnd = static_cast<size_t>(lf - data);
            const size_t next = lineEnd + 1;
            if (lineEnd > begin_ && buffer_[lineEnd - 1] == u'\r')
                --lineEnd;
            const QStringView found(data + begin_, static_cast<qsizetype>(lineEnd - begin_));
            begin_ = next;
            ++linesRead_;
            if (wanted(found)) {
                line = found;
                lineSigns_ = signs;
                return true;
            }
            searchFrom = begin_;
            signs = 0;
            continue;
        }
        if (eof_) {
            oddTrailingByte_ = (endBytes_ % 2) != 0;
            if (units == begin_)
                return false;
            // The last line has no terminator: it still counts, and so does a lone CR at its end.
            const QStringView found(data + begin_, static_cast<qsizetype>(units - begin_));
            begin_ = units;
            ++linesRead_;
            if (wanted(found)) {
                line = found;
                lineSigns_ = signs;
                return true;
            }
            return false;
        }
        // Everything after begin_ has been searched; fill() moves it to the front.
        const size_t searched = units - begin_;
        if (!fill() && failed_)
            return false;
        searchFrom = begin_ + searched;
    }
}

void TextCheck::feed(const char16_t* units, size_t count) {
    // Sixteen units at a time: most hold neither a NUL nor a surrogate.
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        Units8 low;
        Units8 high;
        std::memcpy(&low, units + i, sizeof low);
        std::memcpy(&high, units + i + 8, sizeof high);
        if (highPending_ || anyLane(rareUnits(low) | rareUnits(high))) {
            for (size_t k = i; k < i + 16; ++k)
                take(units[k]);
        }
    }
    for (; i < count; ++i)
        take(units[i]);
    units_ += static_cast<qint64>(count);
}

void TextCheck::take(char16_t unit) {
    if (highPending_) {
        highPending_ = false;
        if (QChar::isLowSurrogate(unit))
            return;
        ++loneSurrogates_;
    }
    if (unit == 0)
        nul_ = true;
    else if (QChar::isHighSurrogate(unit))
        highPending_ = true;
    else if (QChar::isLowSurrogate(unit))
        ++loneSurrogates_;
}

TextProblem TextCheck::problem() const {
    if (nul_)
        return TextProblem::NulCharacter;
    // More than one in a hundred units: random bytes hold about three.
    if ((loneSurrogates_ + highPending_) * 100 > units_)
        return TextProblem::BrokenSurrogates;
    return TextProblem::None;
}

QStringView trimSpaces(QStringView text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.sliced(b, e - b);
}

} // namespace vw
