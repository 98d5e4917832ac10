#include "skins/CharacterFileCheck.h"

#include "platform/AsciiText.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TextLines.h"

#include <algorithm>
#include <array>

namespace corvane {

namespace {

constexpr std::array<std::string_view, 4> kBones{"HEAD", "PELVIS", "R_HAND", "L_HAND"};
// Dialog texts are joined by line breaks (CR LF on the game's system).
constexpr const char* kBreak = "\n";

std::string withoutExtension(const std::string& name) {
    auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool isBoneLine(const std::string& line) {
    const std::string bone = ToUpperAscii(Trimmed(line));
    return std::find(kBones.begin(), kBones.end(), std::string_view(bone)) != kBones.end();
}

void tell(Dialogs& dialogs, const std::string& text) {
    StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
}

std::string missingMeshLines(const std::string& missing) {
    return LangStr(7085) + " " + missing + kBreak + LangStr(7087) + " " + missing + ".skn" + kBreak + LangStr(7088);
}

void reportForListing(const CharacterFileFindings& findings, const std::filesystem::path& path, Dialogs& dialogs) {
    const std::string file = path.string();
    if (findings.badName) {
        tell(dialogs, LangStr(7082) + kBreak + LangStr(7083) + kBreak + file + kBreak + kBreak + LangStr(7084) + kBreak +
                          kBreak);
    }
    if (!findings.missingMesh.empty()) {
        const std::string& missing = findings.missingMesh;
        tell(dialogs, LangStr(7082) + kBreak + LangStr(7085) + " " + missing + kBreak + LangStr(7086) + " " + file +
                          kBreak + LangStr(7087) + " " + missing + ".skn" + kBreak + LangStr(7088) + kBreak + kBreak +
                          LangStr(7084) + kBreak + kBreak);
    }
}

void reportForBuilder(const CharacterFileFindings& findings, Dialogs& dialogs) {
    if (!findings.missingMesh.empty()) {
        tell(dialogs, LangStr(7082) + kBreak + missingMeshLines(findings.missingMesh) + kBreak);
    }
}

void recordProblems(const CharacterFileFindings& findings, const std::filesystem::path& path, ProblemList& problems) {
    if (findings.badName) {
        problems.push_back(ProblemAbout(path, LangStr(6153), "BadName"));
    }
    if (!findings.missingMesh.empty()) {
        problems.push_back(ProblemAbout(path, missingMeshLines(findings.missingMesh), "MissingSKN"));
    }
}

}  // namespace

KnownMeshes::KnownMeshes(const std::vector<std::filesystem::path>& sknFiles,
                         const std::vector<FarRecordDetails>& archiveMeshes) {
    for (const auto& file : sknFiles) {
        names_.insert(ToLowerAscii(Trimmed(file.stem().string())));
    }
    for (const auto& entry : archiveMeshes) {
        names_.insert(ToLowerAscii(withoutExtension(entry.EntryName)));
    }
}

KnownMeshes::KnownMeshes(const SkinCatalogue& catalogue)
    : KnownMeshes(catalogue.SknFileList.value_or(std::vector<std::filesystem::path>{}),
                  catalogue.ArchiveMeshEntries.value_or(std::vector<FarRecordDetails>{})) {}

bool KnownMeshes::contains(const std::string& trimmedLowerName) const {
    return names_.count(trimmedLowerName) != 0;
}

CharacterFileFindings AnalyseCharacterFile(const std::vector<std::string>& lines, const std::string& baseName,
                                           const KnownMeshes& meshes) {
    bool boneSeen = false;
    bool nameSeen = false;
    bool firstUnmatchedPassed = false;
    std::string missing;
    const std::string wantedName = ToLowerAscii(Trimmed(baseName));
    for (const std::string& line : lines) {
        if (isBoneLine(line)) {
            boneSeen = true;
        }
        if (line.find("//") != std::string::npos) {
            continue;
        }
        if (line.find("xskill") != std::string::npos) {
            boneSeen = false;
            break;
        }
        if (line.find("version ") != std::string::npos) {
            continue;
        }
        const std::string trimmedLower = ToLowerAscii(Trimmed(line));
        if (trimmedLower == wantedName) {
            nameSeen = true;
            continue;
        }
        if (trimmedLower.size() < 2 || ToLowerAscii(line).find("xskin") == std::string::npos) {
            continue;
        }
        if (!meshes.contains(trimmedLower)) {
            if (nameSeen || firstUnmatchedPassed) {
                missing = line;
            } else {
                firstUnmatchedPassed = true;
            }
        }
    }
    CharacterFileFindings findings;
    if (boneSeen) {
        findings.badName = !nameSeen;
        findings.missingMesh = missing;
    }
    return findings;
}

bool CheckCharacterFile(const std::filesystem::path& path, CheckMode mode, const KnownMeshes& meshes,
                        Dialogs* dialogs, ProblemList* problems) {
    return ReportCharacterFileFindings(AnalyseCharacterFile(ReadTextFileLines(path), path.stem().string(), meshes),
                                       path, mode, dialogs, problems);
}

bool ReportCharacterFileFindings(const CharacterFileFindings& findings, const std::filesystem::path& path,
                                 CheckMode mode, Dialogs* dialogs, ProblemList* problems) {
    switch (mode) {
        case CheckMode::Listing:
            if (dialogs != nullptr) reportForListing(findings, path, *dialogs);
            break;
        case CheckMode::Builder:
            if (dialogs != nullptr) reportForBuilder(findings, *dialogs);
            break;
        case CheckMode::Validation:
            if (problems != nullptr) recordProblems(findings, path, *problems);
            break;
    }
    return findings.ok();
}

}  // namespace corvane
