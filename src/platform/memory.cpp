#include "platform/memory.h"

// <cstdlib> says which C library this is (__GLIBC__).
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void returnFreedMemory() {
#if defined(__GLIBC__)
    // Freed blocks in the middle of the heap stay counted against the process until trimmed.
    malloc_trim(0);
#endif
}

}  // namespace platform
