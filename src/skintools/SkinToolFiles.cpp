#include "skintools/SkinToolFiles.h"

#include "platform/ShellFileOps.h"

#include "platform/CaseInsensitivePath.h"

#include "platform/AtomicFile.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TouchFile.h"
#include "platform/Trash.h"
#include "platform/TrashingReplace.h"
#include "skins/SkinNames.h"

#include <optional>
#include <set>
#include <stdexcept>
#include <system_error>

namespace corvane {

namespace {

constexpr MessageId kTitle{5022};
constexpr MessageId kNameNotAllowed{7140};
constexpr MessageId kFileExists{8068};
constexpr MessageId kReplaceIt{8076};
constexpr MessageId kSkippedFiles{7260};

MessageId kindName(SpecialFileKind kind) {
    switch (kind) {
        case SpecialFileKind::Fifo: return MessageId{7261};
        case SpecialFileKind::Socket: return MessageId{7262};
        case SpecialFileKind::BlockDevice: return MessageId{7263};
        case SpecialFileKind::CharacterDevice: return MessageId{7264};
        case SpecialFileKind::Folder: return MessageId{7265};
    }
    return MessageId{7264};
}
constexpr MessageId kFilesExist{7280};
constexpr MessageId kReplaceThem{7281};

}  // namespace

FilteredName FilterSkinName(std::string_view typed) {
    FilteredName filtered{StripNameChars(typed), false};
    filtered.changed = filtered.text != typed;
    return filtered;
}

std::string NameNotAllowedText() {
    return LangStr(kNameNotAllowed);
}

std::string WithoutExtension(const std::string& fileName) {
    return fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

std::string SkinFileNameRefusal(std::string_view name) {
    if (name.empty()) return "is empty";
    if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos) {
        return "has a folder part";
    }
    if (name == "." || name == "..") return "names a folder";
    if (name.front() == '.') return "has no name before its extension";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return "holds a control character";
    }
    return {};
}

std::filesystem::path FileInFolder(const std::filesystem::path& folder, const std::string& fileName) {
    const std::string refusal = SkinFileNameRefusal(fileName);
    if (!refusal.empty()) {
        throw std::invalid_argument("the skin file name \"" + fileName + "\" " + refusal);
    }
    return folder / fileName;
}

void TellSkinTool(Dialogs& dialogs, const std::string& text, MsgKind kind) {
    StyledMessageDlg(dialogs, LangStr(kTitle), text, kind, 0, mrNone, mbOK);
}

std::string SkippedFilesNote(const SkippedFiles& skipped) {
    std::string text = LangStr(kSkippedFiles);
    for (const SkippedFile& file : skipped) {
        text += "\n" + file.file.string() + " (" + LangStr(kindName(file.kind)) + ")";
    }
    return text;
}

void TellSkippedFiles(Dialogs& dialogs, const SkippedFiles& skipped) {
    if (!skipped.empty()) TellSkinTool(dialogs, SkippedFilesNote(skipped), MsgKind::Warning);
}

std::string SkinTextFileBytes(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

void WriteSkinTextFile(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    WriteSkinFile(file, SkinTextFileBytes(lines));
}

void WriteSkinFile(const std::filesystem::path& file, std::string_view bytes) {
    // The skins folder may not exist yet in a fresh installation; nobody is asked to create it.
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    ReplaceFileAtomically(file, bytes);
    TouchFile(file);
}

SkinFileReplacement PlanSkinFileReplacement(const SkinFolders& folders, const std::filesystem::path& skinsFolder,
                                            const std::string& fileName) {
    SkinFileReplacement replacement{FileInFolder(skinsFolder, fileName), {}};
    std::set<FileIdentity> seen;
    const auto add = [&](const std::filesystem::path& file) {
        RefuseNonFilePlace(file);
        const std::optional<FileIdentity> identity = IdentityOf(file);
        if (identity && seen.insert(*identity).second) replacement.installed.push_back(file);
    };
    if (PathExists(replacement.target)) add(replacement.target);
    // The new file's twin in another letter case, in a skins folder the game may not search.
    const std::filesystem::path twin = ResolveCaseInsensitive(skinsFolder, fileName);
    if (PathExists(twin)) add(twin);
    for (const std::filesystem::path& file : folders.ListSkinFiles(fileName)) add(file);
    return replacement;
}

namespace {

// A file as the question names it: its path below the game folder, else in full.
std::string shownPath(const std::filesystem::path& file, const std::filesystem::path& gamePath) {
    const std::filesystem::path relative = file.lexically_relative(gamePath);
    return relative.empty() || *relative.begin() == ".." ? file.string() : relative.string();
}

}  // namespace

std::string ReplaceQuestionText(const std::string& fileName, const SkinFileReplacement& replacement,
                                const std::filesystem::path& gamePath) {
    const std::vector<std::filesystem::path>& installed = replacement.installed;
    if (installed.size() == 1 && installed.front() == replacement.target) {
        return LangStr(kFileExists) + " " + fileName + "\n" + LangStr(kReplaceIt);
    }
    std::string files;
    for (const std::filesystem::path& file : installed) files += "\n" + shownPath(file, gamePath);
    if (installed.size() == 1) return LangStr(kFileExists) + " " + fileName + files + "\n" + LangStr(kReplaceIt);
    return LangStr(kFilesExist) + files + "\n" + LangStr(kReplaceThem);
}

bool AskToReplace(Dialogs& dialogs, const std::string& fileName, const SkinFileReplacement& replacement,
                  const std::filesystem::path& gamePath) {
    return StyledMessageDlg(dialogs, LangStr(kTitle), ReplaceQuestionText(fileName, replacement, gamePath),
                            MsgKind::None, 0, mrNone, mbYesNo) == mrYes;
}

ReplacedSkinFile ReplaceSkinFile(const SkinFileReplacement& replacement, std::string_view bytes) {
    ReplacedSkinFile replaced;
    const Replacement written = WriteSendingOldToTrash(replacement.target, bytes);
    TouchFile(written.written);
    replaced.written = replacement.target;
    if (written.old) replaced.trashed.push_back(written.old->item);
    // The others go once the new file is in: the game finds a file of the name all along.
    for (const std::filesystem::path& other : replacement.installed) {
        if (other == replacement.target) continue;
        try {
            replaced.trashed.push_back(MoveToTrash(other).item);
        } catch (const ShellOperationError& error) {
            replaced.notTrashed += (replaced.notTrashed.empty() ? "" : "\n") + std::string(error.what());
        }
    }
    return replaced;
}

std::string NotTrashedText(const ReplacedSkinFile& replaced) {
    return LangStr(kShellOperationFailed) + "\n" + replaced.notTrashed;
}

}  // namespace corvane
