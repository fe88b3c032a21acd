// The process's heap, as the show lets go of large things it held.
#pragma once

namespace platform {

// Gives the pages of freed heap blocks back to the system, where the C library can.
void returnFreedMemory();

}  // namespace platform
