#pragma once

#include "platform/Dialogs.h"
#include "skins/FarRecordDetails.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"
#include "skins/SlotPatterns.h"

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Where listings look: the game's skin folders and the archive catalogue.
struct SkinSources {
    const SkinFolders& folders;
    const SkinCatalogue& catalogue;
};

// A list as a page shows it: base names in the page's order and the entry to select (-1 selects nothing).
struct SkinList {
    std::vector<std::string> entries;
    int selected = -1;
};

// Appends the EntryName of every entry matching `mask` by position: each of
// the mask's characters but its last five is "*" or the name's character
// there, letter case ignored. Names beginning with "c2o" or "a2o" never
// match, except that a mask shorter than five characters matches everything.
void MatchArchiveEntries(const std::vector<FarRecordDetails>& entries, std::string_view mask, std::vector<std::string>& result);

// The mesh list (sorted alphabetically ignoring case, as the page's sorted combo box keeps it) and the index to select.
// `storedName` is the slot's mesh field + ".cmx"; `checkedPositions` is 4 on the hands page, else 6.
// A mesh file the check refuses is said through `dialogs` (when not null) and left out.
// A stored mesh that is not listed gets a random entry, never the last of two or more.
SkinList FillMeshList(const SkinSources& sources, const std::string& storedName, const std::string& mask,
                      int checkedPositions, std::mt19937& random, Dialogs* dialogs);

// A random mesh (or texture) matching `mask`; empty when there is none. Positions 4 when the mask begins with "*" or "h", else 6.
std::string PickRandomSkin(const SkinSources& sources, const std::string& mask, std::mt19937& random, Dialogs* dialogs);
// PickRandomSkin in two halves, for callers that draw from one mask many times:
// the names it draws from, and the draw (any of them alike; empty when there are none).
std::vector<std::string> RandomSkinCandidates(const SkinSources& sources, const std::string& mask, Dialogs* dialogs);
std::string DrawRandomSkin(const std::vector<std::string>& candidates, std::mt19937& random);

// Whose textures are listed: gender 0 male, else female; tone "lgt", "med" or "drk".
struct TextureOwner {
    int gender = 0;
    std::string tone = "lgt";
};

// The texture list in insertion order and the index to select (0 when nothing matches the stored name; -1 when empty).
// `storedName` is the texture to preselect followed by ".bmp", or empty.
SkinList FillTextureList(const SkinSources& sources, const std::string& storedName, const std::string& mask,
                         const TextureOwner& owner);

// The texture list a skin page shows for `mesh` in `slot`: the listing plus the page's extra pajama/nude entries and
// its preselection rules. `storedTexture` is the slot's texture field as the character holds it (no extension); an
// empty one preselects the slot's named default texture, and so does the nude slot of a child or of an adult
// outside levels 3 and 4 whatever it holds.
SkinList PageTextureList(const SkinSources& sources, SkinSlot slot, const SkinCodes& codes, const std::string& mesh,
                         const std::string& storedTexture, const TextureOwner& owner);

}  // namespace corvane
