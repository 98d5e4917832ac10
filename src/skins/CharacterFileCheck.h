#pragma once

#include "platform/Dialogs.h"
#include "skins/ProblemRecordDetails.h"
#include "skins/SkinCatalogue.h"

#include <filesystem>
#include <string>
#include <unordered_set>
#include <vector>

namespace corvane {

// The meshes the game has: base names of the loose SKN files and the names
// of the archives' mesh entries, lower-cased, for a check per character file.
class KnownMeshes {
public:
    KnownMeshes(const std::vector<std::filesystem::path>& sknFiles, const std::vector<FarRecordDetails>& archiveMeshes);
    explicit KnownMeshes(const SkinCatalogue& catalogue);

    // `trimmedLowerName` names a mesh the game has.
    bool contains(const std::string& trimmedLowerName) const;

private:
    std::unordered_set<std::string> names_;
};

// What is wrong with a character file: its suit name is not its file name,
// or it names a mesh that is not installed. Files without a bone line
// (censor files) and animation files are never wrong.
struct CharacterFileFindings {
    bool badName = false;
    std::string missingMesh;  // the last missing mesh line, as read; empty when none

    bool ok() const { return !badName && missingMesh.empty(); }
};

CharacterFileFindings AnalyseCharacterFile(const std::vector<std::string>& lines, const std::string& baseName,
                                           const KnownMeshes& meshes);

enum class CheckMode {
    Listing,     // a message per problem
    Builder,     // a message for a missing mesh only
    Validation,  // no message; problems go to the list
};

// Tells the user (listing and builder modes, through `dialogs`) or records
// (validation mode, into `problems`) what the check found in the file at
// `path`. True when the file has no problem.
bool ReportCharacterFileFindings(const CharacterFileFindings& findings, const std::filesystem::path& path,
                                 CheckMode mode, Dialogs* dialogs, ProblemList* problems);

// Checks the text character file at `path`. Listing and builder modes tell
// the user through `dialogs`; validation mode appends to `problems`. True
// when the file has no problem. Throws when the file cannot be read.
bool CheckCharacterFile(const std::filesystem::path& path, CheckMode mode, const KnownMeshes& meshes,
                        Dialogs* dialogs, ProblemList* problems);

}  // namespace corvane
