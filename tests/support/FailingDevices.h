#pragma once

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <utility>

namespace vw::test {

// A stream (no size known up front) that hands out at most `piece` bytes a read and reports a
// read error once `good` bytes are read, as a disk with a bad sector does.
class FailingReader : public QIODevice {
public:
    FailingReader(QByteArray data, qint64 good, qint64 piece = 1 << 30)
        : data_(std::move(data)), good_(good), piece_(piece) {
        open(ReadOnly | Unbuffered);
        setErrorString(QStringLiteral("Input/output error"));
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 max) override {
        if (at_ >= good_)
            return -1;
        const qint64 n = std::min({max, piece_, good_ - at_, data_.size() - at_});
        std::memcpy(out, data_.constData() + at_, static_cast<size_t>(n));
        at_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray data_;
    qint64 good_;
    qint64 piece_;
    qint64 at_ = 0;
};

// Accepts `limit` bytes in all, then refuses every write.
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
