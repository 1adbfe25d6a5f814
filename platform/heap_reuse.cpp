#include "platform/heap_reuse.h"

#include <malloc.h>

namespace {

// Free memory at the top of the heap up to this size stays with the process.
constexpr int TRIM_THRESHOLD = 256 << 20;
// Blocks below this size come from the heap rather than from maps of their
// own, which are unmapped on free (the C library's largest allowed value).
constexpr int MMAP_THRESHOLD = 32 << 20;

}  // namespace

void KeepFreedMemoryForReuse() {
    mallopt(M_TRIM_THRESHOLD, TRIM_THRESHOLD);
    mallopt(M_MMAP_THRESHOLD, MMAP_THRESHOLD);
}
