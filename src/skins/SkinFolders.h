#pragma once

#include "platform/RegularFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// folder + name, with exactly one separator between them.
std::string JoinPath(std::string_view folder, std::string_view name);

// The file's size in whole kilobytes (bytes / 1024, rounded down); 0 when missing.
std::int64_t FileSizeKB(const std::filesystem::path& file);

// A file a walk of the folders left out because it is no regular file.
struct SkippedFile {
    std::filesystem::path file;
    SpecialFileKind kind;
};
using SkippedFiles = std::vector<SkippedFile>;
// "skipped <path>: not a regular file (a FIFO)", as the command line says it.
std::string SkippedFileText(const SkippedFile& skipped);

// Appends the plain files of `folder` matching the wildcard `mask` (letter case
// ignored; hidden files left out), in name order; with `recursive`, then the
// subfolders' files, depth first. A folder that links lead to more than once
// (a link to a folder above it, say) is listed only the first time, and so is
// a file. FIFOs, sockets and devices are not listed but appended to `skipped`
// (when not null).
void ListFolderFiles(const std::filesystem::path& folder, std::string_view mask, std::vector<std::filesystem::path>& list,
                     bool recursive, SkippedFiles* skipped = nullptr);

// The game's skin folders below its installation folder, searched in their
// fixed order: the 16 search folders, then the 31 fallback folders. Paths are
// returned as they are on disk (the game ignores letter case; Linux does not).
class SkinFolders {
public:
    SkinFolders(std::filesystem::path gamePath, int expansionLevel);

    // The file `name` + `extension` (".cmx", ".bmp", ".skn") in the first
    // folder that holds it; empty when no folder does.
    std::filesystem::path FindSkinFile(std::string_view name, std::string_view extension) const;

    // Every file of the search folders (then, recursively, the fallback
    // folders) matching `mask`, copies of one name in several folders
    // included, in folder order. Each file is listed once however many
    // links lead to it (a folder linked into another search folder, a link
    // loop). FIFOs, sockets and devices are left out and appended to
    // `skipped` (when not null).
    std::vector<std::filesystem::path> ListSkinFiles(std::string_view mask, SkippedFiles* skipped = nullptr) const;
    // The same, keeping only names that pass IsSkinFileName.
    std::vector<std::filesystem::path> ListSkinFilesFiltered(std::string_view mask,
                                                             SkippedFiles* skipped = nullptr) const;

    // The folders in search order, relative to the game folder ("GameData\Skins\").
    std::vector<std::string> SearchFolders() const;
    static std::vector<std::string> FallbackFolders();

    const std::filesystem::path& gamePath() const { return gamePath_; }
    int expansionLevel() const { return expansionLevel_; }

private:
    std::filesystem::path gamePath_;
    int expansionLevel_;
};

}  // namespace corvane
