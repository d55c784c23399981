#pragma once

// The indicators use the engine's running windows under a shorter name.
#include "series_running.h"

namespace Indicators {
namespace Running = ::Series::Running;
}
