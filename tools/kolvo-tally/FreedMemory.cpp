#include "FreedMemory.h"

// Any C library header says which library this is.
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kolvo {

void ReturnLargeBlocksWhenFreed() {
#if defined(__GLIBC__)
    // glibc's default thresholds, fixed so that they no longer move.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
#endif
}

} // namespace kolvo
