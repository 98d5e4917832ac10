#include "skins/CensorFiles.h"

#include "platform/AtomicFile.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/ProductWebAddress.h"
#include "platform/Trash.h"

namespace corvane {

namespace {

// The packs from level 3 on name the people's censor files after the age.
bool renamedCensors(CensorKind kind, int expansionLevel) {
    return (kind == CensorKind::Adult || kind == CensorKind::Child) && expansionLevel >= 3;
}

const char* ageWord(CensorKind kind) {
    switch (kind) {
        case CensorKind::Adult: return "adult";
        case CensorKind::Child: return "child";
        case CensorKind::Cat: return "kat";
        case CensorKind::Dog: return "dog";
    }
    return "";
}

// The base name looked up to switch the blur on again; the child's file is
// found in any letter case, so the lower-case name finds "Child.cmx" too.
std::string lookupName(CensorKind kind, int expansionLevel) {
    if (kind == CensorKind::Adult && expansionLevel >= 3) return "Adult";
    if (kind == CensorKind::Child && expansionLevel >= 3) return "child";
    return std::string(ageWord(kind)) + "-censor";
}

}  // namespace

std::string CensorFileName(CensorKind kind, int expansionLevel) {
    if (renamedCensors(kind, expansionLevel)) return kind == CensorKind::Adult ? "Adult.cmx" : "Child.cmx";
    return std::string(ageWord(kind)) + "-censor.cmx";
}

std::string CensorSuitName(CensorKind kind, int expansionLevel) {
    const bool people = kind == CensorKind::Adult || kind == CensorKind::Child;
    if (people && !renamedCensors(kind, expansionLevel)) return std::string(ageWord(kind)) + "-censor";
    return std::string(ageWord(kind)) + "-needs";
}

std::string CensorFileText(CensorKind kind, int expansionLevel) {
    const std::string lines[] = {
        std::string("// Character File. Generated with Corvane ") + kProductWebAddress,
        "version 300", "0", "1", CensorSuitName(kind, expansionLevel), "1", "0", "0",
    };
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

bool BlurOn(const SkinFolders& folders, CensorKind kind) {
    return folders.FindSkinFile(lookupName(kind, folders.expansionLevel()), ".cmx").empty();
}

void SetBlur(const SkinFolders& folders, CensorKind kind, bool on) {
    const int level = folders.expansionLevel();
    if (on) {
        const std::filesystem::path file = folders.FindSkinFile(lookupName(kind, level), ".cmx");
        if (!file.empty()) MoveToTrash(file);
        return;
    }
    const std::filesystem::path file =
        ResolveCaseInsensitive(folders.gamePath(), "GameData\\Skins\\" + CensorFileName(kind, level));
    ReplaceFileAtomically(file, CensorFileText(kind, level));
}

}  // namespace corvane
