#include "skintools/SkinExport.h"

#include "platform/AsciiText.h"
#include "platform/FileBytes.h"
#include "platform/FormatError.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TextLines.h"
#include "platform/Trash.h"
#include "skins/ArchiveSkinLookup.h"
#include "skins/BcfConversion.h"
#include "skins/FarRecordDetails.h"
#include "skintools/SkinToolFiles.h"

#include <optional>
#include <stdexcept>
#include <string_view>

namespace corvane {

namespace {

namespace fs = std::filesystem;

constexpr MessageId kTitle{5022};
constexpr MessageId kFileExists{8068};
constexpr MessageId kGoOnWithout{8069};
constexpr MessageId kExported{7149};
constexpr MessageId kExportFailed{7150};
constexpr MessageId kTextureNowhere{7200};

std::string key(const std::string& name) {
    return ToLowerAscii(Trimmed(name));
}

// The archive entry the game would use for a character file: the last one of
// that name (later archives override earlier ones).
const FarRecordDetails* archivedCharacterFile(const SkinCatalogue& catalogue, const std::string& mesh) {
    if (!catalogue.ArchiveCharacterEntries) return nullptr;
    const std::string wanted = key(mesh + ".cmx");
    const auto& entries = *catalogue.ArchiveCharacterEntries;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->EntryName.size() >= 4 && key(it->EntryName.substr(0, it->EntryName.size() - 4)) == wanted) return &*it;
    }
    return nullptr;
}

// The texture entries of that name, the last catalogued first.
std::vector<const FarRecordDetails*> archivedTextures(const SkinCatalogue& catalogue, const std::string& texture) {
    std::vector<const FarRecordDetails*> found;
    if (!catalogue.ArchiveTextureEntries) return found;
    const std::string wanted = key(texture + ".bmp");
    const auto& entries = *catalogue.ArchiveTextureEntries;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (key(it->EntryName) == wanted) found.push_back(&*it);
    }
    return found;
}

ExportSource sourceOf(const fs::path& loose, const FarRecordDetails* entry) {
    if (!loose.empty()) return {loose, {}, {}};
    if (entry != nullptr) return {{}, entry->EntryName, entry->ArchivePath};
    return {};
}

bool startsSuitHeader(const std::string& line) {
    return !line.empty() && std::string_view("/01vV").find(line.front()) != std::string_view::npos;
}

}  // namespace

SkinExportPlan PlanSkinExport(const SkinExportRequest& request, const SkinFolders& folders,
                              const SkinCatalogue& catalogue, const fs::path& skinsFolder) {
    SkinExportPlan plan;
    plan.character = PlanSkinFileReplacement(folders, skinsFolder, request.characterFile);
    plan.characterSource =
        sourceOf(folders.FindSkinFile(request.mesh, ".cmx"), archivedCharacterFile(catalogue, request.mesh));
    plan.texture = PlanSkinFileReplacement(folders, skinsFolder, request.textureFile);
    const std::vector<const FarRecordDetails*> textures = archivedTextures(catalogue, request.texture);
    plan.textureSource =
        sourceOf(folders.FindSkinFile(request.texture, ".bmp"), textures.empty() ? nullptr : textures.front());
    return plan;
}

bool ReplaceSuitNameLine(std::vector<std::string>& lines, const std::string& suitName) {
    for (std::string& line : lines) {
        if (startsSuitHeader(line)) continue;
        line = suitName;
        return true;
    }
    return false;
}

std::string KeepCharacterFileQuestionText(const std::string& characterFile) {
    return LangStr(kFileExists) + " " + characterFile + "\n" + LangStr(kGoOnWithout);
}

