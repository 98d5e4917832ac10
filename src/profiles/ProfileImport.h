#pragma once

#include "neighbourhoods/GameFileWrite.h"
#include "platform/Dialogs.h"
#include "profiles/ProfileFormat.h"
#include "sim/Document.h"
#include "skins/SkinFolders.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane {

// A profile that cannot be imported: what() names the profile file and the
// element or the cause.
class ProfileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value or skin element of the profile, as its text holds it (UTF-8).
struct ProfileValue {
    std::string element;
    std::string text;
};

// An embedded file.
struct ProfileBinData {
    std::string fileName;              // the "FileName" attribute, UTF-8
    std::size_t position = 0;          // among the children of SimRecord
    std::vector<std::uint8_t> bytes;
};

// A file that is never installed: its name would land outside the skin
// folder, or no game could name it so (or write it safely), or its content
// is not the skin file its extension says (ProfileFileContentRefusal).
struct RefusedProfileFile {
    std::string fileName;
    std::string reason;  // "has a folder part", ...
};

// A profile read whole and checked: every element the import reads is there
// and holds what its type says, every embedded file decodes.
struct Profile {
    std::filesystem::path file;
    std::string dateTime;        // informative only
    std::string expansionLevel;  // as written
    std::string rating = "T";
    bool warning = true;         // the exporter left files out (unreadable: as if so)
    std::string ageGroup;        // the AgeGroup element; empty: none readable
    std::string credits;         // UTF-8
    std::vector<ProfileValue> values;     // every element but the files and credits, in document order
    std::vector<ProfileBinData> files;    // the BinData elements with acceptable names and contents, in document order
    std::vector<RefusedProfileFile> refused;
    std::optional<std::vector<std::uint8_t>> images;  // the first BmpData

    // The text of a value element; nullptr when the profile has none.
    const std::string* value(std::string_view element) const;
    // The embedded file at `position` among SimRecord's children; nullptr when none is there.
    const ProfileBinData* fileAt(std::size_t position) const;
};

// Why a "FileName" must not be used; empty when it is acceptable.
std::string ProfileFileNameRefusal(std::string_view fileName);

// Reads and checks the whole profile; nothing is written. Throws
// ProfileError when it cannot be read, is not a profile, lacks an element
// the import needs, holds a number that is not one or data that does not
// decode.
Profile ReadProfile(const std::filesystem::path& file);
// The same from the profile's bytes; `file` only names it in messages.
Profile ReadProfileText(std::span<const std::uint8_t> bytes, const std::filesystem::path& file);

// Whether a profile of its age group fits the character: dog to dog, cat to
// cat, and a person's (adult or child) to any person. The message when not.
bool ProfileFitsCharacter(const Profile& profile, const Sim& sim);
std::string ProfileKindMismatchText();

// What the import offers to install, in the order the preview shows it
// (ProfilePreviewOrder); positions are among SimRecord's children.
std::vector<ProfilePreviewItem> ProfilePreviewItems(const Profile& profile);

// The profile's values copied into `sim` as one edit of `document` (undone
// as one step) through the editor's own edits and limits; texts go to the
// game's `codePage`. Pictures in the profile make the save draw the
// character's thumbnail anew. A value out of the editor's limits refuses the
// whole profile: ProfileError names the element and the value, and the
// record stays as it was. A value the record cannot keep (no entry in
// neighborhood.iff, not at this level or age) is left as it was; the
// returned texts say which and why.
std::vector<std::string> ApplyProfileValues(Document& document, Sim& sim, const Profile& profile, int codePage);

// What installing a profile's files does to one file.
struct ProfileInstallStep {
    enum class Action { Install, Replace, Keep };
    Action action = Action::Install;
    std::string fileName;
    std::filesystem::path target;  // the installed file it replaces or keeps, or the new file
};

struct ProfileInstallResult {
    std::vector<ProfileInstallStep> steps;  // in document order, as decided
    std::vector<RefusedProfileFile> refused;
    std::string failure;  // the files could not be written
};

// The offered files among `selected` (names, letter case ignored) in document
// order, and whether each is installed already (FindSkinFile) or would be
// new in `installFolder`. Writes nothing; Replace stands for "would ask".
std::vector<ProfileInstallStep> PlanProfileInstall(const Profile& profile, const std::vector<std::string>& selected,
                                                   const SkinFolders& folders,
                                                   const std::filesystem::path& installFolder);

// Decides what happens to each selected file, writing nothing: a new file
// goes to `installFolder`; an installed one is replaced only when the user
// says Yes or All (All answers the questions still to come; `answer` may
// start as mrAll). Of files with one name only the first counts.
ProfileInstallResult DecideProfileInstall(const Profile& profile, const std::vector<std::string>& selected,
                                          const SkinFolders& folders, const std::filesystem::path& installFolder,
                                          Dialogs& dialogs, ModalResult answer = mrNo);

// The files the decided steps write, each with its bytes; the files they
// replace go to the Trash when written.
std::vector<InstalledGameFile> ProfileInstallFiles(const Profile& profile, const ProfileInstallResult& decided);

// Decides, then installs the files all together or not at all (`failure`
// says why not; then no file has changed, or the message says that the
// next start completes them). The caller discards the skin catalogue afterwards.
ProfileInstallResult InstallProfileFiles(const Profile& profile, const std::vector<std::string>& selected,
                                         const SkinFolders& folders, const std::filesystem::path& installFolder,
                                         Dialogs& dialogs, ModalResult answer = mrNo);

// Stages the profile's pictures for the character's next save: pictures
// staged before are removed, the profile's written whole when it has any.
// Throws std::runtime_error naming the file that could not be written.
void StageProfileImages(const Profile& profile, const std::filesystem::path& applicationFolder,
                        const std::string& characterFileName);

}  // namespace corvane
