#pragma once

#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"

#include <set>
#include <string>

namespace corvane {

// The skins the demo's characters wear every day, and enough more to dress
// anyone as anyone else, as figures the preview can show: bodies of men and
// women in each build (skinny, fit, fat), of boys, girls, the dog and the
// cat, a head of each gender and age, and the open hands of men, women and
// children, with their textures; and the four skeletons they are posed on.
// Every body and head of a person but the spare man's body has a texture in
// each skin tone.
//
// The adults' skins, the girl's head and the hands are loose text files in
// GameData/Skins; the children's bodies, the boy's head, the animals' skins,
// a spare adult body and the skeletons are binary entries of
// GameData/Textures/Textures.far. Textures are stored with their skin,
// except that the children's bodies and the boy's head have loose textures
// in each skin tone as well: a texture picked at random for a mesh comes from
// loose files only.
//
// Returns the base names, in lower case, of the character files and the
// textures put into the archive, so that nothing loose is written under
// their names to hide them.
std::set<std::string> WriteDemoWardrobe(GameBuilder& game);

// What a character file stands in with when the wardrobe has no figure of
// its own for it (outfits, closed and pointing hands): a hand skin (body
// string key "HAND") hangs the open hand of its side, named by the third
// letter ("hmlc": left), on that hand's bone; any other skin the man's
// body, or the boy's for a name with the body size "chd", on the pelvis.
SuitSkin StandInSkin(const std::string& suit, const std::string& key);

}  // namespace corvane
