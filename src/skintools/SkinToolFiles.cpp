#include "skintools/SkinToolFiles.h"

#include "platform/ShellFileOps.h"

#include "platform/CaseInsensitivePath.h"

#include "platform/AtomicFile.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TouchFile.h"
#include "skins/SkinNames.h"

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

std::string ReplaceQuestionText(const std::string& fileName) {
    return LangStr(kFileExists) + " " + fileName + "\n" + LangStr(kReplaceIt);
}

bool AskToReplace(Dialogs& dialogs, const std::string& fileName) {
    return StyledMessageDlg(dialogs, LangStr(kTitle), ReplaceQuestionText(fileName), MsgKind::None, 0, mrNone,
                            mbYesNo) == mrYes;
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

std::filesystem::path InstalledSkinFile(const SkinFolders& folders, const std::filesystem::path& skinsFolder,
                                        const std::string& fileName) {
    const std::filesystem::path name(fileName);
    std::filesystem::path found = folders.FindSkinFile(name.stem().string(), name.extension().string());
    if (found.empty()) {
        const std::filesystem::path here = ResolveCaseInsensitive(skinsFolder, fileName);
        if (PathExists(here)) found = here;
    }
    return found;
}

bool PutBackFromTrash(const TrashedItem& trashed, const std::filesystem::path& original) {
    try {
        MoveToNewPath(trashed.item, original);
    } catch (const std::exception&) {
        return false;
    }
    std::error_code ignored;
    std::filesystem::remove(trashed.info, ignored);
    return true;
}

}  // namespace corvane
