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
    TextProblem problem() const;

private:
    void take(char16_t unit);

    qint64 units_ = 0;
    qint64 loneSurrogates_ = 0;
    bool nul_ = false;
    bool highPending_ = false; // the last unit was a high surrogate
};

// Streams the lines of a UTF-16LE script from a device in fixed-size blocks, so memory does not
// grow with the file. A line ends at LF; a CR right before the LF belongs to the terminator.
// A leading byte-order mark is not part of the first line. Keeps the line counter of the
// script format: after the n-th line has been read it stands at n + 1.
class LineSource {
public:
    // With a `check`, every unit read passes through it, in whole blocks: a per-line check
    // would cost the reader a tenth of its time.
    explicit LineSource(QIODevice& device, TextCheck* check = nullptr);

    // Reads ahead up to 64 KiB and tells why they cannot start UTF-16LE text, if they cannot: a
    // UTF-8 or big-endian byte-order mark, or NUL characters. A script is mostly ASCII, whose
    // zero byte stands second in a little-endian unit and first in a big-endian one, so the
    // zero bytes must stand mostly at odd offsets. Call before the first line.
    TextProblem headProblem();

    // Yields the next line, valid until the following call. False at the end of the input or
    // after a read error (see failed()).
    bool next(QStringView& line);
    // As next(), but counts without yielding the lines that cannot change the script's
    // structure as the reader follows it: those with no "_" before b, d or e (either case), no
    // "class " as their first text and, unless `braces` (a list is open), whatever their "{".
    // Most lines of a script are such lines, and passing over them in one scan is what keeps a
    // read close to the cost of decoding.
    bool nextStructureLine(QStringView& line, bool braces);

    // What the line last yielded holds, as far as the scan saw: a bit each. After next() both
    // are set, as that walk does not look.
    enum Sign : unsigned {
        KeywordSign = 1, // a "_" before b, d or e (either case): every structure keyword has one
        BraceSign = 2,   // a "{"
    };
    unsigned lineSigns() const { return lineSigns_; }

    qint64 counter() const { return linesRead_ + 1; }
    qint64 linesRead() const { return linesRead_; }
    bool failed() const { return failed_; }
    // A hash of every byte read from the device so far.
    quint64 contentHash() const { return hash_.value(); }
    // True when the input ended with half a UTF-16 code unit.
    bool oddTrailingByte() const { return oddTrailingByte_; }

private:
    bool fill();
    bool nextLine(QStringView& line, bool structureOnly, bool braces);

    QIODevice& device_;
    TextCheck* check_;
    ContentHash hash_;
    std::vector<char16_t> buffer_;
    size_t begin_ = 0;    // first unconsumed unit
    size_t endBytes_ = 0; // bytes of valid data in buffer_
    size_t checked_ = 0;  // units of buffer_ already given to check_
    qint64 linesRead_ = 0;
    unsigned lineSigns_ = 0;
    bool eof_ = false;
    bool failed_ = false;
    bool atStart_ = true;
    bool oddTrailingByte_ = false;
};

// Removes leading and trailing U+0020 only; tabs and other white space stay, as the script
// format's own trimming does.
QStringView trimSpaces(QStringView text);

} // namespace vw
