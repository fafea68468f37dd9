#pragma once

#include <QIODevice>
#include <QStringView>

#include <vector>

namespace vw {

// Streams the lines of a UTF-16LE script from a device in fixed-size blocks, so memory does not
// grow with the file. A line ends at LF; a CR right before the LF belongs to the terminator.
// A leading byte-order mark is not part of the first line. Keeps the line counter of the
// script format: after the n-th line has been read it stands at n + 1.
class LineSource {
public:
    explicit LineSource(QIODevice& device);

    // Reads ahead up to 64 KiB and tells whether they can start UTF-16LE text: no UTF-8 or
    // big-endian byte-order mark, and (beyond a bare mark) at least one zero byte, which every
    // UTF-16 text with ASCII in it has. Call before the first line.
    bool startsAsUtf16Le();

    // Yields the next line, valid until the following call. False at the end of the input or
    // after a read error (see failed()).
    bool next(QStringView& line);

    qint64 counter() const { return linesRead_ + 1; }
    qint64 linesRead() const { return linesRead_; }
    bool failed() const { return failed_; }
    // True when the input ended with half a UTF-16 code unit.
    bool oddTrailingByte() const { return oddTrailingByte_; }

private:
    bool fill();

    QIODevice& device_;
    std::vector<char16_t> buffer_;
    size_t begin_ = 0;    // first unconsumed unit
    size_t endBytes_ = 0; // bytes of valid data in buffer_
    qint64 linesRead_ = 0;
    bool eof_ = false;
    bool failed_ = false;
    bool atStart_ = true;
    bool oddTrailingByte_ = false;
};

// Removes leading and trailing U+0020 only; tabs and other white space stay, as the script
// format's own trimming does.
QStringView trimSpaces(QStringView text);

} // namespace vw
