#include "ReadToEnd.h"

namespace vw {

std::optional<QByteArray> readToEnd(QIODevice& device) {
    constexpr qint64 Block = 64 * 1024;
    QByteArray bytes;
    for (;;) {
        const qsizetype at = bytes.size();
        bytes.resize(at + Block);
        const qint64 got = device.read(bytes.data() + at, Block);
        if (got < 0)
            return std::nullopt;
        bytes.resize(at + got);
        if (got == 0)
            return bytes;
    }
}

} // namespace vw
