#pragma once

#include <QByteArray>
#include <QIODevice>

#include <optional>

namespace vw {

// Every byte of the device up to its end, or nothing when a read fails on the way. A failed
// read is never taken for the end: QIODevice::readAll() hands out the bytes that came before
// an error as if they were all.
std::optional<QByteArray> readToEnd(QIODevice& device);

} // namespace vw
