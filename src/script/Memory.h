#pragma once

namespace vw {

// Hands the memory that freed records leave behind back to the system. The records of a large
// script are a million small blocks; once they are freed the allocator keeps the pages, and
// every new read would add its own on top.
void giveBackFreedMemory();

} // namespace vw
