#include "app/VersionText.h"

#include "BuildVersion.h"

namespace corvane {

std::string GetVersionText() {
    return std::to_string(build::kVersionMajor) + "." + std::to_string(build::kVersionMinor) + "." +
           std::to_string(build::kVersionPatch) + "  (Build " + std::to_string(build::kVersionBuild) + ")";
}

}  // namespace corvane
