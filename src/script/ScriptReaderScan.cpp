#include "ScriptReaderScan.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VW_SCAN_X86 1
#endif

namespace vw {

namespace {

// The units are packed into bytes with unsigned saturation first: every unit the marks look for
// is ASCII and keeps its value, every other unit becomes 0 or 0xFF, which none of them is.

#if defined(VW_SCAN_X86)

__attribute__((target("avx2,popcnt"))) MarkedRuns markAvx2(const char16_t* units, std::size_t runs,
                                                           UnitMarks* marks) {
    const __m256i lineFeed = _mm256_set1_epi8(0x0A);
    const __m256i brace = _mm256_set1_epi8('{');
    const __m256i underscore = _mm256_set1_epi8('_');
    const __m256i c = _mm256_set1_epi8('c');
    const __m256i space = _mm256_set1_epi8(' ');
    const __m256i lower = _mm256_set1_epi8(0x20);
    const __m256i b = _mm256_set1_epi8('b');
    const __m256i d = _mm256_set1_epi8('d');
    const __m256i e = _mm256_set1_epi8('e');
    const __m256i zero = _mm256_setzero_si256();
    const __m256i surrogateBits = _mm256_set1_epi16(static_cast<short>(0xF800));
    const __m256i surrogate = _mm256_set1_epi16(static_cast<short>(0xD800));
    __m256i rare = zero;
    std::uint32_t lineFeeds = 0;
    for (std::size_t r = 0; r < runs; ++r) {
        const auto* p = reinterpret_cast<const __m256i*>(units + r * RunUnits);
        const auto* q = reinterpret_cast<const __m256i*>(units + r * RunUnits + 1);
        const __m256i a0 = _mm256_loadu_si256(p);
        const __m256i a1 = _mm256_loadu_si256(p + 1);
        // The pack works within each half of the register: 0xD8 puts the quarters in order.
        const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packus_epi16(a0, a1), 0xD8);
        const __m256i next = _mm256_or_si256(
            _mm256_permute4x64_epi64(
                _mm256_packus_epi16(_mm256_loadu_si256(q), _mm256_loadu_si256(q + 1)), 0xD8),
            lower);
        const __m256i tail =
            _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(next, b), _mm256_cmpeq_epi8(next, d)),
                            _mm256_cmpeq_epi8(next, e));
        UnitMarks& m = marks[r];
        m.lineFeeds =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, lineFeed)));
        m.lineFeedsBefore = lineFeeds;
        lineFeeds += static_cast<std::uint32_t>(_mm_popcnt_u32(m.lineFeeds));
        m.braces =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, brace)));
        m.keywords = static_cast<std::uint32_t>(
            _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(bytes, underscore), tail)));
        m.starters = static_cast<std::uint32_t>(_mm256_movemask_epi8(
            _mm256_or_si256(_mm256_cmpeq_epi8(bytes, c), _mm256_cmpeq_epi8(bytes, space))));
        rare = _mm256_or_si256(
            rare, _mm256_or_si256(
                      _mm256_or_si256(_mm256_cmpeq_epi16(a0, zero), _mm256_cmpeq_epi16(a1, zero)),
                      _mm256_or_si256(
                          _mm256_cmpeq_epi16(_mm256_and_si256(a0, surrogateBits), surrogate),
                          _mm256_cmpeq_epi16(_mm256_and_si256(a1, surrogateBits), surrogate))));
    }
    return {!_mm256_testz_si256(rare, rare), lineFeeds};
}

std::uint32_t maskOf(__m128i low, __m128i high) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(low)) |
           static_cast<std::uint32_t>(_mm_movemask_epi8(high)) << 16;
}

__m128i rareUnits(__m128i units) {
    return _mm_or_si128(
        _mm_cmpeq_epi16(units, _mm_setzero_si128()),
        _mm_cmpeq_epi16(_mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xF800))),
                        _mm_set1_epi16(static_cast<short>(0xD800))));
}

