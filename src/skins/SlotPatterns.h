#pragma once

#include <optional>
#include <string>

namespace corvane {

// What of a character decides which skins fit it.
struct SkinCodes {
    int SkinAge = 27;             // below 10: a child's skins
    int Gender = 0;               // 0 male, else female
    std::string BodySize = "fit";  // "fit", "fat", "skn", "tnr", "chd"
    int SkinColor = 1;            // 1 light, 2 dark, 3 medium
    std::string AgeGroup = "adult";  // "adult", "child", "dog", "kat"
    std::string BodyTexture;      // the everyday texture's base name
    int ExpansionLevel = 0;
};

// The skin slots of the makeover pages.
enum class SkinSlot {
    Head, Body, Formal, Fashion, Winter, Swim, Sleepwear, Nude,
    OpenHandLeft, OpenHandRight, PointingHandLeft, PointingHandRight,
    ClosedHandLeft, ClosedHandRight, FormalHandLeft, FormalHandRight,
};

// The letters and words of the skin-name grammar, from the character.
char AgeLetter(const SkinCodes& codes);         // "c" below 10, else "a"
char GenderLetter(const SkinCodes& codes);      // "m" for 0, else "f"
char HandGenderLetter(const SkinCodes& codes);  // as GenderLetter, "u" at skin age 9
std::string SkinToneWord(const SkinCodes& codes);  // "lgt", "drk", "med"
std::string SkinToneFor(int skinColor);            // 1 "lgt", 2 "drk", 3 "med"
std::string PetWord(const SkinCodes& codes);    // "dog", "cat"

// The wildcard mask that lists the meshes of a slot.
std::string MeshMask(SkinSlot slot, const SkinCodes& codes);
// The mask that lists the textures of a slot once a mesh of series `series`
// (characters 2 to 4 of its trimmed name) is chosen.
std::string TextureMask(SkinSlot slot, const SkinCodes& codes, const std::string& series);
// The texture preselected when the character has none for the slot.
std::optional<std::string> DefaultTexture(SkinSlot slot, const SkinCodes& codes);

// Whether the character has sleepwear meshes of its own: adults from level 3,
// everyone from level 4. Without them it sleeps in the pajamas named after its
// body texture.
bool WearsSleepwear(const SkinCodes& codes);
// "Pajama" + gender letter + skin tone + "_" + the body texture's own part:
// the pajamas that go with the character's body texture.
std::string PajamaTextureFor(const SkinCodes& codes);

// Characters 2 to 4 of a trimmed mesh name.
std::string SeriesOf(const std::string& meshName);

}  // namespace corvane
