// Feeds arbitrary bytes to the profile reader, then copies what it accepts
// into a character through the editor's edits and decides the install of its
// files. Each step reads the profile or refuses it with ProfileError (a value
// out of the editor's limits included), never crashes, hangs or writes.
#include "profiles/ProfileImport.h"
#include "platform/SilentDialogs.h"
#include "skins/SkinFolders.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    Profile profile;
    try {
        profile = ReadProfileText(std::span<const std::uint8_t>(data, size), "fuzz.cvp");
    } catch (const ProfileError&) {
        return 0;
    }
    Document document(7);
    auto sim = std::make_unique<Sim>();
    sim->FileName = "User00001";
    sim->NeighborEntryPos = 100;
    sim->PersonDataValues = 256;
    std::vector<std::unique_ptr<Sim>> characters;
    characters.push_back(std::move(sim));
    document.open(std::move(characters), std::vector<std::optional<Bitmap>>(1), nullptr);
    document.select(0);
    if (ProfileFitsCharacter(profile, *document.current())) {
        try {
            (void)ApplyProfileValues(document, *document.current(), profile, 1252);
        } catch (const ProfileError&) {
        }
    }
    // No game folder: every file would be new; nothing is written by the decision.
    std::vector<std::string> selected;
    for (const ProfilePreviewItem& item : ProfilePreviewItems(profile)) selected.push_back(item.fileName);
    SilentDialogs dialogs;
    (void)DecideProfileInstall(profile, selected, SkinFolders("/nonexistent-game", 7), "/nonexistent-game/Skins",
                               dialogs);
    return 0;
}
