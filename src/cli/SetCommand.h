#pragma once

#include "cli/CliArguments.h"
#include "neighbourhoods/CharacterSave.h"
#include "sim/CharacterList.h"
#include "sim/Document.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace corvane::cli {

// `set NB FILE Field=Value… [--dry-run]`: changes fields of a character's
// record through the editor's edits and saves it as the Save button does
// after a Yes. Prints each changed field (other characters' fields with
// their file names); with --dry-run also what a save would write and the
// skins it would drop as not installed, and writes nothing. When the values
// are already there it says "nothing to change" and writes nothing.
int RunSet(const CliArguments& args, std::ostream& out);

// The character FILE (argument 1) of neighbourhood `folderName`, opened into
// `document` for editing; GameDataError when it is not there or was read as damaged.
Sim& OpenCharacterToEdit(const CliArguments& args, const std::string& folderName, Document& document);

// The records of an opened neighbourhood as they were before a command's
// edits to `edited`, so the command can print what changed and save only that.
// The flags the loading set are cleared first.
class EditedRecords {
public:
    EditedRecords(CharacterList& list, const Sim& edited);
    // The records to save; those that ended as they were lose their flags.
    std::vector<Sim*> changed();
    // Each changed field, the other characters' with their file names.
    void print(std::ostream& out) const;

private:
    CharacterList& list_;
    const Sim& edited_;
    std::vector<std::pair<const Sim*, Sim>> before_;
};

// Saves the modified characters of neighbourhood `folder` as the Save button
// does after a Yes, with `additions` written in the same all-or-nothing step;
// GameDataError when a character could not be saved.
void SaveEditedCharacters(CharacterList& list, const std::filesystem::path& folder, SaveAdditions additions = {});
// What that save would write, without writing it.
void PrintPlannedSave(const std::vector<Sim*>& saved, const std::filesystem::path& folder, std::ostream& out);

}  // namespace corvane::cli
