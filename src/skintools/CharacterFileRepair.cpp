#include "skintools/CharacterFileRepair.h"

#include "platform/AsciiText.h"
#include "platform/LanguageModule.h"
#include "platform/TextLines.h"
#include "skins/CharacterFileCheck.h"

#include <optional>

namespace corvane {

namespace {

constexpr MessageId kNoReplacement{6155};
constexpr MessageId kReplacedBySimilar{6156};
constexpr const char* kCrLf = "\r\n";

std::string withoutExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// The base names the prefix search walks: loose meshes first, then archive entries.
std::vector<std::string> candidateNames(const std::vector<std::filesystem::path>& sknFiles,
                                        const std::vector<FarRecordDetails>& archiveMeshes) {
    std::vector<std::string> names;
    names.reserve(sknFiles.size() + archiveMeshes.size());
    for (const auto& file : sknFiles) names.push_back(Trimmed(file.stem().string()));
    for (const auto& entry : archiveMeshes) names.push_back(Trimmed(withoutExtension(entry.EntryName)));
    return names;
}

// The first candidate sharing the longest beginning with `mesh` (trimmed,
// lower-cased), never shorter than just past its first "_".
std::optional<std::string> similarMesh(const std::string& mesh, const std::vector<std::string>& candidates) {
    const auto underscore = mesh.find('_');
    const std::size_t stopAt = underscore == std::string::npos ? 0 : underscore + 1;  // a 1-based position
    for (std::size_t k = mesh.size() == 0 ? 0 : mesh.size() - 1; k >= 1; --k) {
        if (k == stopAt) break;
        const std::string prefix = mesh.substr(0, k);
        for (const std::string& candidate : candidates) {
            if (candidate.size() >= k && ToLowerAscii(std::string_view(candidate).substr(0, k)) == prefix) {
                return candidate;
            }
        }
    }
    return std::nullopt;
}

class Proposal {
public:
    Proposal(const std::vector<std::string>& lines, std::string description)
        : description_(std::move(description)) {
        result_.lines = lines;
    }

    void replace(std::size_t line, const std::string& text) {
        result_.lines[line] = text;
        result_.marks.push_back({line, 0, text.size(), EditorMarkStyle::BoldNavy});
    }
    void markFirstOccurrence(const std::string& text) {
        for (std::size_t i = 0; i < result_.lines.size(); ++i) {
            if (const auto at = result_.lines[i].find(text); at != std::string::npos) {
                result_.marks.push_back({i, at, text.size(), EditorMarkStyle::Red});
                return;
            }
        }
    }
    void problem(const std::string& text) {
        result_.problems += std::to_string(++result_.problemCount) + ": " + text + kCrLf + kCrLf;
    }
    const std::string& description() const { return description_; }
    CharacterFileProposal take() { return std::move(result_); }

private:
    std::string description_;
    CharacterFileProposal result_;
};

}  // namespace

CharacterFileProposal ProposeCharacterFileRepair(const std::vector<std::string>& lines, const std::string& fileName,
                                                 const std::string& description,
                                                 const std::vector<std::filesystem::path>& sknFiles,
                                                 const std::vector<FarRecordDetails>& archiveMeshes) {
    const std::string baseName = withoutExtension(fileName);
    const KnownMeshes known(sknFiles, archiveMeshes);
    const std::vector<std::string> candidates = candidateNames(sknFiles, archiveMeshes);
    Proposal proposal(lines, description);
    int counter = 0;
    bool suitAtTwo = false;
    bool suitAtThree = false;
    bool nextIsMesh = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string trimmed = Trimmed(lines[i]);
        if (trimmed.size() == 1) {
            ++counter;
            continue;
        }
        if (trimmed.size() < 2 || counter < 2) continue;
        const bool suitName = counter == 2 || (counter == 3 && !suitAtTwo && !suitAtThree);
        if (suitName) {
            (counter == 2 ? suitAtTwo : suitAtThree) = true;
            if (ToLowerAscii(trimmed) != ToLowerAscii(baseName)) {
                proposal.problem(description);
                proposal.replace(i, baseName);
            }
            continue;
        }
        const bool mesh = nextIsMesh;
        nextIsMesh = !nextIsMesh;
        const std::string lower = ToLowerAscii(trimmed);
        if (!mesh || lower.find("xskin") == std::string::npos || known.contains(lower)) continue;
        if (const auto similar = similarMesh(lower, candidates)) {
            proposal.problem(description + kCrLf + LangStr(kReplacedBySimilar));
            proposal.replace(i, *similar);
        } else {
            proposal.problem(lines[i] + LangStr(kNoReplacement));
            proposal.markFirstOccurrence(lines[i]);
        }
    }
    return proposal.take();
}

CharacterFileProposal ProposeCharacterFileRepair(const std::vector<std::string>& lines, const std::string& fileName,
                                                 const std::string& description, const SkinCatalogue& catalogue) {
    static const std::vector<std::filesystem::path> noFiles;
    static const std::vector<FarRecordDetails> noEntries;
    return ProposeCharacterFileRepair(lines, fileName, description,
                                      catalogue.SknFileList ? *catalogue.SknFileList : noFiles,
                                      catalogue.ArchiveMeshEntries ? *catalogue.ArchiveMeshEntries : noEntries);
}

}  // namespace corvane