SkinExportResult ExportSkin(const SkinExportRequest& request, const SkinFolders& folders, SkinCatalogue& catalogue,
                            const fs::path& skinsFolder, Dialogs& dialogs) {
    const SkinExportPlan plan = PlanSkinExport(request, folders, catalogue, skinsFolder);
    SkinExportResult result;
    bool writeCharacter = true;
    const fs::path& gamePath = folders.gamePath();
    if (plan.character.replacesAny() && !AskToReplace(dialogs, request.characterFile, plan.character, gamePath)) {
        if (StyledMessageDlg(dialogs, LangStr(kTitle), KeepCharacterFileQuestionText(request.characterFile),
                             MsgKind::None, 0, mrNone, mbYesNo) != mrYes) {
            return result;
        }
        writeCharacter = false;
    }
    if (plan.texture.replacesAny() && !AskToReplace(dialogs, request.textureFile, plan.texture, gamePath)) {
        return result;
    }

    const auto tell = [&](const std::string& file, MessageId message, const std::string& detail, MsgKind kind) {
        TellSkinTool(dialogs, file + " " + LangStr(message) + (detail.empty() ? "" : "\n" + detail), kind);
    };
    const auto failed = [&](const std::string& file, const std::string& detail) {
        tell(file, kExportFailed, detail, MsgKind::Error);
        result.outcome = ExportOutcome::Failed;
        return result;
    };

    // The sources are read before anything is replaced: the texture to copy may be the one replaced.
    std::optional<std::vector<std::string>> characterLines;
    if (writeCharacter && plan.characterSource.found()) {
        std::vector<std::string> lines;
        try {
            if (!plan.characterSource.file.empty()) {
                lines = ReadTextFileLines(plan.characterSource.file);
                ReplaceSuitNameLine(lines, ToLowerAscii(WithoutExtension(request.characterFile)));
            } else {
                const FarRecordDetails* entry = archivedCharacterFile(catalogue, request.mesh);
                try {
                    AppendSuitLines(ReadArchiveEntry(*entry), entry->EntryName, ExportedCommentLine(), lines);
                } catch (const FormatError& error) {
                    throw std::runtime_error(DamagedEntryText(*entry, error.what()));
                }
                if (lines.size() > 4) lines[4] = WithoutExtension(request.characterFile);
            }
        } catch (const std::exception& error) {
            return failed(request.characterFile, error.what());
        }
        characterLines = std::move(lines);
    }
    std::optional<std::vector<std::uint8_t>> textureBytes;
    bool textureFailed = false;
    if (!plan.textureSource.file.empty()) {
        try {
            textureBytes = ReadFileBytes(plan.textureSource.file);
        } catch (const std::exception& error) {
            tell(request.textureFile, kExportFailed, error.what(), MsgKind::Error);
            textureFailed = true;
        }
    } else {
        for (const FarRecordDetails* entry : archivedTextures(catalogue, request.texture)) {
            try {
                textureBytes = ReadArchiveEntry(*entry);
                break;
            } catch (const std::exception& error) {
                tell(request.textureFile, kExportFailed, error.what(), MsgKind::Error);
            }
        }
        textureFailed = !textureBytes;
    }

    const auto replace = [&](const SkinFileReplacement& replacement, std::string_view bytes) {
        const ReplacedSkinFile replaced = ReplaceSkinFile(replacement, bytes);
        result.trashed.insert(result.trashed.end(), replaced.trashed.begin(), replaced.trashed.end());
        if (!replaced.notTrashed.empty()) TellSkinTool(dialogs, NotTrashedText(replaced), MsgKind::Warning);
        return replaced.written;
    };
    if (characterLines) {
        try {
            result.characterWritten = replace(plan.character, SkinTextFileBytes(*characterLines));
        } catch (const std::exception& error) {
            return failed(request.characterFile, error.what());
        }
        tell(request.characterFile, kExported, {}, MsgKind::Information);
    }
    if (textureBytes) {
        try {
            result.textureWritten = replace(
                plan.texture,
                std::string_view(reinterpret_cast<const char*>(textureBytes->data()), textureBytes->size()));
            tell(request.textureFile, kExported, {}, MsgKind::Information);
        } catch (const std::exception& error) {
            tell(request.textureFile, kExportFailed, error.what(), MsgKind::Error);
            textureFailed = true;
        }
    } else if (!plan.textureSource.found()) {
        tell(request.textureFile, kExportFailed, LangStr(kTextureNowhere) + " " + request.texture + ".bmp",
             MsgKind::Error);
        textureFailed = true;
    }
    DiscardSkinCatalogue(catalogue);
    result.outcome = textureFailed ? ExportOutcome::Failed : ExportOutcome::Exported;
    return result;
}

}  // namespace corvane
