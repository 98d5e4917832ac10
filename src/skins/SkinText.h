#pragma once

#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// How the archives give the text of a skin kind (SuitFromArchive,
// SkeletonFromArchive, ReadArchivedSKN).
using ArchivedSkinLines = bool (*)(const SkinCatalogue&, const std::string&, std::vector<std::string>&, std::string*);

// The text lines of a skin and where they came from.
struct SkinText {
    std::vector<std::string> lines;
    std::filesystem::path file;  // empty when the lines came from an archive
};

// The skin `name` + `extension` as the game finds it: the loose file in the
// skin folders first, else the archives. Nothing when neither has it (or
// the archive entry is damaged; `archiveFault`, when not null, then says
// what is wrong with it). Throws when a file cannot be read.
std::optional<SkinText> ReadSkinText(const SkinFolders& folders, const SkinCatalogue& catalogue, const std::string& name,
                                     std::string_view extension, ArchivedSkinLines fromArchive,
                                     std::string* archiveFault = nullptr);

}  // namespace corvane
