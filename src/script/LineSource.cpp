#include "LineSource.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace vw {

namespace {

constexpr size_t BlockUnits = 64 * 1024;

// Eight code units, compared all at once (SSE2 on x86-64, NEON on ARM).
using Units8 = unsigned short __attribute__((vector_size(16)));
using Lanes8 = short __attribute__((vector_size(16)));

bool anyLane(Lanes8 lanes) {
    quint64 halves[2];
    std::memcpy(halves, &lanes, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

// All lanes set where `v` holds a NUL or a surrogate.
Lanes8 rareUnits(Units8 v) {
    return (v == 0) | ((v & 0xF800) == 0xD800);
}

// The next LF in [from, end), or `end`.
const char16_t* findLineEnd(const char16_t* from, const char16_t* end) {
    const char16_t* p = from;
    for (; p + 8 <= end; p += 8) {
        Units8 v;
        std::memcpy(&v, p, sizeof v);
        if (anyLane(v == 0x0A))
            break;
    }
    for (; p < end; ++p) {
        if (*p == u'\n')
            return p;
    }
    return end;
}

} // namespace

LineSource::LineSource(QIODevice& device) : device_(device), buffer_(BlockUnits) {}

bool LineSource::fill() {
    // Keep the unconsumed tail (possibly half a code unit) at the front, then read behind it.
    const size_t tailBytes = endBytes_ - begin_ * 2;
    if (begin_ > 0 && tailBytes > 0)
        std::memmove(buffer_.data(), buffer_.data() + begin_, tailBytes);
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
    return true;
}

bool LineSource::next(QStringView& line) {
    if (failed_)
        return false;
    size_t searchFrom = begin_;
    for (;;) {
        const size_t units = endBytes_ / 2;
        if (atStart_ && units > begin_) {
            atStart_ = false;
            if (buffer_[begin_] == 0xFEFF)
                searchFrom = ++begin_;
        }
        const char16_t* data = buffer_.data();
        const char16_t* lf = findLineEnd(data + searchFrom, data + units);
        if (lf < data + units) {
            size_t lineEnd = static_cast<size_t>(lf - data);
            const size_t next = lineEnd + 1;
            if (lineEnd > begin_ && buffer_[lineEnd - 1] == u'\r')
                --lineEnd;
            line = QStringView(data + begin_, static_cast<qsizetype>(lineEnd - begin_));
            begin_ = next;
            ++linesRead_;
            return true;
        }
        if (eof_) {
            if (units == begin_)
                return false;
            // The last line has no terminator: it still counts, and so does a lone CR at its end.
            line = QStringView(data + begin_, static_cast<qsizetype>(units - begin_));
            begin_ = units;
            ++linesRead_;
            return true;
        }
        // Everything after begin_ has been searched; fill() moves it to the front.
        const size_t searched = units - begin_;
        if (!fill() && failed_)
            return false;
        searchFrom = begin_ + searched;
    }
}

TextProblem headProblem(const char16_t* units, size_t count) {
    // Compared as code units, so the test holds in either byte order of the machine.
    if (count == 0)
        return TextProblem::None;
    const char16_t first = units[0];
    if (first == 0xFFFE)
        return TextProblem::BigEndianMark;
    if (first == 0xBBEF && (count < 2 || (units[1] & 0xFF) == 0xBF))
        return TextProblem::Utf8Mark;
    const size_t contentStart = first == 0xFEFF ? 1 : 0;
    size_t zeroAtOdd = 0;  // units of the form 00xx, as little-endian ASCII
    size_t zeroAtEven = 0; // units of the form xx00, as big-endian ASCII
    for (size_t i = contentStart; i < count; ++i) {
        const char16_t c = units[i];
        if (c == 0)
            return TextProblem::NulCharacter;
        zeroAtOdd += (c & 0xFF00) == 0;
        zeroAtEven += (c & 0x00FF) == 0;
    }
    if (zeroAtOdd == 0 && zeroAtEven == 0)
        return count == contentStart ? TextProblem::None : TextProblem::NoZeroByte;
    return zeroAtOdd > zeroAtEven ? TextProblem::None : TextProblem::BigEndianText;
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

void TextCheck::feedPlain(size_t count) {
    // A pending high surrogate meets no low one.
    if (highPending_ && count > 0) {
        highPending_ = false;
        ++loneSurrogates_;
    }
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

} // namespace vw
