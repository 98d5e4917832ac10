#pragma once

#include "platform/Progress.h"

#include <functional>

namespace corvane {

// What a skin tool's scan reports to and listens to: the busy window, and a
// request to stop. The request is honoured between two files, so what was
// found up to then is kept and shown.
struct ScanControl {
    Progress& progress;
    std::function<bool()> stopRequested;  // empty: the scan runs to its end

    bool shouldStop() const { return stopRequested && stopRequested(); }
};

// A scan that stops when the user cancels `progress`.
inline ScanControl CancellableScan(CancellableProgress& progress) {
    return ScanControl{progress, [&progress] { return progress.cancelled(); }};
}

}  // namespace corvane
