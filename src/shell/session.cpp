#include "shell/session.h"

#include "platform/clock.h"
#include "shell/authoring.h"
#include "shell/capture_session.h"
#include "shell/progress_line.h"
#include "shell/shot_series.h"

Session::Session() = default;
Session::~Session() = default;
