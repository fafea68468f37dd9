#pragma once

#include <QtGlobal>

#include <memory>

struct XXH3_state_s;

namespace vw {

// A fast 64-bit hash (XXH3) of a byte stream fed piece by piece: two readings of a file that
// give the same hash saw the same bytes, which its size and times cannot prove.
class ContentHash {
public:
    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash&) = delete;
    ContentHash& operator=(const ContentHash&) = delete;

    void add(const char* data, qint64 size);
    quint64 value() const;

private:
    struct Free {
        void operator()(XXH3_state_s* state) const;
    };
    std::unique_ptr<XXH3_state_s, Free> state_;
};

} // namespace vw
