#include "LineSource.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace vw {

namespace {
constexpr size_t BlockUnits = 64 * 1024;
}

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
        const QStringView window(buffer_.data() + searchFrom,
                                 static_cast<qsizetype>(units - searchFrom));
        const qsizetype lf = window.indexOf(u'\n');
        if (lf >= 0) {
            size_t lineEnd = searchFrom + static_cast<size_t>(lf);
            const size_t next = lineEnd + 1;
            if (lineEnd > begin_ && buffer_[lineEnd - 1] == u'\r')
                --lineEnd;
            line = QStringView(buffer_.data() + begin_, static_cast<qsizetype>(lineEnd - begin_));
            begin_ = next;
            ++linesRead_;
            return true;
        }
        if (eof_) {
            oddTrailingByte_ = (endBytes_ % 2) != 0;
            if (units == begin_)
                return false;
            // The last line has no terminator: it still counts, and so does a lone CR at its end.
            line = QStringView(buffer_.data() + begin_, static_cast<qsizetype>(units - begin_));
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

namespace {

// Whether any of the four 16-bit lanes of `x` is zero.
constexpr bool hasZeroLane(quint64 x) {
    return ((x - 0x0001000100010001) & ~x & 0x8000800080008000) != 0;
}

} // namespace

void TextCheck::feed(QStringView line) {
    // Four units at a time: most lines hold neither a NUL nor a surrogate, and the check must
    // not slow the reader down.
    const qsizetype size = line.size();
    qsizetype i = 0;
    for (; i + 4 <= size; i += 4) {
        quint64 x;
        std::memcpy(&x, line.utf16() + i, sizeof x);
        if (hasZeroLane(x) || hasZeroLane((x & 0xF800F800F800F800) ^ 0xD800D800D800D800))
            break;
    }
    for (; i < size; ++i) {
        const char16_t c = line[i].unicode();
        if (c == 0 || QChar::isSurrogate(c))
            break;
    }
    if (i < size)
        feedSlowly(line);
    units_ += size;
}

void TextCheck::feedSlowly(QStringView line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c.isNull())
            nul_ = true;
        else if (c.isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            ++loneSurrogates_;
    }
}

TextProblem TextCheck::problem() const {
    if (nul_)
        return TextProblem::NulCharacter;
    // More than one in a hundred units: random bytes hold about three.
    if (loneSurrogates_ * 100 > units_)
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
