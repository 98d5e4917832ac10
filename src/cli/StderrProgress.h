#pragma once

#include "cli/Chatter.h"
#include "platform/Progress.h"

#include <iostream>

namespace corvane::cli {

// Progress of a long job as lines on stderr, so stdout stays the result;
// only when the tool's chatter asks for progress. Both texts are progress:
// the headline of the job ("Loading meshes...") and the step it is at.
class StderrProgress : public Progress {
public:
    void showStatus(const std::string& text) override {
        if (ToolChatter().progress) std::cerr << text << "\n";
    }
    void showWarning(const std::string& text) override {
        if (ToolChatter().progress) std::cerr << text << "\n";
    }
    void setMaximum(int) override {}
    void setPosition(int) override {}
};

}  // namespace corvane::cli
