#include "platform/process.h"

#include <cstdio>
#include <vector>

#include "platform/process_system.h"

namespace platform {
namespace {

std::vector<std::function<void()>>& restoreHooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

std::function<void(int)>& exitHandler() {
    static std::function<void(int)> handler;
    return handler;
}

}  // namespace

void addRestoreHook(std::function<void()> hook) {
    restoreHooks().push_back(std::move(hook));
}

void restoreAll() {
    auto hooks = std::move(restoreHooks());
    restoreHooks().clear();
    for (auto& hook : hooks) {
        hook();
    }
}

void setExitHandler(std::function<void(int)> handler) {
    exitHandler() = std::move(handler);
}

void exitProcess(int status) {
    if (exitHandler()) {
        exitHandler()(status);
        return;
    }
    restoreAll();
    std::fflush(nullptr);
    endProcessNow(status);
}

}  // namespace platform
