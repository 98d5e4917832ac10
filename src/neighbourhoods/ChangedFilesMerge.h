#pragma once

#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/Dialogs.h"
#include "sim/CharacterList.h"
#include "sim/RecordMerge.h"

#include <filesystem>
#include <functional>
#include <string>

namespace corvane {

// A value changed both in the editor and by another program, with the
// record and the file that holds the value.
struct ConflictOnDisk {
    const Sim& record;
    const FieldConflict& conflict;
    std::filesystem::path file;
};

using ConflictSettler = std::function<ConflictAnswer(const ConflictOnDisk&)>;

// The file of the neighbourhood in `neighbourhoodFolder` that holds the
// conflict's value: neighborhood.iff for person data, household values and
// relationships, else the character's own file.
std::filesystem::path FileHoldingValue(const std::filesystem::path& neighbourhoodFolder, const Sim& record,
                                       const FieldConflict& conflict);

// The editor's question: it names the file, the character (or household),
// the value, the value on disk and the editor's. Yes keeps the editor's
// value, No the value on disk; closing the question cancels. Texts in the
// game's code page are shown as `languageNumber`'s.
ConflictAnswer AskAboutConflict(Dialogs& dialogs, int languageNumber, const ConflictOnDisk& conflict);

struct ChangedFilesMerge {
    bool cancelled = false;  // a conflict was answered with Cancel: the records are as they were
    std::string failure;     // the neighbourhood could not be read again: the records are as they were
};

// Reads the neighbourhood again (`load`, nothing moved, no leftover work file
// removed) and makes each record of `list` the record as the files hold it now
// with the user's own changes carried over (MergeUserChanges, the list's
// records as read being the start of those changes). A value changed on both
// sides is settled by `settle`, once for each household value shared by its
// members. Only when every record could be merged do the records change; then
// they count as read from the files as they are now (stamps, records as read).
// A record whose file is gone stays as it is.
ChangedFilesMerge MergeChangedFiles(CharacterList& list, NeighbourhoodLoadSettings load, const ConflictSettler& settle);

}  // namespace corvane
