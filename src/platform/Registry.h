#pragma once

#include "platform/IniStore.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Where the registry stores live.
struct RegistryLocations {
    // The Wine prefix that may hold the game's key; empty when there is none.
    std::optional<std::filesystem::path> winePrefix;
    // The folder of the editor's own store, registry.ini.
    std::filesystem::path iniFolder;

    // $WINEPREFIX, else ~/.wine, when that folder exists; $XDG_CONFIG_HOME/Corvane,
    // else ~/.config/Corvane.
    static RegistryLocations fromEnvironment();
};

// The string values the editor keeps under registry keys, on Linux.
//
// The game's key, `Software\Maxis\The Sims` under the local machine, is read
// from and written to the Wine prefix's system.reg when the prefix holds it:
// as is, or in a 64-bit prefix under `Software\Wow6432Node\Maxis\The Sims`
// (the plain key wins when both exist). Every other key, and the game's key
// when no prefix holds it, lives in the INI store, one section per root and key
// ("[HKEY_CURRENT_USER\Software\Corvane]").
//
// Key paths may carry leading and trailing backslashes and any letter case.
// Keys open with creation allowed: a missing key or value reads as "".
// Files are read on every call, so values Wine or the user changed are seen; a
// file that cannot be read or written throws std::runtime_error naming it. A
// running wineserver keeps the hive in memory and writes it out again later,
// so changes to system.reg last only while Wine is not running in the prefix.
class Registry {
public:
    explicit Registry(RegistryLocations locations);

    std::string read(RegistryRoot root, std::string_view keyPath, std::string_view valueName) const;
    void write(RegistryRoot root, std::string_view keyPath, std::string_view valueName, std::string_view value);

    // The file that holds the game's key now: the prefix's system.reg or registry.ini.
    std::filesystem::path gameKeyFile() const;

    const RegistryLocations& locations() const { return locations_; }
    const std::filesystem::path& iniFile() const { return ini_.file(); }

private:
    RegistryLocations locations_;
    IniStore ini_;
};

// The game's key, as the editor names it.
inline constexpr std::string_view kGameRegistryKey = "Software\\Maxis\\The Sims";
// The editor's own key and its profile-folder subkey.
inline constexpr std::string_view kEditorRegistryKey = "Software\\Corvane";
inline constexpr std::string_view kProfilesRegistryKey = "Software\\Corvane\\CVPProfiles";

}  // namespace corvane
