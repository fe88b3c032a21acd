// Drives the main loop: calls `pass` over and over until it returns false, then `finished`.
// On the desktop a plain loop; in the browser one pass per animation frame, since a page
// shows nothing until its code returns to the browser.
#pragma once

#include <functional>

namespace platform {

// In the browser this does not return: the page's own loop calls `pass` from then on.
void runPasses(std::function<bool()> pass, std::function<void()> finished);

}  // namespace platform
