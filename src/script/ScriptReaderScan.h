#pragma once

#include <cstddef>
#include <cstdint>

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
// line's entry.
std::uint32_t entrySeparators(const char16_t* units, std::size_t count);

} // namespace vw
