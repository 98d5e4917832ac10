#pragma once

#include "platform/Registry.h"

namespace corvane {

// The editor's two remembered options, kept under its own registry key.
struct EditorOptions {
    bool openGameAtCurrentNeighbourhood = false;  // "SetGamePath": only "True" checks it
    bool showMissingChildFormals = true;          // "ChkChildFormals": anything but "False" checks it
};

EditorOptions ReadEditorOptions(const Registry& registry);
void WriteEditorOptions(Registry& registry, const EditorOptions& options);

}  // namespace corvane
