#pragma once

#include <QStringList>

namespace vw::test {

// splitmix64: the same sequence with every compiler and standard library, so generated cases
// are the same everywhere.
struct SplitMix {
    quint64 state;

    quint64 next() {
        quint64 z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1; 0 when n is not positive.
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<quint64>(n)); }
    bool percent(int p) { return below(100) < p; }
    QString pick(const QStringList& options) { return options[below(options.size())]; }
};

} // namespace vw::test
