#include "shell/shell_keys.h"

#include "shell/globals.h"

void handleShellKeys() {
    if (keys[vk::kSpace]) {
        keys[vk::kSpace] = 0;
        frozen = !frozen;
    }
}
