#pragma once

#include "platform/Dialogs.h"

#include <functional>
#include <string>

namespace corvane::cli {

// What the tool says on stderr besides its errors, for the whole run: the
// progress of long jobs (on a terminal, or with --progress) and messages
// that are not questions, such as damaged files (unless --quiet).
struct Chatter {
    bool progress = false;
    bool messages = true;
    // Told of each question the tool answers by itself, which is never
    // printed; for a caller that acts at that moment (empty: nobody).
    std::function<void(const std::string& question, ModalResult answer)> answered;
};

Chatter& ToolChatter();

}  // namespace corvane::cli
