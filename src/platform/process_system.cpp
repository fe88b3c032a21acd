// The desktop's end of the process and its heap.
#include "platform/process_system.h"

#include <malloc.h>

#include <unistd.h>

#include "platform/process.h"

namespace platform {

void endProcessNow(int status) {
    // _exit: the sound thread and GUI toolkits must not run static destructors under us.
    _exit(status & 0xff);
}

void releaseFreedMemory() {
    malloc_trim(0);
}

}  // namespace platform
