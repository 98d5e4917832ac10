#include "app/ui/GuardedApplication.h"

#include "app/ui/ReportFailure.h"

#include <cstdio>
#include <exception>

namespace corvane {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    const auto deliver = [&] { handled = QApplication::notify(receiver, event); };
    if (dialogs_ != nullptr) {
        ReportFailure(*dialogs_, deliver);
        return handled;
    }
    try {
        deliver();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Corvane 3D: %s\n", error.what());
    }
    return handled;
}

}  // namespace corvane
