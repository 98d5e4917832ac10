#pragma once

#include "platform/Progress.h"

#include <iostream>

namespace corvane::cli {

// Progress of a long job as lines on stderr, so stdout stays the result.
class StderrProgress : public Progress {
public:
    void showStatus(const std::string& text) override { std::cerr << text << "\n"; }
    void showWarning(const std::string& text) override { std::cerr << text << "\n"; }
    void setMaximum(int) override {}
    void setPosition(int) override {}
};

}  // namespace corvane::cli
