#include "sim/Makeover.h"

#include "platform/AsciiText.h"
#include "sim/HouseJob.h"
#include "sim/SkinEdits.h"
#include "sim/Traits.h"

#include <array>
#include <unordered_map>

namespace corvane {

namespace {

// How often a makeover draws a mesh and looks for a texture to go with it.
constexpr int kFaceAttempts = 101;    // the head and the body
constexpr int kOutfitAttempts = 11;   // the other outfits and the nude body
// The characters of a mesh name that its textures begin with.
constexpr std::size_t kHeadStem = 6;
constexpr std::size_t kBodyStem = 9;
constexpr std::size_t kNudeStem = 5;

constexpr int kChildAge = 9;
constexpr int kAdultAge = 27;
constexpr int kHighestJobLevel = 8;

// Draws skins for one makeover. A mask lists the same skins every time it is
// asked, so each is listed once (and a character file that cannot be used is
// said once), however many attempts draw from it.
class SkinDraw {
public:
    SkinDraw(const MakeoverSkins& skins, std::mt19937& random) : skins_(skins), random_(random) {}

    std::string pick(const std::string& mask) {
        auto [list, added] = lists_.try_emplace(ToLowerAscii(mask));
        if (added) list->second = RandomSkinCandidates(skins_.sources, mask, skins_.dialogs);
        return DrawRandomSkin(list->second, random_);
    }

private:
    const MakeoverSkins& skins_;
    std::mt19937& random_;
    std::unordered_map<std::string, std::vector<std::string>> lists_;
};

struct Dressing {
    std::string mesh;
    std::string texture;
};

// Up to `attempts` meshes matching `meshMask`, each with a texture named after
// its first `stem` characters and the tone; the first pair found, else nothing.
Dressing drawDressing(SkinDraw& draw, const std::string& meshMask, std::size_t stem, const std::string& tone,
                      int attempts) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const std::string mesh = draw.pick(meshMask);
        // Nothing matches the mask, and nothing will on a later attempt.
        if (mesh.empty()) break;
        std::string texture = draw.pick(mesh.substr(0, stem) + tone + "*.bmp");
        if (!texture.empty()) return {mesh, std::move(texture)};
    }
    return {};
}

void dress(Sim& sim, SkinSlot slot, Dressing dressing) {
    const SlotFields fields = FieldsOfSlot(slot);
    sim.*fields.mesh = std::move(dressing.mesh);
    sim.*fields.texture = std::move(dressing.texture);
}

std::string clothingMask(char type, const MakeoverLetters& l) {
    return std::string{type} + "***" + l.gender + l.age + l.body + "*.cmx";
}

void reassignHead(Sim& sim, SkinDraw& draw, const MakeoverLetters& l) {
    const std::string mask = std::string("c***") + l.gender + l.age + "*.cmx";
    dress(sim, SkinSlot::Head, drawDressing(draw, mask, kHeadStem, l.tone, kFaceAttempts));
}

void reassignOutfits(Sim& sim, SkinDraw& draw, const MakeoverLetters& l) {
    struct Outfit {
        char type;
        SkinSlot slot;
    };
    static constexpr std::array<Outfit, 5> kOutfits{{{'f', SkinSlot::Formal},
                                                     {'w', SkinSlot::Winter},
                                                     {'h', SkinSlot::Fashion},
                                                     {'s', SkinSlot::Swim},
                                                     {'l', SkinSlot::Sleepwear}}};
    for (const Outfit& outfit : kOutfits) {
        dress(sim, outfit.slot, drawDressing(draw, clothingMask(outfit.type, l), kBodyStem, l.tone, kOutfitAttempts));
    }
}

// The nude body's texture is named after its mesh, not looked for.
void reassignNude(Sim& sim, SkinDraw& draw, const MakeoverLetters& l) {
    const std::string mask = std::string("n") + l.gender + l.body + "*.cmx";
    Dressing nude;
    for (int attempt = 0; attempt < kOutfitAttempts && nude.mesh.empty(); ++attempt) {
        nude.mesh = draw.pick(mask);
        if (nude.mesh.empty()) break;
    }
    if (!nude.mesh.empty()) nude.texture = nude.mesh.substr(0, kNudeStem) + l.tone + "_01";
    dress(sim, SkinSlot::Nude, std::move(nude));
}