MarkedRuns markSse2(const char16_t* units, std::size_t runs, UnitMarks* marks) {
    const __m128i lineFeed = _mm_set1_epi8(0x0A);
    const __m128i brace = _mm_set1_epi8('{');
    const __m128i underscore = _mm_set1_epi8('_');
    const __m128i c = _mm_set1_epi8('c');
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i lower = _mm_set1_epi8(0x20);
    const __m128i b = _mm_set1_epi8('b');
    const __m128i d = _mm_set1_epi8('d');
    const __m128i e = _mm_set1_epi8('e');
    __m128i rare = _mm_setzero_si128();
    std::uint32_t lineFeeds = 0;
    for (std::size_t r = 0; r < runs; ++r) {
        const auto* p = reinterpret_cast<const __m128i*>(units + r * RunUnits);
        const auto* q = reinterpret_cast<const __m128i*>(units + r * RunUnits + 1);
        __m128i a[4];
        __m128i bytes[2];
        __m128i tail[2];
        for (int i = 0; i < 4; ++i)
            a[i] = _mm_loadu_si128(p + i);
        for (int h = 0; h < 2; ++h) {
            bytes[h] = _mm_packus_epi16(a[2 * h], a[2 * h + 1]);
            const __m128i next = _mm_or_si128(
                _mm_packus_epi16(_mm_loadu_si128(q + 2 * h), _mm_loadu_si128(q + 2 * h + 1)),
                lower);
            tail[h] = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(next, b), _mm_cmpeq_epi8(next, d)),
                                   _mm_cmpeq_epi8(next, e));
        }
        UnitMarks& m = marks[r];
        m.lineFeeds =
            maskOf(_mm_cmpeq_epi8(bytes[0], lineFeed), _mm_cmpeq_epi8(bytes[1], lineFeed));
        m.braces = maskOf(_mm_cmpeq_epi8(bytes[0], brace), _mm_cmpeq_epi8(bytes[1], brace));
        m.keywords = maskOf(_mm_and_si128(_mm_cmpeq_epi8(bytes[0], underscore), tail[0]),
                            _mm_and_si128(_mm_cmpeq_epi8(bytes[1], underscore), tail[1]));
        m.starters =
            maskOf(_mm_or_si128(_mm_cmpeq_epi8(bytes[0], c), _mm_cmpeq_epi8(bytes[0], space)),
                   _mm_or_si128(_mm_cmpeq_epi8(bytes[1], c), _mm_cmpeq_epi8(bytes[1], space)));
        rare = _mm_or_si128(rare, _mm_or_si128(_mm_or_si128(rareUnits(a[0]), rareUnits(a[1])),
                                               _mm_or_si128(rareUnits(a[2]), rareUnits(a[3]))));
    }
    return {_mm_movemask_epi8(rare) != 0, lineFeeds};
}

#else

bool keywordTail(char16_t unit) {
    const char16_t lower = unit | 0x20;
    return lower == u'b' || lower == u'd' || lower == u'e';
}

MarkedRuns markPlain(const char16_t* units, std::size_t runs, UnitMarks* marks) {
    bool rare = false;
    std::uint32_t lineFeeds = 0;
    for (std::size_t r = 0; r < runs; ++r) {
        const char16_t* p = units + r * RunUnits;
        UnitMarks m;
        m.lineFeedsBefore = lineFeeds;
        for (std::size_t i = 0; i < RunUnits; ++i) {
            const char16_t unit = p[i];
            const std::uint32_t bit = std::uint32_t{1} << i;
            m.lineFeeds |= unit == u'\n' ? bit : 0;
            m.braces |= unit == u'{' ? bit : 0;
            m.keywords |= unit == u'_' && keywordTail(p[i + 1]) ? bit : 0;
            m.starters |= unit == u'c' || unit == u' ' ? bit : 0;
            rare |= unit == 0 || (unit & 0xF800) == 0xD800;
        }
        lineFeeds += static_cast<std::uint32_t>(__builtin_popcount(m.lineFeeds));
        marks[r] = m;
    }
    return {rare, lineFeeds};
}

#endif

} // namespace

MarkedRuns markUnits(const char16_t* units, std::size_t runs, UnitMarks* marks) {
#if defined(VW_SCAN_X86)
    static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    return avx2 ? markAvx2(units, runs, marks) : markSse2(units, runs, marks);
#else
    return markPlain(units, runs, marks);
#endif
}

} // namespace vw
