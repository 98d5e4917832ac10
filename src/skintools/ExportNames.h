#pragma once

#include "platform/Dialogs.h"
#include "skins/SkinListing.h"
#include "skintools/SkinChoices.h"

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace corvane {

// The names of the export page, which gives an installed skin a new body
// type: the source side lists character files and their textures, the
// destination side names the new files.

// The skin-type list of both sides: body, formal, winter, swimwear, pajamas;
// nude above expansion level 2, fashion above level 4; dog and cat when the
// game has "ExpansionPack5". The default is body.
std::vector<SkinKindItem> ExportSkinKinds(const SkinToolSettings& settings);

// Whose skin `mesh` (a character file's name) is: a dog's or a cat's when
// "dog" or "cat" follows "B" and the three-digit series ("B001dog_Rex"),
// else a person's, given as Body.
SkinKind ExportSourceKind(const std::string& mesh);

// The kinds the destination may take for a source of kind `source`: a pet's
// skin stays that pet's kind, a person's skin takes one of the person kinds
// ExportSkinKinds offers (never a pet's: the mesh would not fit the pet).
std::vector<SkinKindItem> ExportDestinationKinds(const SkinToolSettings& settings, SkinKind source);

struct ExportMask {
    std::string mask;  // "B***MAFit", "B****ASkn" (skinny: any gender), "NMFit", "B***dog"
    ShownLists shown;  // of both sides
    bool destinationKindEnabled = true;  // pets keep their kind
};

// The source's mesh mask. A third gender item selected for a kind without one
// (all but nude) selects the first.
ExportMask ExportMeshMask(SkinChoices& source, const SkinToolSettings& settings);

// The source's mesh list: the character files matching the mask, with
// mask + "_" + name + ".cmx" selected when it is listed.
SkinList ExportMeshList(const SkinSources& sources, const ExportMask& mask, const std::string& name,
                        std::mt19937& random, Dialogs* dialogs);

// What choosing a source mesh sets.
struct ExportTextureChoice {
    std::string mask;    // "B001MAFitmed*.bmp"
    std::string wanted;  // "B001MAFitmed_" + name + ".bmp": selected when listed
    std::string series;  // the series field's new text ("000" for nudes)
    std::optional<SkinKind> destinationKind;  // dog or cat: the destination follows the source
};
ExportTextureChoice ExportTextureMask(const SkinChoices& source, const std::string& mesh, const std::string& name,
                                      const SkinToolSettings& settings);

// The source's texture list for the chosen mesh; below expansion level 4 a
// child's pajamas also offer the older "PajamaM"/"PajamaF" texture.
SkinList ExportTextureList(const SkinSources& sources, const ExportTextureChoice& choice, const SkinChoices& source,
                           const SkinToolSettings& settings);

// The name field's text when a texture is chosen: the texture name after its
// prefix (from its 11th character for nudes, its 10th for pets, else its 15th).
std::string ExportNameFromTexture(const std::string& texture, SkinKind kind);

// The destination's new file names.
struct ExportFileNames {
    std::string characterFile;  // "B001FAFat_Red.cmx"
    std::string textureFile;    // "B001FAFatlgt_Red.bmp"
    std::string series;         // the series field rewritten with three digits
    ShownLists shown;           // of the destination side
};

// Names the new files from the destination choices, the series field and the
// name. Nudes above expansion level 4 are numbered "_01" and take no name.
ExportFileNames ExportNames(SkinChoices& destination, const std::string& seriesField, const std::string& name,
                            const SkinToolSettings& settings);

}  // namespace corvane
