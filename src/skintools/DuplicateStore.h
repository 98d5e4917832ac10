#pragma once

#include "platform/Dialogs.h"
#include "platform/LanguageModule.h"
#include "platform/Leftover.h"
#include "skins/ProblemRecordDetails.h"
#include "skintools/DuplicateTree.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace corvane {

// Moving duplicates out of the game into the store beside the editor, and
// back. A stored file keeps its folder relative to the game below the store
// (GameData/Skins/x.bmp goes to CMX_SKN/GameData/Skins/x.bmp).

inline constexpr MessageId kSkinMoveFailed{8049};
// Asked before a restore replaces a file that is in the game again, and
// before a store replaces a stored copy of the same place and name; the
// replaced file goes to the Trash.
inline constexpr MessageId kReplaceGameFileWithStored{7230};
inline constexpr MessageId kReplaceStoredCopy{7231};

// A store or restore failed; both files are where they were. what() is the
// text of message 8049 followed by the cause.
class SkinMoveError : public std::runtime_error {
public:
    explicit SkinMoveError(const std::string& cause);
    MessageId messageId() const { return kSkinMoveFailed; }
};

// The editor's store of duplicates: the application folder's "CMX_SKN".
std::filesystem::path StoredSkinsFolder();

struct DuplicatePlaces {
    std::filesystem::path gamePath;
    std::filesystem::path storeFolder;
};

// The page's two trees.
struct DuplicateTrees {
    SkinTree found;
    SkinTree stored;
};

enum class MoveOutcome {
    Moved,
    SourceMissing,  // nothing to move; the trees are pruned all the same
    Declined,       // the user kept the file the move would have replaced; nothing changed
};

// Where a store of `finding` puts its file, and where a restore puts the
// stored file `fileName` of group `folder` back. A file there is replaced only
// on Yes to the question (ReplaceOnMoveQuestionText) and goes to the Trash.
// Throw SkinMoveError when the place would not lie below its folder.
std::filesystem::path StoredPlace(const ProblemRecordDetails& finding, const DuplicatePlaces& places);
std::filesystem::path GamePlace(const std::string& folder, const std::string& fileName, const DuplicatePlaces& places);

// The question before a move replaces `target`: kReplaceStoredCopy or kReplaceGameFileWithStored.
std::string ReplaceOnMoveQuestionText(MessageId question, const std::filesystem::path& target);

// Stores the finding's file: adds it to the stored tree, moves it (read-only
// cleared, folders created), then removes every node of its file name from
// the found tree, findings for other copies included. Throws SkinMoveError
// when the move fails; the stored entry then stays and the found tree is
// unchanged.
MoveOutcome StoreFinding(DuplicateTrees& trees, const ProblemRecordDetails& finding, const DuplicatePlaces& places,
                         Dialogs& dialogs);

// Moves the stored file `fileName` of group `folder` back into the game
// (folders created), then removes every node of that file name from the
// stored tree. Throws SkinMoveError when the move fails; the trees are then unchanged.
MoveOutcome RestoreStored(DuplicateTrees& trees, const std::string& folder, const std::string& fileName,
                          const DuplicatePlaces& places, Dialogs& dialogs);

// A file a store or restore set aside (".x.bmp.replaced") and an interrupted
// one left there: it goes back under its own name when that is free, else to
// the Trash as that file. Nothing for any other name.
std::optional<Leftover> RecoverSetAsideFile(const std::filesystem::path& entry);

// The information texts: of a found node without finding (7128 to 7131), of
// the stored tree (7134 to 7136), after a restore by double click (7137,
// 7138) or by drag (7132, 7133).
std::string FoundTreeHelp();
std::string StoredTreeHelp();
std::string RestoredInfo(bool dragged);

}  // namespace corvane
