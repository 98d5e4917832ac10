#pragma once

#include "platform/Dialogs.h"
#include "skins/SkinListing.h"
#include "skins/SlotPatterns.h"
#include "skintools/SkinChoices.h"

#include <random>
#include <string>
#include <vector>

namespace corvane {

// The names of the import page: which character files a bitmap can be
// imported for, and the texture name it gets.

// The skin-type list: head, hands, body, formal, winter, swimwear, pajamas;
// nude above expansion level 2, fashion above level 4; dog and cat when the
// game has "ExpansionPack5". The default is body.
std::vector<SkinKindItem> ImportSkinKinds(const SkinToolSettings& settings);

// The mesh mask of the chosen kind and the lists the page shows for it.
struct ImportMask {
    std::string mask;  // "B***MAFit", "HMLO", "B***dog_"; the older pajamas "pjsmchd_01.cmx", nudes "nuchd_01"
    ShownLists shown;
};

// The mask of the character files that fit the choices. The older pajama and
// nude meshes (below the expansion levels that brought their own) are named
// after the current character's `Gender`, `SkinAge` and `BodySize`. A third
// gender item selected for a kind without one selects the first.
ImportMask ImportMeshMask(SkinChoices& choices, const SkinToolSettings& settings, const SkinCodes& character);

// The wildcard the mesh listing walks for `mask`: the mask and "*.cmx" (a
// mask that names its file already is used as it is).
std::string ImportListingMask(const std::string& mask);

// The page's mesh list for the mask: the character files matching it, with
// mask + "_" + name + ".cmx" selected when it is listed.
SkinList ImportMeshList(const SkinSources& sources, const ImportMask& mask, SkinKind kind, const std::string& name,
                        std::mt19937& random, Dialogs* dialogs);

// The texture name the bitmap is imported under, and what the page shows for it.
struct ImportedTextureName {
    std::string fileName;   // "B001MAFitmed_Red.bmp"
    bool nameShown = true;  // false for the older pajama and nude textures: their name comes from the
                            // character's body texture, the name field is emptied and hidden
    bool choiceListsShown = true;  // gender, age, size and colour lists (hidden with the name field)
};

// The texture name for `mesh` (the chosen character file, without ".cmx")
// and the typed `name`: the kind's letter, the mesh's series, the gender,
// age, size or hand codes, the skin colour, "_" and the name.
ImportedTextureName ImportTextureName(const SkinChoices& choices, const SkinToolSettings& settings,
                                const SkinCodes& character, const std::string& mesh, const std::string& name);

}  // namespace corvane
