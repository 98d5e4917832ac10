#include "skintools/ExportNames.h"

#include "platform/AsciiText.h"
#include "skins/SlotPatterns.h"
#include "skintools/SkinSeries.h"

namespace corvane {

namespace {

bool childChosen(const SkinChoices& choices) {
    return choices.age != 0;
}

int genderItemsOf(SkinKind kind) {
    return kind == SkinKind::Nude ? 3 : 2;
}

// "Chd" for a child, else the size code.
std::string sizePart(const SkinChoices& choices, const SkinToolSettings& settings) {
    return childChosen(choices) ? std::string("Chd") : BodySizeCode(choices.bodySize, settings.teens);
}

// Nude names carry no series and no age.
bool seriesAndAge(SkinKind kind) {
    return kind != SkinKind::Nude;
}

}  // namespace

std::vector<SkinKindItem> ExportSkinKinds(const SkinToolSettings& settings) {
    std::vector<SkinKindItem> kinds = {
        {SkinKind::Body, 6116}, {SkinKind::Formal, 6057},  {SkinKind::Winter, 6085},
        {SkinKind::Swim, 4022}, {SkinKind::Pajamas, 4023},
    };
    AppendExpansionKinds(kinds, settings, 6123, 6124);
    return kinds;
}

SkinKind ExportSourceKind(const std::string& mesh) {
    const std::string lower = ToLowerAscii(mesh);
    if (lower.size() < 7 || lower.front() != 'b') return SkinKind::Body;
    for (const SkinKind pet : {SkinKind::Dog, SkinKind::Cat}) {
        if (lower.compare(4, 3, PetKindWord(pet)) == 0) return pet;
    }
    return SkinKind::Body;
}

std::vector<SkinKindItem> ExportDestinationKinds(const SkinToolSettings& settings, SkinKind source) {
    std::vector<SkinKindItem> kinds = ExportSkinKinds(settings);
    std::erase_if(kinds, [&](const SkinKindItem& item) {
        return IsPet(source) ? item.kind != source : IsPet(item.kind);
    });
    return kinds;
}

ExportMask ExportMeshMask(SkinChoices& source, const SkinToolSettings& settings) {
    ExportMask result;
    ShownLists& shown = result.shown;
    if (IsPet(source.kind)) {
        shown.gender = shown.age = shown.bodySize = shown.skinColor = false;
        result.destinationKindEnabled = false;
        result.mask = "B***" + PetKindWord(source.kind);
        return result;
    }
    shown.genderItems = genderItemsOf(source.kind);
    FitGenderSelection(source, shown.genderItems);
    std::string& mask = result.mask;
    mask = std::string{SkinKindLetter(source.kind)};
    if (seriesAndAge(source.kind)) mask += "***";
    // Skinny bodies are listed for every gender.
    mask += source.bodySize == 0 ? std::string("*") : GenderCode(source.gender);
    if (seriesAndAge(source.kind)) mask += AgeCode(source.age);
    shown.bodySize = !childChosen(source);
    mask += sizePart(source, settings);
    return result;
}

SkinList ExportMeshList(const SkinSources& sources, const ExportMask& mask, const std::string& name,
                        std::mt19937& random, Dialogs* dialogs) {
    return FillMeshList(sources, mask.mask + "_" + name + ".cmx", mask.mask + "*.cmx", 6, random, dialogs);
}

ExportTextureChoice ExportTextureMask(const SkinChoices& source, const std::string& mesh, const std::string& name,
                                      const SkinToolSettings& settings) {
    ExportTextureChoice choice;
    const std::string series = SeriesOf(mesh);
    std::string stem;
    if (IsPet(source.kind)) {
        stem = "B" + series + PetKindWord(source.kind);
        choice.series = series;
        choice.destinationKind = source.kind;
    } else {
        stem = std::string{SkinKindLetter(source.kind)};
        if (seriesAndAge(source.kind)) stem += series;
        choice.series = seriesAndAge(source.kind) ? series : std::string("000");
        stem += GenderCode(source.gender);
        if (seriesAndAge(source.kind)) stem += AgeCode(source.age);
        stem += sizePart(source, settings);
        stem += SkinColorCode(source.skinColor);
    }
    choice.mask = stem + "*.bmp";
    choice.wanted = stem + "_" + name + ".bmp";
    return choice;
}

SkinList ExportTextureList(const SkinSources& sources, const ExportTextureChoice& choice, const SkinChoices& source,
                           const SkinToolSettings& settings) {
    // The export page lists textures for the gender and colour chosen on it, not the current character's.
    const TextureOwner owner{source.gender == 0 ? 0 : 1, SkinColorCode(source.skinColor)};
    SkinList list = FillTextureList(sources, choice.wanted, choice.mask, owner);
    if (childChosen(source) && settings.expansionLevel < 4 && source.kind == SkinKind::Pajamas) {
        list.entries.push_back(std::string(source.gender == 0 ? "PajamaM" : "PajamaF") +
                               SkinColorCode(source.skinColor) + "_01");
    }
    return list;
}

std::string ExportNameFromTexture(const std::string& texture, SkinKind kind) {
    const std::size_t prefix = kind == SkinKind::Nude ? 9 : IsPet(kind) ? 8 : 13;
    return texture.size() > prefix ? texture.substr(prefix) : std::string();
}

ExportFileNames ExportNames(SkinChoices& destination, const std::string& seriesField, const std::string& name,
                            const SkinToolSettings& settings) {
    ExportFileNames names;
    // An emptied field stays empty while it is edited; the names carry "000" meanwhile.
    names.series = seriesField.empty() ? seriesField : SeriesNumber(seriesField);
    const std::string series = SeriesNumber(seriesField);
    ShownLists& shown = names.shown;
    shown.genderItems = genderItemsOf(destination.kind);
    FitGenderSelection(destination, shown.genderItems);
    if (IsPet(destination.kind)) {
        shown.gender = shown.age = shown.bodySize = shown.skinColor = false;
        const std::string base = "B" + series + PetKindWord(destination.kind) + "_" + name;
        names.characterFile = base + ".cmx";
        names.textureFile = base + ".bmp";
        return names;
    }
    std::string base{SkinKindLetter(destination.kind)};
    shown.series = seriesAndAge(destination.kind);
    if (shown.series) base += series;
    base += GenderCode(destination.gender);
    if (seriesAndAge(destination.kind)) base += AgeCode(destination.age);
    shown.bodySize = !childChosen(destination);
    base += sizePart(destination, settings);
    const std::string colour = SkinColorCode(destination.skinColor);
    if (destination.kind == SkinKind::Nude && settings.expansionLevel > 4) {
        shown.name = false;
        names.characterFile = base + "_01.cmx";
        names.textureFile = base + colour + "_01.bmp";
    } else {
        names.characterFile = base + "_" + name + ".cmx";
        names.textureFile = base + colour + "_" + name + ".bmp";
    }
    return names;
}

}  // namespace corvane
