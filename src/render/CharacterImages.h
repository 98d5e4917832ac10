#pragma once

#include "platform/Dialogs.h"
#include "render/CharacterImageChunk.h"
#include "render/PreviewModelLoading.h"
#include "render/PreviewScene.h"
#include "sim/Sim.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace corvane {

// One rendered picture, reduced to at most 236 colours.
struct CharacterImage {
    const CharacterImageSpec* spec;
    Bitmap picture;  // 8-bit palette bitmap
};

// Draws the six pictures of `models` in the current OpenGL context
// (RenderOffscreen per tile, tiles copied into one strip, JpegRoundTrip8 to
// 236 colours). Errors of the first four are thrown; an error in "rel.
// images" or "faces" leaves that picture out silently. Throws when `models`
// is empty.
std::vector<CharacterImage> RenderCharacterImages(const std::vector<ModelWithTexture>& models, const GlProcLookup& lookup);

// The chunks of the pictures, in table order, as the character image file holds them.
std::vector<std::uint8_t> CharacterImageChunks(const std::vector<CharacterImage>& images);

// No model of the character could be loaded: the text names the character and why.
class NothingToDraw : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The character in its everyday skins, the models the preview shows on the
// head and body pages. Throws NothingToDraw when none of them loads.
PreviewModelSet LoadEverydayModels(const Sim& sim, const SkinFolders& folders, const SkinCatalogue& catalogue,
                                   Dialogs& dialogs, const std::filesystem::path& applicationFolder);

// The models of a loaded set, as the off-screen drawing takes them.
std::vector<ModelWithTexture> ModelsToDraw(const PreviewModelSet& set);

// The pictures of the character in its everyday skins, drawn in the current context.
std::vector<CharacterImage> DrawCharacterImages(const Sim& sim, const SkinFolders& folders,
                                                const SkinCatalogue& catalogue, Dialogs& dialogs,
                                                const GlProcLookup& lookup,
                                                const std::filesystem::path& applicationFolder);

// MakeCharacterImages: the character in its everyday skins (the models the
// preview shows on the head and body pages: SlotsForOutfit(sim,
// Outfit::Everyday)), loaded from the folders and the catalogue, drawn in the
// current context (`lookup`), written to CharacterImageFile(applicationFolder,
// sim.FileName) whole or not at all, replacing an earlier file. Throws (with
// the reason: nothing drawable, GL error) and then writes nothing.
void MakeCharacterImages(const Sim& sim, const SkinFolders& folders, const SkinCatalogue& catalogue, Dialogs& dialogs,
                         const GlProcLookup& lookup, const std::filesystem::path& applicationFolder);

}  // namespace corvane
