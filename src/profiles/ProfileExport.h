#pragma once

#include "profiles/ProfileFormat.h"
#include "sim/Sim.h"
#include "skins/SkinFolders.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// One file a profile embeds: its name with extension as the character's
// skins name it (no folder), and where the skin folders hold it.
struct ProfileFileEntry {
    std::string name;            // "b001mafit_01.cmx", in the game's code page
    std::filesystem::path path;  // the found file
};

// Every skin file the character wears, in the order of the skin elements:
// each slot's file when it is installed, and for a character file also the
// meshes its "xskin" lines name and those meshes' textures ("x" never). No
// name twice (letter case ignored); files not installed are not listed.
// Throws std::runtime_error naming a found file that cannot be read.
std::vector<ProfileFileEntry> CollectProfileFiles(const Sim& sim, const SkinFolders& folders);

// The export preview's items; positions are in `files`.
std::vector<ProfilePreviewItem> ProfileExportPreviewItems(const std::vector<ProfileFileEntry>& files);

// What the exporter unchecked: images by their position in the list, and
// character files and meshes by name (every entry of that name, letter case
// ignored). Returns whether anything was left out (the profile's warning).
bool LeaveOutProfileFiles(std::vector<ProfileFileEntry>& files, const std::vector<std::size_t>& positions,
                          const std::vector<std::string>& names);

// The images of a character file for a profile: its BMP_ chunks whole, found
// scanning backwards (the one nearest the end first), the web image left
// out. Nothing when the file holds no BMP_ chunk at all; a chunk whose length
// runs past the end of the file is not taken.
std::optional<std::vector<std::uint8_t>> ProfileImagesOfCharacterFile(std::span<const std::uint8_t> characterFile);

// The profile's ratings: everyone, teen (the default), mature, adult.
inline constexpr std::string_view kProfileRatings = "ETMA";

struct ProfileExportOptions {
    int expansionLevel = 0;
    int codePage = 1252;      // of the game's texts (CodePageForLanguage)
    char rating = 'T';        // one of kProfileRatings
    std::string credits;      // UTF-8, as given (the lines already joined)
    bool warning = false;     // files were left out
    std::string dateTime;     // empty: now, in local time
};

// The profile's XML text: the character's values and skins, `files` embedded
// in their order, `images` (ProfileImagesOfCharacterFile) when present, the
// credits. Throws std::runtime_error naming a file that cannot be read.
std::string BuildProfileText(const Sim& sim, const std::vector<ProfileFileEntry>& files,
                             const std::optional<std::vector<std::uint8_t>>& images,
                             const ProfileExportOptions& options);

// Writes the profile of `sim` to `target` whole or not at all; the images
// come from `characterFile` (the character's .iff). Never changes `sim`, the
// character's files or pictures staged for it. Throws std::runtime_error
// naming the file that could not be read or written.
void ExportProfile(const Sim& sim, const std::filesystem::path& characterFile,
                   const std::vector<ProfileFileEntry>& files, const ProfileExportOptions& options,
                   const std::filesystem::path& target);

// The current local time as the profile's DateTime holds it ("2026-12-11T09:30:00").
std::string ProfileDateTimeNow();

}  // namespace corvane
