#include "ContentHash.h"

#include <xxhash.h>
#if defined(__x86_64__) || defined(__i386__)
// The library's dispatching entry points take the widest vector unit of the CPU at hand
// (AVX-512, AVX2, SSE2); the plain ones keep to SSE2, several times slower where there is more.
// The hash value is the same either way.
#include <xxh_x86dispatch.h>
#endif

#include <new>

namespace vw {

void ContentHash::Free::operator()(XXH3_state_s* state) const {
    XXH3_freeState(state);
}

ContentHash::ContentHash() : state_(XXH3_createState()) {
    if (!state_)
        throw std::bad_alloc();
    XXH3_64bits_reset(state_.get());
}

ContentHash::~ContentHash() = default;

void ContentHash::add(const char* data, qint64 size) {
    XXH3_64bits_update(state_.get(), data, static_cast<size_t>(size));
}

quint64 ContentHash::value() const {
    return XXH3_64bits_digest(state_.get());
}

} // namespace vw
