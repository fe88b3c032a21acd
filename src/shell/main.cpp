#include "shell/main_loop.h"

// <cstdlib> says which C library this is (__GLIBC__).
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // Pictures come and go as the show moves on: a fixed threshold keeps every large one in
    // its own mapping, given back when it is freed, instead of letting glibc raise the
    // threshold after the first such free and strand later ones in the heap.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    return runTarvel(argc, argv);
}
