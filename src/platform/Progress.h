#pragma once

#include <string>

namespace corvane {

// How a long operation tells the user what it is doing: the busy window in
// the editor, a line on stderr in the command-line tool, nothing in tests.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void showStatus(const std::string& text) = 0;   // UTF-8
    virtual void showWarning(const std::string& text) = 0;  // UTF-8
    virtual void setMaximum(int maximum) = 0;               // shows the bar
    virtual void setPosition(int position) = 0;
};

// A Progress the user may interrupt: the busy window with its Cancel button.
class CancellableProgress : public Progress {
public:
    // Whether the user asked to stop; input waiting to be handled is taken first.
    virtual bool cancelled() = 0;
};

// A Progress that shows nothing.
class SilentProgress : public Progress {
public:
    void showStatus(const std::string&) override {}
    void showWarning(const std::string&) override {}
    void setMaximum(int) override {}
    void setPosition(int) override {}
};

}  // namespace corvane
