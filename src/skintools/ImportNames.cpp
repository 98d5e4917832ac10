#include "skintools/ImportNames.h"

#include "platform/AsciiText.h"
#include "platform/TextLines.h"

namespace corvane {

namespace {

bool childChosen(const SkinChoices& choices) {
    return choices.age != 0;
}

// Below the levels that brought sleepwear the pajamas are the older meshes
// named after the character.
bool olderPajamas(const SkinChoices& choices, const SkinToolSettings& settings) {
    const int level = settings.expansionLevel;
    return choices.kind == SkinKind::Pajamas && ((level <= 3 && childChosen(choices)) || level <= 2);
}

bool olderNudes(const SkinChoices& choices, const SkinToolSettings& settings) {
    const int level = settings.expansionLevel;
    return choices.kind == SkinKind::Nude && ((level <= 3 && childChosen(choices)) || level <= 2 || level >= 5);
}

std::string characterGender(const SkinCodes& character) {
    return character.Gender == 0 ? "m" : "f";
}

bool characterIsChild(const SkinCodes& character) {
    return character.SkinAge < 10;
}

std::string bodyTexturePart(const SkinCodes& character) {
    return character.BodyTexture.size() > 13 ? character.BodyTexture.substr(13) : std::string();
}

// Nude and hand names carry no series and no age.
bool seriesAndAge(SkinKind kind) {
    return kind != SkinKind::Nude && kind != SkinKind::Hands;
}

// Heads and hands carry no body size.
bool bodySize(SkinKind kind) {
    return kind != SkinKind::Head && kind != SkinKind::Hands;
}

}  // namespace

std::vector<SkinKindItem> ImportSkinKinds(const SkinToolSettings& settings) {
    std::vector<SkinKindItem> kinds = {
        {SkinKind::Head, 6056},  {SkinKind::Hands, 4025}, {SkinKind::Body, 6116},    {SkinKind::Formal, 6057},
        {SkinKind::Winter, 6085}, {SkinKind::Swim, 4022}, {SkinKind::Pajamas, 4023},
    };
    AppendExpansionKinds(kinds, settings, 6119, 6120);
    return kinds;
}

ImportMask ImportMeshMask(SkinChoices& choices, const SkinToolSettings& settings, const SkinCodes& character) {
    ImportMask result;
    ShownLists& shown = result.shown;
    shown.series = false;  // the series comes from the chosen mesh
    const SkinKind kind = choices.kind;
    if (IsPet(kind)) {
        shown.gender = shown.age = shown.bodySize = shown.skinColor = shown.hands = false;
        result.mask = "B***" + PetKindWord(kind) + "_";
        return result;
    }
    std::string& mask = result.mask;
    mask = std::string{SkinKindLetter(kind)};
    shown.genderItems = kind == SkinKind::Hands || kind == SkinKind::Nude ? 3 : 2;
    shown.age = kind != SkinKind::Hands;
    shown.bodySize = bodySize(kind);
    shown.hands = kind == SkinKind::Hands;
    FitGenderSelection(choices, shown.genderItems);
    if (seriesAndAge(kind)) mask += "***";
    mask += GenderCode(choices.gender);
    if (seriesAndAge(kind)) mask += AgeCode(choices.age);
    if (bodySize(kind)) {
        if (childChosen(choices)) {
            mask += "Chd";
            shown.bodySize = false;
        } else {
            mask += BodySizeCode(choices.bodySize, settings.teens);
        }
    }
    if (kind == SkinKind::Hands) mask += HandCode(choices.hand) + HandTypeCode(choices.handType);

    if (olderPajamas(choices, settings)) {
        mask = (characterIsChild(character) ? "pjs" : "pajama") + characterGender(character) + character.BodySize +
               "_01.cmx";
    }
    if (olderNudes(choices, settings)) {
        if (characterIsChild(character)) {
            mask = "nuchd_01";
        } else if (character.BodySize == "skn") {
            mask = "nuskn_01";
        } else {
            mask = "n" + characterGender(character) + character.BodySize + "_01";
        }
    }
    return result;
}

std::string ImportListingMask(const std::string& mask) {
    const bool namesItsFile = mask.size() >= 4 && ToLowerAscii(mask.substr(mask.size() - 4)) == ".cmx";
    return namesItsFile ? mask : mask + "*.cmx";
}

SkinList ImportMeshList(const SkinSources& sources, const ImportMask& mask, SkinKind kind, const std::string& name,
                        std::mt19937& random, Dialogs* dialogs) {
    // Hand names are four letters long: only those are checked by position.
    const int checkedPositions = kind == SkinKind::Hands ? 4 : 6;
    return FillMeshList(sources, mask.mask + "_" + name + ".cmx", ImportListingMask(mask.mask), checkedPositions,
                        random, dialogs);
}

ImportedTextureName ImportTextureName(const SkinChoices& choices, const SkinToolSettings& settings,
                                const SkinCodes& character, const std::string& mesh, const std::string& name) {
    ImportedTextureName result;
    const std::string trimmedMesh = Trimmed(mesh);
    const std::string series = SeriesOf(trimmedMesh);
    const SkinKind kind = choices.kind;
    std::string& file = result.fileName;
    if (IsPet(kind)) {
        file = "B" + series + PetKindWord(kind);
    } else {
        file = std::string{SkinKindLetter(kind)};
        if (seriesAndAge(kind)) file += series;
        file += GenderCode(choices.gender);
        if (seriesAndAge(kind)) file += AgeCode(choices.age);
        if (bodySize(kind)) file += childChosen(choices) ? std::string("Chd") : BodySizeCode(choices.bodySize, settings.teens);
        if (kind == SkinKind::Hands) file += "A" + HandTypeCode(choices.handType);
        file += SkinColorCode(choices.skinColor);
    }
    file += "_" + name + ".bmp";

    const auto olderTexture = [&](std::string named) {
        file = std::move(named) + ".bmp";
        result.nameShown = false;
        result.choiceListsShown = false;
    };
    if (olderPajamas(choices, settings)) olderTexture(PajamaTextureFor(character));
    if (olderNudes(choices, settings)) {
        const std::string size = trimmedMesh.size() > 2 ? ToLowerAscii(trimmedMesh.substr(2, 3)) : std::string();
        olderTexture("n" + characterGender(character) + size + SkinToneWord(character) + "_" +
                     bodyTexturePart(character));
    }
    return result;
}

}  // namespace corvane