// Hands are named, not looked for: every hand of a gender wears the same textures.
void reassignHands(Sim& sim, const MakeoverLetters& l) {
    struct Hand {
        SkinSlot slot;
        const char* mesh;     // after "h" and the gender letter
        const char* texture;  // before the tone
    };
    static constexpr std::array<Hand, 8> kHands{{{SkinSlot::FormalHandLeft, "lo", "huao"},
                                                 {SkinSlot::FormalHandRight, "ro", "huao"},
                                                 {SkinSlot::OpenHandLeft, "lo", "huao"},
                                                 {SkinSlot::OpenHandRight, "ro", "huao"},
                                                 {SkinSlot::PointingHandLeft, "lp", "huap"},
                                                 {SkinSlot::PointingHandRight, "rp", "huap"},
                                                 {SkinSlot::ClosedHandLeft, "lc", "huac"},
                                                 {SkinSlot::ClosedHandRight, "rc", "huac"}}};
    for (const Hand& hand : kHands) {
        dress(sim, hand.slot, {std::string("h") + l.handGender + hand.mesh, hand.texture + l.tone});
    }
}

int uniform(int low, int high, std::mt19937& random) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

void requireHuman(const Sim& sim, const char* what) {
    if (IsPet(sim)) throw EditError(sim.FileName + " is a pet and has no " + what + " to change");
}

// Dogs are 2 and 3, cats 4 and 5, people 0 and 1: male, then female.
int maleGenderOf(const Sim& sim) {
    if (!IsPet(sim)) return 0;
    return sim.AgeGroup == "dog" ? 2 : 4;
}

void requireSkinColor(int skinColor) {
    RequireEditRange("SkinColor", skinColor, 1, 3);
}

int skinAgeOf(std::optional<SkinAgeChoice> choice, int age) {
    if (!choice) return age;
    return *choice == SkinAgeChoice::Adult ? kAdultAge : kChildAge;
}

// One makeover step: the change, then the new skins.
void makeover(Document& document, Sim& sim, bool newFace, const MakeoverSkins& skins,
              const std::function<void(Sim&)>& change) {
    document.edit("Makeover", [&](EditScope& scope) {
        Sim& changed = scope.touch(sim);
        change(changed);
        ReassignSkins(changed, newFace, skins, document.random());
    });
    document.sealStep();
}

}  // namespace

MakeoverLetters LettersOf(const Sim& sim) {
    const SkinCodes codes = SkinCodesOf(sim, 0);
    return {AgeLetter(codes), GenderLetter(codes), HandGenderLetter(codes), sim.BodySize, SkinToneFor(sim.SkinColor)};
}

void ReassignSkins(Sim& sim, bool newFace, const MakeoverSkins& skins, std::mt19937& random) {
    const MakeoverLetters letters = LettersOf(sim);
    const bool human = !IsPet(sim);
    SkinDraw draw(skins, random);
    if (newFace) {
        if (human) reassignHead(sim, draw, letters);
        sim.ResetThumbnail = true;
    }
    dress(sim, SkinSlot::Body, drawDressing(draw, clothingMask('b', letters), kBodyStem, letters.tone, kFaceAttempts));
    if (!human) return;
    reassignOutfits(sim, draw, letters);
    reassignNude(sim, draw, letters);
    reassignHands(sim, letters);
}

void MakeChild(Document& document, Sim& sim, std::optional<SkinAgeChoice> skinAge, const MakeoverSkins& skins) {
    requireHuman(sim, "age");
    makeover(document, sim, true, skins, [&](Sim& child) {
        child.Age = kChildAge;
        child.SkinAge = skinAgeOf(skinAge, kChildAge);
        child.AgeGroup = "child";
        child.Career = kSchoolCareer;
        child.JobLevel = uniform(0, kHighestJobLevel, document.random());
        child.BodySize = "chd";
    });
}

void MakeAdult(Document& document, Sim& sim, std::optional<SkinAgeChoice> skinAge, const MakeoverSkins& skins) {
    requireHuman(sim, "age");
    makeover(document, sim, true, skins, [&](Sim& adult) {
        // Only a career the House/Job page offers at this level, so the page
        // shows it selected (career 11 does not exist and is never offered).
        const int offered = OfferedCareers(kAdultAge, document.expansionLevel());
        adult.Career = CareerForIndex(uniform(0, offered - 1, document.random()));
        adult.Age = kAdultAge;
        adult.SkinAge = skinAgeOf(skinAge, kAdultAge);
        adult.AgeGroup = "adult";
        adult.JobLevel = uniform(0, kHighestJobLevel, document.random());
        static constexpr std::array<const char*, 3> kSizes{"skn", "fit", "fat"};
        adult.BodySize = kSizes[static_cast<std::size_t>(uniform(0, 2, document.random()))];
    });
}

