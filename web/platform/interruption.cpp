// A page receives no signals: nothing to install, nothing ever pending.
#include <string>

#include "platform/interruption.h"

namespace platform {

void Interruption::install() {}

void Interruption::describe(const std::string&) {}

int Interruption::guardFile(const std::string&) {
    return -1;
}

void Interruption::releaseFile(int) {}

int Interruption::wakeDescriptor() {
    return -1;
}

int Interruption::pending() {
    return 0;
}

void Interruption::endIfSignalled() {}

std::string Interruption::message(int signal) {
    return "tarvel: signal " + std::to_string(signal);
}

}  // namespace platform
