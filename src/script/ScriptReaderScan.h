#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#endif

namespace vw {

// What a run of code units holds, one bit per unit, the first unit lowest: what the reader has
// to know of the units of a line to tell whether the line can change what it builds.
struct UnitMarks {
    std::uint32_t lineFeeds = 0;
    std::uint32_t braces = 0; // "{"
    std::uint32_t keywords =
        0; // a "_" before b, d or e in either case: every structure keyword has one
    std::uint32_t starters = 0;        // "c" or " ": the first unit of a class line is one of them
    std::uint32_t lineFeedsBefore = 0; // in the runs before this one, of the same call
};

constexpr std::size_t RunUnits = 32;

struct MarkedRuns {
    bool rare = false; // a unit of the runs is a NUL or a surrogate
    std::uint32_t lineFeeds = 0;
};

// Marks `runs` runs of RunUnits units from `units`, with the widest vector unit the CPU has. The
// unit after the last run is read too, as the neighbour of a "_".
MarkedRuns markUnits(const char16_t* units, std::size_t runs, UnitMarks* marks);

// The ";" and "}" among the first min(count, 8) units, one bit each: the separators of an item
// line's entry. Inline, as every item line is split with it a few units at a time.
inline std::uint32_t entrySeparators(const char16_t* units, std::size_t count) {
#if defined(__x86_64__) || defined(__i386__)
    if (count >= 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
        const __m128i hits = _mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16(';')),
                                          _mm_cmpeq_epi16(v, _mm_set1_epi16('}')));
        return static_cast<std::uint32_t>(
            _mm_movemask_epi8(_mm_packs_epi16(hits, _mm_setzero_si128())));
    }
#endif
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < count && i < 8; ++i)
        bits |= units[i] == u';' || units[i] == u'}' ? std::uint32_t{1} << i : 0;
    return bits;
}

} // namespace vw