void SetSkinAge(Document& document, Sim& sim, SkinAgeChoice skinAge, const MakeoverSkins& skins) {
    requireHuman(sim, "skin age");
    makeover(document, sim, true, skins, [&](Sim& changed) { changed.SkinAge = skinAgeOf(skinAge, changed.SkinAge); });
}

void SetGender(Document& document, Sim& sim, bool female, const MakeoverSkins& skins) {
    if (!IsPet(sim)) {
        makeover(document, sim, true, skins, [&](Sim& changed) { changed.Gender = female ? 1 : 0; });
        return;
    }
    // The coat fits either.
    document.edit("Makeover", [&](EditScope& scope) { scope.touch(sim).Gender = maleGenderOf(sim) + (female ? 1 : 0); });
    document.sealStep();
}

void SetSkinColor(Document& document, Sim& sim, int skinColor, const MakeoverSkins& skins) {
    requireHuman(sim, "skin colour");
    requireSkinColor(skinColor);
    makeover(document, sim, true, skins, [&](Sim& changed) {
        changed.SkinColor = skinColor;
        changed.SkinTone = SkinToneFor(skinColor);
    });
}

void SetBodySize(Document& document, Sim& sim, const std::string& bodySize, const MakeoverSkins& skins) {
    requireHuman(sim, "body size");
    const bool adultSize = bodySize == "skn" || bodySize == "fit" || bodySize == "fat";
    if (!adultSize && bodySize != "tnr") {
        throw EditError("BodySize \"" + bodySize + "\" is none of skn, fit, fat and tnr");
    }
    // A child in adult skins (its skin age says so) wears an adult's sizes.
    if (adultSize && sim.SkinAge < 10) {
        throw EditError("BodySize \"" + bodySize + "\" is an adult's: " + sim.FileName + " wears a child's skins");
    }
    makeover(document, sim, false, skins, [&](Sim& changed) { changed.BodySize = bodySize; });
}

std::vector<SkinSlot> BareVisibleSlots(const Sim& sim) {
    std::vector<SkinSlot> bare;
    for (const SkinSlot slot : {SkinSlot::Head, SkinSlot::Body}) {
        if (slot == SkinSlot::Head && IsPet(sim)) continue;
        const SlotFields fields = FieldsOfSlot(slot);
        if ((sim.*fields.mesh).empty() || (sim.*fields.texture).empty()) bare.push_back(slot);
    }
    return bare;
}

void SetAgeKeepingSkins(Document& document, Sim& sim, int age) {
    requireHuman(sim, "age");
    if (age != kChildAge && age != kAdultAge) {
        throw EditError("Age " + std::to_string(age) + " is neither a child's (" + std::to_string(kChildAge) +
                        ") nor an adult's (" + std::to_string(kAdultAge) + ")");
    }
    document.edit("Makeover", [&](EditScope& scope) {
        Sim& changed = scope.touch(sim);
        changed.Age = age;
        changed.SkinAge = age;
    });
}

void SetGenderKeepingSkins(Document& document, Sim& sim, int gender) {
    const int male = maleGenderOf(sim);
    RequireEditRange("Gender", gender, male, male + 1);
    document.edit("Makeover", [&](EditScope& scope) { scope.touch(sim).Gender = gender; });
}

void SetSkinColorKeepingSkins(Document& document, Sim& sim, int skinColor) {
    requireHuman(sim, "skin colour");
    requireSkinColor(skinColor);
    document.edit("Makeover", [&](EditScope& scope) {
        Sim& changed = scope.touch(sim);
        changed.SkinColor = skinColor;
        changed.SkinTone = SkinToneFor(skinColor);
    });
}

void ResetThumbnails(Document& document, Sim& sim) {
    document.edit("Makeover", [&](EditScope& scope) { scope.touch(sim).ResetThumbnail = true; });
    document.sealStep();
}

}  // namespace corvane
