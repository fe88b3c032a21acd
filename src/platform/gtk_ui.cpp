#include "platform/ui.h"

namespace platform {

std::unique_ptr<Ui> makeGtkUi() { return nullptr; }

}  // namespace platform
