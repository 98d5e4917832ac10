#pragma once

#include "platform/Dialogs.h"
#include "platform/Trash.h"
#include "skins/SkinFolders.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// What the import, export and CMX builder share when they put a file into the game.

// A typed skin name after the name filter (StripNameChars): letters, digits,
// "-" and "_" stay. `changed` tells the page to put the text back and show
// NameNotAllowedText().
struct FilteredName {
    std::string text;
    bool changed = false;
};
FilteredName FilterSkinName(std::string_view typed);
std::string NameNotAllowedText();

// A skin file's name less its four-character extension ("B001MAFit_Red.cmx"
// gives "B001MAFit_Red"); empty when nothing stands before it.
std::string WithoutExtension(const std::string& fileName);

// Why `fileName` cannot name a file directly inside a folder (a folder part,
// "..", a control character, nothing before the extension); empty when it can.
std::string SkinFileNameRefusal(std::string_view fileName);

// folder / fileName; throws std::invalid_argument naming the refusal when the
// name would reach out of the folder.
std::filesystem::path FileInFolder(const std::filesystem::path& folder, const std::string& fileName);

// The installed skin file a new file named `fileName` in `skinsFolder` would
// replace: the one the game finds first, else one of that name in any letter
// case (a link too) in the skins folder itself, which may lie outside the
// folders the game searches. Empty when there is none.
std::filesystem::path InstalledSkinFile(const SkinFolders& folders, const std::filesystem::path& skinsFolder,
                                        const std::string& fileName);

// Puts a file sent to the Trash back where it was, after the file meant to
// replace it could not be written; false when that failed too (it stays in
// the Trash).
bool PutBackFromTrash(const TrashedItem& trashed, const std::filesystem::path& original);

// The question before an installed skin file is replaced: the file's name
// and what becomes of the old one (8068, 8076).
std::string ReplaceQuestionText(const std::string& fileName);
// Asks it (Yes/No); true for Yes.
bool AskToReplace(Dialogs& dialogs, const std::string& fileName);

// The tools' messages: title 5022, OK only.
void TellSkinTool(Dialogs& dialogs, const std::string& text, MsgKind kind);

// The note after a scan that left files out (7260), one line per file with
// what it is (7261-7265).
std::string SkippedFilesNote(const SkippedFiles& skipped);
// Shows it as a warning when any file was skipped.
void TellSkippedFiles(Dialogs& dialogs, const SkippedFiles& skipped);

// The bytes of a text skin file as the game writes it: each line ended by CR LF.
std::string SkinTextFileBytes(const std::vector<std::string>& lines);
// A text skin file as the game writes it: the lines with CR LF, written
// whole or not at all, then stamped (TouchFile). Throws std::runtime_error
// naming the file when it cannot be written.
void WriteSkinTextFile(const std::filesystem::path& file, const std::vector<std::string>& lines);
// Bytes the same way.
void WriteSkinFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace corvane
