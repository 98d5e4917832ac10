#include "app/NeighbourhoodSwap.h"

#include "platform/CaseInsensitivePath.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"

#include <string>
#include <utility>
#include <vector>

namespace corvane {

namespace {

struct Rename {
    std::filesystem::path from;
    std::filesystem::path to;
};

// Renames folders one after the other; when one fails, the ones done are
// undone in reverse order before the error goes on.
class FolderSwap {
public:
    std::filesystem::path rename(const std::filesystem::path& from, const std::filesystem::path& to) {
        std::filesystem::path final = RenameFolder(from, to, RenameCollision::PickFreeName);
        done_.push_back({from, final});
        return final;
    }

    void rollBack() noexcept {
        for (auto it = done_.rbegin(); it != done_.rend(); ++it) {
            try {
                RenameFolder(it->to, it->from, RenameCollision::PickFreeName);
            } catch (const ShellOperationError&) {
                // Keep putting back the rest: every folder still exists under some name.
            }
        }
        done_.clear();
    }

private:
    std::vector<Rename> done_;
};

void swapFolders(int number, const std::filesystem::path& gamePath, Dialogs& dialogs) {
    auto folder = [&](const std::string& name) { return ResolveCaseInsensitive(gamePath, name); };
    const std::string numbered = "UserData" + std::to_string(number);
    FolderSwap swap;
    try {
        // The first folder may land beside an old TempData as "TempData (2)":
        // the last step moves whatever name it got.
        std::filesystem::path parked = swap.rename(folder("UserData"), gamePath / "TempData");
        swap.rename(folder(numbered), gamePath / "UserData");
        swap.rename(parked, gamePath / numbered);
    } catch (const ShellOperationError& failure) {
        swap.rollBack();
        StyledMessageDlg(dialogs, LangStr(5022), LangStr(7044) + "\n" + failure.what(), MsgKind::None, 0, mrOk, mbOK);
    }
}

}  // namespace

void SwapNeighbourhoodAtExit(int expansionLevel, int number, const std::filesystem::path& gamePath,
                             Registry& registry, Dialogs& dialogs) {
    if (expansionLevel == 0) {
        if (number > 1) {
            swapFolders(number, gamePath, dialogs);
        }
        return;
    }
    registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_CURRENT_NEIGHBORHOOD_NUM",
                   std::to_string(number));
    registry.write(RegistryRoot::LocalMachine, kGameRegistryKey, "SIMS_CURRENT_NEIGHBORHOOD_PATH",
                   number < 2 ? std::string("UserData") : "UserData" + std::to_string(number));
}

}  // namespace corvane
