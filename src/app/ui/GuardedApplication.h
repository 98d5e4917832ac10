#pragma once

#include "platform/Dialogs.h"

#include <QApplication>

namespace corvane {

// The editor's application object. A failure that escapes a handler is
// shown as a message and the event loop goes on, so no handler's error ends
// the editor and loses the user's unsaved changes.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    // Where the messages are shown; none: they go to stderr.
    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Dialogs* dialogs_ = nullptr;
};

}  // namespace corvane
