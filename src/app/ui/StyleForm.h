#pragma once

class QWidget;

namespace corvane {

struct Settings;

// Gives every control below `form` (and the form) the editor's colours and
// font by its kind: windows, group boxes and labels in the window colours;
// memos, grids and trees inverted; edits white; combo boxes two points larger.
void StyleForm(QWidget* form, const Settings& settings);

}  // namespace corvane
