#pragma once

#include "platform/Dialogs.h"
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

// A new skin file and the installed files of its name it replaces: the file
// at its own place (when there), and every file of that name, in any letter
// case, in the skins folder and in the folders the game searches, which the
// game might find instead. Each file counts once, however many links reach it.
struct SkinFileReplacement {
    std::filesystem::path target;                 // the new file
    std::vector<std::filesystem::path> installed;  // the files it replaces, the one at `target` first
    bool replacesAny() const { return !installed.empty(); }
};

// Throws std::invalid_argument when the name would reach out of the skins
// folder, ShellOperationError when a folder or a special file stands in the
// new file's place or has the name of a file it would replace.
SkinFileReplacement PlanSkinFileReplacement(const SkinFolders& folders, const std::filesystem::path& skinsFolder,
                                            const std::string& fileName);

// The question before installed skin files are replaced: the file's name,
// each file with its folder when any lies outside the new file's place, and
// what becomes of the old ones (8068, 8076; 7280, 7281 for several).
std::string ReplaceQuestionText(const std::string& fileName, const SkinFileReplacement& replacement,
                                const std::filesystem::path& gamePath);
// Asks it (Yes/No); true for Yes.
bool AskToReplace(Dialogs& dialogs, const std::string& fileName, const SkinFileReplacement& replacement,
                  const std::filesystem::path& gamePath);

struct ReplacedSkinFile {
    std::filesystem::path written;
    std::vector<std::filesystem::path> trashed;  // where the replaced files lie in the Trash
    std::string notTrashed;  // why replaced files elsewhere could not go (they stay); empty when all went
};

// Writes `bytes` as the new file whole, the old file at its place kept in the
// Trash (TrashingReplace), stamps it, then sends the other files it replaces
// to the Trash. Throws when the new file cannot be written: nothing changed then.
ReplacedSkinFile ReplaceSkinFile(const SkinFileReplacement& replacement, std::string_view bytes);

// The message after the new file was written but a replaced file elsewhere
// could not go to the Trash (7044 and the cause).
std::string NotTrashedText(const ReplacedSkinFile& replaced);

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
// whole or not at all over whatever is there, then stamped (TouchFile).
// Throws std::runtime_error naming the file when it cannot be written. For
// work files and the repair editors, which keep their own backups.
void WriteSkinTextFile(const std::filesystem::path& file, const std::vector<std::string>& lines);
// Bytes the same way.
void WriteSkinFile(const std::filesystem::path& file, std::string_view bytes);

}  // namespace corvane
