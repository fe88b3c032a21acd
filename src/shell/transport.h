// Carries out a frame's transport requests between the clock's update and the picture:
// asks what the authoring keys have always asked, in the same order (reload, pause, seek),
// and then tells the clock.
#pragma once

#include <functional>

struct TransportRequests;
class ShowClock;
class Show;

// `reloadLists` runs when the reload is answered with Yes.
void carryOutTransport(TransportRequests& requests, ShowClock& clock,
                       const std::function<void()>& reloadLists);
void carryOutTransport(TransportRequests& requests, Show& show);
