#include "app/EditorOptions.h"

namespace corvane {

namespace {
const char* asText(bool value) {
    return value ? "True" : "False";
}
}  // namespace

EditorOptions ReadEditorOptions(const Registry& registry) {
    EditorOptions options;
    options.openGameAtCurrentNeighbourhood =
        registry.read(RegistryRoot::CurrentUser, kEditorRegistryKey, "SetGamePath") == "True";
    options.showMissingChildFormals =
        registry.read(RegistryRoot::CurrentUser, kEditorRegistryKey, "ChkChildFormals") != "False";
    return options;
}

void WriteEditorOptions(Registry& registry, const EditorOptions& options) {
    registry.write(RegistryRoot::CurrentUser, kEditorRegistryKey, "SetGamePath",
                   asText(options.openGameAtCurrentNeighbourhood));
    registry.write(RegistryRoot::CurrentUser, kEditorRegistryKey, "ChkChildFormals",
                   asText(options.showMissingChildFormals));
}

}  // namespace corvane
