#pragma once

#include "ContentHash.h"

#include <QIODevice>
#include <QStringView>

#include <vector>

namespace vw {

// Why bytes are not taken for a UTF-16LE script.
enum class TextProblem {
    None,
    Utf8Mark,         // a UTF-8 byte-order mark
    BigEndianMark,    // a UTF-16BE byte-order mark
    BigEndianText,    // zero bytes at even offsets: UTF-16BE text without a mark
    NoZeroByte,       // 8-bit or UTF-8 text: its ASCII has no zero bytes
    NulCharacter,     // a U+0000 in the text
    BrokenSurrogates, // more surrogates without their partner than damaged text ever has
    OddLength,        // the input ends with half a code unit
};

// Looks through the code units of a script for what UTF-16 text holds rarely or never: NUL
// characters, and surrogates without their partner. A few lone surrogates are damaged text and
// are kept; many mean the bytes are no UTF-16 text at all.
class TextCheck {
public:
    // The units in the order they stand; a pair may be split between two calls.
    void feed(const char16_t* units, size_t count);
    // As feed(), for `count` units the caller has seen to hold no NUL and no surrogate.
    void feedPlain(size_t count);
    TextProblem problem() const;

private:
    void take(char16_t unit);

    qint64 units_ = 0;
    qint64 loneSurrogates_ = 0;
    bool nul_ = false;
    bool highPending_ = false; // the last unit was a high surrogate
};

// Why the first units of a file cannot start UTF-16LE text, if they cannot: a UTF-8 or
// big-endian byte-order mark, or NUL characters. A script is mostly ASCII, whose zero byte
// stands second in a little-endian unit and first in a big-endian one, so the zero bytes must
// stand mostly at odd offsets. The reader looks at the first 64 KiB (HeadBytes).
constexpr size_t HeadBytes = 64 * 1024;
TextProblem headProblem(const char16_t* units, size_t count);

// Streams the lines of a UTF-16LE script from a device in fixed-size blocks, so memory does not
// grow with the file. A line ends at LF; a CR right before the LF belongs to the terminator.
// A leading byte-order mark is not part of the first line. Keeps the line counter of the
// script format: after the n-th line has been read it stands at n + 1.
class LineSource {
public:
    explicit LineSource(QIODevice& device);

    // Yields the next line, valid until the following call. False at the end of the input or
    // after a read error (see failed()).
    bool next(QStringView& line);

    qint64 counter() const { return linesRead_ + 1; }
    qint64 linesRead() const { return linesRead_; }
    bool failed() const { return failed_; }
    // A hash of every byte read from the device so far.
    quint64 contentHash() const { return hash_.value(); }

private:
    bool fill();

    QIODevice& device_;
    ContentHash hash_;
    std::vector<char16_t> buffer_;
    size_t begin_ = 0;    // first unconsumed unit
    size_t endBytes_ = 0; // bytes of valid data in buffer_
    qint64 linesRead_ = 0;
    bool eof_ = false;
    bool failed_ = false;
    bool atStart_ = true;
};

// Removes leading and trailing U+0020 only; tabs and other white space stay, as the script
// format's own trimming does. Inline: the reader trims every line it looks at, and every part
// of an item entry.
inline QStringView trimSpaces(QStringView text) {
    const char16_t* begin = text.utf16();
    const char16_t* end = begin + text.size();
    while (begin < end && *begin == u' ')
        ++begin;
    while (end > begin && end[-1] == u' ')
        --end;
    return QStringView(begin, end - begin);
}

} // namespace vw
