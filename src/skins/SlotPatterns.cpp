#include "skins/SlotPatterns.h"

#include <algorithm>

namespace corvane {

namespace {

bool isPet(const SkinCodes& c) {
    return c.AgeGroup == "dog" || c.AgeGroup == "kat";
}

bool isChild(const SkinCodes& c) {
    return AgeLetter(c) == 'c';
}

bool childSwimwearIsNude(const SkinCodes& c) {
    return isChild(c) && c.ExpansionLevel < 4;
}

// B of the pajama and nude names: the body texture's own part, after the
// "_" that follows its skin tone.
std::string bodyTexturePart(const SkinCodes& c) {
    return c.BodyTexture.size() > 13 ? c.BodyTexture.substr(13) : std::string();
}

// "g a z": what the clothing masks repeat after the series.
std::string genderAgeSize(const SkinCodes& c) {
    return std::string{GenderLetter(c), AgeLetter(c)} + c.BodySize;
}

std::string clothingMesh(char type, const SkinCodes& c) {
    return std::string{type} + "***" + genderAgeSize(c) + "*.cmx";
}

std::string clothingTexture(char type, const SkinCodes& c, const std::string& series) {
    return std::string{type} + series + genderAgeSize(c) + SkinToneWord(c) + "*.bmp";
}

// The nude gender letter: any for children and skinny bodies.
std::string nudeGender(const SkinCodes& c) {
    return (c.SkinAge <= 9 || c.BodySize == "skn") ? std::string("*") : std::string{GenderLetter(c)};
}

std::string nudeMeshMask(const SkinCodes& c) {
    const int level = c.ExpansionLevel;
    if ((!isChild(c) && (level == 3 || level == 4)) || level == 4) {
        return c.BodySize == "chd" ? "n*" + c.BodySize + "_*.cmx" : "n" + nudeGender(c) + c.BodySize + "_*.cmx";
    }
    if ((c.BodySize == "skn" || c.BodySize == "chd") && (level < 3 || level > 4)) {
        return "n*" + c.BodySize + "_01.cmx";
    }
    return "n" + nudeGender(c) + c.BodySize + "_01.cmx";
}

struct HandSlot {
    SkinSlot slot;
    char first;  // 'h', or '*' for the formal hands
    char side;
    char pose;
};

constexpr HandSlot kHands[] = {
    {SkinSlot::OpenHandLeft, 'h', 'l', 'o'},     {SkinSlot::OpenHandRight, 'h', 'r', 'o'},
    {SkinSlot::PointingHandLeft, 'h', 'l', 'p'}, {SkinSlot::PointingHandRight, 'h', 'r', 'p'},
    {SkinSlot::ClosedHandLeft, 'h', 'l', 'c'},   {SkinSlot::ClosedHandRight, 'h', 'r', 'c'},
    {SkinSlot::FormalHandLeft, '*', 'l', 'o'},   {SkinSlot::FormalHandRight, '*', 'r', 'o'},
};

const HandSlot* handSlot(SkinSlot slot) {
    auto found = std::find_if(std::begin(kHands), std::end(kHands), [&](const HandSlot& h) { return h.slot == slot; });
    return found == std::end(kHands) ? nullptr : found;
}

}  // namespace

char AgeLetter(const SkinCodes& c) {
    return c.SkinAge < 10 ? 'c' : 'a';
}

char GenderLetter(const SkinCodes& c) {
    return c.Gender == 0 ? 'm' : 'f';
}

char HandGenderLetter(const SkinCodes& c) {
    return c.SkinAge == 9 ? 'u' : GenderLetter(c);
}

std::string SkinToneWord(const SkinCodes& c) {
    return SkinToneFor(c.SkinColor);
}

std::string SkinToneFor(int skinColor) {
    switch (skinColor) {
        case 2: return "drk";
        case 3: return "med";
        default: return "lgt";
    }
}

std::string PetWord(const SkinCodes& c) {
    return c.AgeGroup == "kat" ? "cat" : "dog";
}

bool WearsSleepwear(const SkinCodes& c) {
    return (!isChild(c) && c.ExpansionLevel >= 3) || c.ExpansionLevel >= 4;
}

std::string PajamaTextureFor(const SkinCodes& c) {
    return "Pajama" + std::string{GenderLetter(c)} + SkinToneWord(c) + "_" + bodyTexturePart(c);
}

std::string SeriesOf(const std::string& meshName) {
    auto first = meshName.find_first_not_of(' ');
    std::string trimmed = first == std::string::npos ? std::string() : meshName.substr(first);
    return trimmed.size() > 1 ? trimmed.substr(1, 3) : std::string();
}

std::string MeshMask(SkinSlot slot, const SkinCodes& c) {
    if (const HandSlot* hand = handSlot(slot)) {
        return std::string{hand->first, HandGenderLetter(c), hand->side, hand->pose} + "*.cmx";
    }
    switch (slot) {
        case SkinSlot::Head: return std::string("c***") + GenderLetter(c) + AgeLetter(c) + "*.cmx";
        case SkinSlot::Body: return isPet(c) ? "b***" + PetWord(c) + "*.cmx" : clothingMesh('b', c);
        case SkinSlot::Formal: return clothingMesh('f', c);
        case SkinSlot::Fashion: return clothingMesh('h', c);
        case SkinSlot::Winter: return clothingMesh('w', c);
        case SkinSlot::Swim: return childSwimwearIsNude(c) ? "n*chd_*.cmx" : clothingMesh('s', c);
        case SkinSlot::Sleepwear:
            if (WearsSleepwear(c)) return clothingMesh('l', c);
            return (isChild(c) ? "pjs" : "pajama") + std::string{GenderLetter(c)} + c.BodySize + "_01.cmx";
        case SkinSlot::Nude: return nudeMeshMask(c);
        default: return {};
    }
}

std::string TextureMask(SkinSlot slot, const SkinCodes& c, const std::string& series) {
    const std::string tone = SkinToneWord(c);
    if (const HandSlot* hand = handSlot(slot)) {
        return hand->first == '*' ? std::string("h**o*.bmp") : std::string("h**") + hand->pose + tone + "*.bmp";
    }
    switch (slot) {
        case SkinSlot::Head: return "c" + series + GenderLetter(c) + AgeLetter(c) + tone + "*.bmp";
        case SkinSlot::Body: return isPet(c) ? "b" + series + PetWord(c) + "*.bmp" : clothingTexture('b', c, series);
        case SkinSlot::Formal: return clothingTexture('f', c, series);
        case SkinSlot::Fashion: return clothingTexture('h', c, series);
        case SkinSlot::Winter: return clothingTexture('w', c, series);
        case SkinSlot::Swim:
            return childSwimwearIsNude(c) ? "u" + std::string{GenderLetter(c)} + c.BodySize + tone + "*.bmp"
                                          : clothingTexture('s', c, series);
        case SkinSlot::Sleepwear:
            if (WearsSleepwear(c)) return clothingTexture('l', c, series);
            return PajamaTextureFor(c) + "*.bmp";
        case SkinSlot::Nude:
            if (isChild(c)) return "n*" + c.BodySize + tone + "*.bmp";
            if (c.ExpansionLevel == 3 || c.ExpansionLevel == 4) {
                return "n" + std::string{GenderLetter(c)} + c.BodySize + tone + "*.bmp";
            }
            return "n" + std::string{GenderLetter(c)} + c.BodySize + tone + "_" + bodyTexturePart(c) + "*.bmp";
        default: return {};
    }
}

std::optional<std::string> DefaultTexture(SkinSlot slot, const SkinCodes& c) {
    const std::string tone = SkinToneWord(c);
    if (const HandSlot* hand = handSlot(slot)) {
        return std::string("hua") + (hand->first == '*' ? 'o' : hand->pose) + tone;
    }
    switch (slot) {
        case SkinSlot::Sleepwear:
            if (WearsSleepwear(c)) return std::nullopt;
            return PajamaTextureFor(c);
        case SkinSlot::Nude:
            if (isChild(c)) return "nu" + c.BodySize + tone + "_01";
            if (c.ExpansionLevel == 3 || c.ExpansionLevel == 4) {
                return "n" + std::string{GenderLetter(c)} + c.BodySize + tone + "_01";
            }
            return "n" + std::string{GenderLetter(c)} + c.BodySize + tone + "_" + bodyTexturePart(c);
        default: return std::nullopt;
    }
}

}  // namespace corvane
