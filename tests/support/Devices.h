#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <utility>

namespace vw::test {

// A read piece size of at most `size` bytes, every time.
inline std::function<qint64()> pieces(qint64 size) {
    return [size] { return size; };
}

// A source with no size known up front, as a pipe or a network share: hands out its bytes in
// pieces whose sizes `nextPiece` chooses, and reports a read error once `good` bytes are out.
class PieceReader : public QIODevice {
public:
    PieceReader(QByteArray data, std::function<qint64()> nextPiece,
                qint64 good = std::numeric_limits<qint64>::max())
        : data_(std::move(data)), nextPiece_(std::move(nextPiece)), good_(good) {
        open(ReadOnly | Unbuffered);
        setErrorString(QStringLiteral("Input/output error"));
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 max) override {
        if (at_ >= good_)
            return -1;
        const qint64 n = std::min({max, nextPiece_(), good_ - at_, data_.size() - at_});
        std::memcpy(out, data_.constData() + at_, static_cast<size_t>(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray data_;
    std::function<qint64()> nextPiece_;
    qint64 good_;
    qint64 at_ = 0;
};

// An output that takes `limit` bytes in all, then refuses, as a full disk does.
class FailingWriter : public QIODevice {
public:
    explicit FailingWriter(qint64 limit) : limit_(limit) {
        open(WriteOnly | Unbuffered);
        setErrorString(QStringLiteral("Input/output error"));
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override {
        if (written_ >= limit_)
            return -1;
        const qint64 taken = std::min(size, limit_ - written_);
        written_ += taken;
        return taken;
    }

private:
    qint64 limit_;
    qint64 written_ = 0;
};

} // namespace vw::test
