#pragma once

#include "platform/Dialogs.h"
#include "sim/Document.h"
#include "skins/SkinListing.h"
#include "skins/SlotPatterns.h"

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace corvane {

// The letters a makeover builds skin names from.
struct MakeoverLetters {
    char age = 'a';         // "c" for a skin age of 9 or below, else "a"
    char gender = 'm';      // "m" for Gender 0, else "f"
    char handGender = 'm';  // the gender letter, "u" at a skin age of exactly 9
    std::string body;       // BodySize as stored
    std::string tone;       // "lgt", "drk", "med" for SkinColor 1, 2, 3
};
MakeoverLetters LettersOf(const Sim& sim);

// Where a makeover finds the installed skins, and whom it tells about a
// character file it cannot use (nobody when null).
struct MakeoverSkins {
    SkinSources sources;
    Dialogs* dialogs = nullptr;
};

// Dresses a character (already touched by the edit) in new skins that fit
// its age, gender, size and skin colour: body, outfits, nude and hands; with
// `newFace` a new head too, and its pictures marked for renewal. A slot for
// which no installed mesh with a matching texture turns up is left empty.
void ReassignSkins(Sim& sim, bool newFace, const MakeoverSkins& skins, std::mt19937& random);

// The makeover's skin-age buttons, shown only on request: the age of the
// skins a character wears apart from its own age.
enum class SkinAgeChoice { Child, Adult };

// Each of these is one step of the document's history: the character's new
// age, gender, skin colour or size, with new skins to fit it. Pets have no
// age, skin colour or size to change (EditError).

// A child of age 9 at school in a random grade; `skinAge` is the skin-age
// buttons' choice when they are shown.
void MakeChild(Document& document, Sim& sim, std::optional<SkinAgeChoice> skinAge, const MakeoverSkins& skins);
// An adult of age 27 in a random career the House/Job page offers at the
// document's expansion level, at a random level, of a random body size.
void MakeAdult(Document& document, Sim& sim, std::optional<SkinAgeChoice> skinAge, const MakeoverSkins& skins);
void SetSkinAge(Document& document, Sim& sim, SkinAgeChoice skinAge, const MakeoverSkins& skins);
// A pet becomes a male or female dog or cat and keeps its coat.
void SetGender(Document& document, Sim& sim, bool female, const MakeoverSkins& skins);
// 1 light, 2 dark, 3 medium.
void SetSkinColor(Document& document, Sim& sim, int skinColor, const MakeoverSkins& skins);
// "skn", "fit", "fat" (in adult skins only) or "tnr"; the head stays.
void SetBodySize(Document& document, Sim& sim, const std::string& bodySize, const MakeoverSkins& skins);

// The slots the game cannot show a character without, left bare (mesh or
// texture empty): the body, and a person's head. A makeover that finds no
// installed skin to fit leaves them so, and the character is invisible in the game.
std::vector<SkinSlot> BareVisibleSlots(const Sim& sim);

// A character who comes with skins of its own (a profile) takes an age, a
// gender or a skin colour as the makeover gives them, but keeps its skins:
// age 9 or 27 (with the skin age), a gender of its kind (0/1, dogs 2/3, cats
// 4/5), skin colour 1 to 3 (with the tone). EditError for any other value,
// and for a pet's age or skin colour.
void SetAgeKeepingSkins(Document& document, Sim& sim, int age);
void SetGenderKeepingSkins(Document& document, Sim& sim, int gender);
void SetSkinColorKeepingSkins(Document& document, Sim& sim, int skinColor);

// Marks the character's pictures for renewal (the makeover's Reset Thumbnails box).
void ResetThumbnails(Document& document, Sim& sim);

}  // namespace corvane
