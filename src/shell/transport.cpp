#include "shell/transport.h"

#include "camera/transport_requests.h"
#include "platform/process.h"
#include "platform/ui.h"
#include "show/show.h"

void carryOutTransport(TransportRequests& requests, Show& show) {
    carryOutTransport(requests, show.clock(), [&show] { show.reloadLists(); });
}

void carryOutTransport(TransportRequests& requests, ShowClock& clock,
                       const std::function<void()>& reloadLists) {
    if (requests.reload) {
        auto answer =
            platform::ui().messageBox("Reloade lists too?", "Reloade lists too?",
                                      platform::Buttons::YesNo, platform::Icon::Information);
        if (answer == platform::Answer::Yes) {
            reloadLists();
            platform::releaseFreedMemory();
        }
        clock.restart();
        requests.reload = false;
    }
    if (requests.pause) {
        if (!platform::ui().messagesWait()) {
            // No box holds the show here: the pause lasts until the next pause request.
            if (clock.paused())
                clock.resume();
            else
                clock.pause();
        } else {
            clock.pause();
            platform::ui().messageBox("Pause", "Pause", platform::Buttons::Ok,
                                      platform::Icon::Information);
            clock.resume();
        }
        requests.pause = false;
    }
    if (requests.seek) {
        clock.seek(requests.seekTarget);
        requests.seek = false;
    }
}
