#include "skintools/SkinValidation.h"

#include "platform/LanguageModule.h"
#include "skins/CharacterFileCheck.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skintools/TextureCheck.h"

#include <exception>

namespace corvane {

namespace {

constexpr MessageId kCheckingCharacterFiles{7115};
constexpr MessageId kCheckingTextures{7116};

// Returns false when the user stopped the check.
bool checkCharacterFiles(const SkinFolders& folders, const KnownMeshes& meshes, const ScanControl& control,
                         ValidationResult& result) {
    control.progress.showStatus(LangStr(kCheckingCharacterFiles));
    ProblemList& problems = result.problems;
    for (const std::filesystem::path& file : folders.ListSkinFilesFiltered("*.cmx", &result.skipped)) {
        if (control.shouldStop()) return false;
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) continue;
        try {
            CheckCharacterFile(file, CheckMode::Validation, meshes, nullptr, &problems);
        } catch (const std::exception&) {
            // A file that vanished or cannot be read between listing and check
            // is no finding: the next check sees the folder as it is then.
        }
    }
    return true;
}

bool checkTextures(const SkinFolders& folders, const ScanControl& control, ValidationResult& result) {
    ProblemList& problems = result.problems;
    const std::vector<std::filesystem::path> textures = folders.ListSkinFiles("*.bmp", &result.skipped);
    control.progress.showStatus(LangStr(kCheckingTextures));
    control.progress.setMaximum(static_cast<int>(textures.size()) - 1);
    for (std::size_t i = 0; i < textures.size(); ++i) {
        if (control.shouldStop()) return false;
        if (auto problem = CheckTexture(textures[i])) {
            problems.push_back(std::move(*problem));
        }
        control.progress.setPosition(static_cast<int>(i));
    }
    return true;
}

}  // namespace

ValidationResult ValidateSkins(const SkinFolders& folders, SkinCatalogue& catalogue, const ScanControl& control) {
    DiscardSkinCatalogue(catalogue);
    LoadSkinData(catalogue, folders, control.progress);
    ValidationResult result;
    const KnownMeshes meshes(catalogue);
    result.stopped = !checkCharacterFiles(folders, meshes, control, result) || !checkTextures(folders, control, result);
    return result;
}

ProblemRepair RepairFor(const ProblemRecordDetails& problem) {
    if (problem.Kind == "BmpColors") return ProblemRepair::ColourEditor;
    if (problem.Kind == "BmpDimensions") return ProblemRepair::ShowDescription;
    return ProblemRepair::CharacterFileEditor;
}

std::vector<std::size_t> RemoveProblemsOfFile(ProblemList& problems, const ProblemRecordDetails& handled) {
    // The handled record may be one of the list's own: compare with a copy.
    const std::string folder = handled.Folder;
    const std::string fileName = handled.FileName;
    std::vector<std::size_t> removed;
    for (std::size_t i = problems.size(); i-- > 0;) {
        if (problems[i].Folder == folder && problems[i].FileName == fileName) {
            problems.erase(problems.begin() + static_cast<std::ptrdiff_t>(i));
            removed.push_back(i);
        }
    }
    return removed;
}

}  // namespace corvane
