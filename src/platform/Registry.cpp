#include "platform/Registry.h"

#include "platform/CaseInsensitivePath.h"
#include "platform/RegistryKeyPath.h"
#include "platform/WineRegistryFile.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr std::string_view kWow64GameKey = "Software\\Wow6432Node\\Maxis\\The Sims";

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::optional<std::string>(value) : std::nullopt;
}

std::filesystem::path homeFolder() {
    if (std::optional<std::string> home = environment("HOME")) {
        return *home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? std::filesystem::path(user->pw_dir) : std::filesystem::path("/");
}

std::string rootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

bool isGameKey(RegistryRoot root, std::string_view keyPath) {
    return root == RegistryRoot::LocalMachine && EqualsIgnoreCase(NormalizeRegistryKeyPath(keyPath), kGameRegistryKey);
}

std::string iniSection(RegistryRoot root, std::string_view keyPath) {
    return rootName(root) + "\\" + NormalizeRegistryKeyPath(keyPath);
}

// The prefix's hive with the path of the game's key inside it.
struct GameKeyInPrefix {
    std::filesystem::path file;
    WineRegistryFile hive;
    std::string_view keyPath;
};

std::optional<GameKeyInPrefix> findGameKeyInPrefix(const RegistryLocations& locations) {
    if (!locations.winePrefix) {
        return std::nullopt;
    }
    std::filesystem::path file = *locations.winePrefix / "system.reg";
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return std::nullopt;
    }
    WineRegistryFile hive = WineRegistryFile::load(file);
    for (std::string_view keyPath : {kGameRegistryKey, kWow64GameKey}) {
        if (hive.hasKey(keyPath)) {
            return GameKeyInPrefix{std::move(file), std::move(hive), keyPath};
        }
    }
    return std::nullopt;
}

}  // namespace

RegistryLocations RegistryLocations::fromEnvironment() {
    RegistryLocations locations;
    std::filesystem::path prefix = environment("WINEPREFIX").value_or((homeFolder() / ".wine").string());
    std::error_code error;
    if (std::filesystem::is_directory(prefix, error)) {
        locations.winePrefix = std::move(prefix);
    }
    // Relative XDG folders are to be ignored, as the base-directory rules say.
    std::optional<std::string> config = environment("XDG_CONFIG_HOME");
    std::filesystem::path configFolder =
        config && std::filesystem::path(*config).is_absolute() ? std::filesystem::path(*config) : homeFolder() / ".config";
    locations.iniFolder = configFolder / "Corvane";
    return locations;
}

Registry::Registry(RegistryLocations locations)
    : locations_(std::move(locations)), ini_(locations_.iniFolder / "registry.ini") {}

std::string Registry::read(RegistryRoot root, std::string_view keyPath, std::string_view valueName) const {
    if (isGameKey(root, keyPath)) {
        if (std::optional<GameKeyInPrefix> game = findGameKeyInPrefix(locations_)) {
            return game->hive.readString(game->keyPath, valueName).value_or("");
        }
    }
    return ini_.read(iniSection(root, keyPath), valueName).value_or("");
}

void Registry::write(RegistryRoot root, std::string_view keyPath, std::string_view valueName, std::string_view value) {
    if (isGameKey(root, keyPath)) {
        if (std::optional<GameKeyInPrefix> game = findGameKeyInPrefix(locations_)) {
            game->hive.writeString(game->keyPath, valueName, value);
            game->hive.save(game->file);
            return;
        }
    }
    ini_.write(iniSection(root, keyPath), valueName, value);
}

std::filesystem::path Registry::gameKeyFile() const {
    std::optional<GameKeyInPrefix> game = findGameKeyInPrefix(locations_);
    return game ? game->file : ini_.file();
}

}  // namespace corvane
