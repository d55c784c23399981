#pragma once

#include <functional>

class QTimer;
class downloadThread;

namespace NewsRun {

// Starts one run of the news worker on a thread of its own. The news timer is stopped now and
// started again by the worker's done(), so runs never overlap. connectPage makes the page's own
// connections to the worker before the thread starts. The worker and its thread delete themselves
// when the run is over.
downloadThread *start(QTimer *newsTimer, const std::function<void(downloadThread *)> &connectPage);

} // namespace NewsRun
