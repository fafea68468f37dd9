#pragma once

#include <vector>

namespace vw {

// What the user has chosen in a loaded script, as values: a record, the list of it that is
// shown, and the slots picked there. `current` is the slot the one-row edits act on; it is
// slot 0 until the user picks a row, as a grid's first row is current until then.
struct Selection {
    int record = -1;
    int list = -1;
    std::vector<int> picked; // ascending
    int current = 0;

    bool showsList() const { return record >= 0 && list >= 0; }
    bool operator==(const Selection&) const = default;
};

} // namespace vw
