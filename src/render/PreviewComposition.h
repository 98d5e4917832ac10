#pragma once

#include "platform/Dialogs.h"
#include "sim/Sim.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// One skin the preview dresses the character in: a character file (CMX)
// name and the texture to wear with it.
struct DressedSlot {
    std::string mesh;
    std::string texture;
};

// Right hand, left hand, body, head: the order the preview collects them in.
using SkinSlots = std::array<DressedSlot, 4>;
enum SlotIndex : std::size_t { kRightHandSlot = 0, kLeftHandSlot = 1, kBodySlot = 2, kHeadSlot = 3 };

// Which hands the hands page shows; the open hands unless it says otherwise.
struct HandMarkers {
    bool formal = false;
    bool open = true;
    bool closed = false;
    bool pointing = false;
};

// What a page dresses the character in: the everyday skins, one outfit on
// the body, or the hands the hands page shows.
enum class Outfit { Everyday, Formal, Fashion, Winter, Swim, Pajamas, Nude, Hands };

// The character's skins in `outfit`.
SkinSlots SlotsForOutfit(const Sim& sim, Outfit outfit, const HandMarkers& hands = {});

// One mesh to draw: its SKN file and its texture file. A mesh or texture
// that lives only in the game's archives is named "<lower-case name>.far",
// a file that never exists, so loading falls back to the archives.
struct PreviewMesh {
    std::string meshPath;
    std::string texturePath;
};

// The meshes of the slots' character files, each with the texture that fits
// it: the slot's own texture for the mesh of its part, the mesh's default
// texture for others. A mesh whose texture is not installed is left out and
// said (message 7154).
std::vector<PreviewMesh> CollectPreviewMeshes(const SkinSlots& slots, const SkinFolders& folders,
                                              const SkinCatalogue& catalogue, Dialogs& dialogs);

// The skeleton file a character's meshes are posed on; empty for an unknown age group.
std::string SkeletonFileFor(const Sim& sim);

// What the skin tools' pages show in the preview: character files in slots
// (import, export; a slot texture with a folder is the bitmap being imported,
// used as it is), or loose meshes (the CMX builder), on a skeleton of the page's
// choosing.
struct SkinToolPreview {
    SkinSlots dressed;
    std::vector<std::filesystem::path> builderMeshes;  // SKN files; when given, `dressed` is not used
    std::string skeleton;                               // "adult-skeleton.cmx", …
    bool child = false;
};

// The builder's meshes, each with its default texture (line 1 of the SKN
// file): installed, in the archives ("<name>.far"), or "x.bmp" so that the
// preview reports it missing. An unreadable SKN file is left out.
std::vector<PreviewMesh> CollectBuilderMeshes(const std::vector<std::filesystem::path>& skns, const SkinFolders& folders,
                                              const SkinCatalogue& catalogue);

}  // namespace corvane
