#include "platform/Registry.h"

#include "support/RegistryTestFiles.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace corvane {
namespace {

using test::kPlainHive;
using test::kWow64Hive;
using test::replacedOnce;
using ::testing::HasSubstr;

constexpr auto HKLM = RegistryRoot::LocalMachine;
constexpr auto HKCU = RegistryRoot::CurrentUser;

// A home folder of our own with no Wine prefix and no configuration yet.
class RegistryTest : public ::testing::Test {
protected:
    test::TempDir temp;
    std::filesystem::path home = temp.path() / "home";
    std::filesystem::path prefix = home / ".wine";
    std::filesystem::path systemReg = prefix / "system.reg";
    std::filesystem::path iniFile = home / ".config" / "Corvane" / "registry.ini";
    test::EnvOverride homeVariable{"HOME", home.string()};
    test::EnvOverride prefixVariable{"WINEPREFIX", std::nullopt};
    test::EnvOverride configVariable{"XDG_CONFIG_HOME", std::nullopt};

    RegistryTest() { std::filesystem::create_directories(home); }

    Registry registry() const { return Registry(RegistryLocations::fromEnvironment()); }
};

TEST_F(RegistryTest, LocationsFollowTheEnvironment) {
    EXPECT_EQ(RegistryLocations::fromEnvironment().winePrefix, std::nullopt);  // no ~/.wine folder
    EXPECT_EQ(RegistryLocations::fromEnvironment().iniFolder, home / ".config" / "Corvane");

    std::filesystem::create_directories(prefix);
    EXPECT_EQ(RegistryLocations::fromEnvironment().winePrefix, prefix);

    const std::filesystem::path other = temp.path() / "games-prefix";
    std::filesystem::create_directories(other);
    test::EnvOverride otherPrefix("WINEPREFIX", other.string());
    test::EnvOverride config("XDG_CONFIG_HOME", (temp.path() / "xdg").string());
    EXPECT_EQ(RegistryLocations::fromEnvironment().winePrefix, other);
    EXPECT_EQ(RegistryLocations::fromEnvironment().iniFolder, temp.path() / "xdg" / "Corvane");

    test::EnvOverride relativeConfig("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(RegistryLocations::fromEnvironment().iniFolder, home / ".config" / "Corvane");
}

TEST_F(RegistryTest, GameKeyIsReadFromThePrefix) {
    test::makeWinePrefix(prefix, kPlainHive);
    const Registry reg = registry();
    EXPECT_EQ(reg.read(HKLM, "\\Software\\Maxis\\The Sims\\", "SIMS_DATA"), "C:\\Program Files\\Maxis\\The Sims\\");
    EXPECT_EQ(reg.read(HKLM, "\\SOFTWARE\\Maxis\\The Sims\\", "sims_language"), "USEnglish");
    EXPECT_EQ(reg.read(HKLM, "Software\\Maxis\\The Sims", "SIMS_CURRENT_NEIGHBORHOOD_PATH"), "");
    EXPECT_EQ(reg.gameKeyFile(), systemReg);
}

TEST_F(RegistryTest, GameKeyOfA64BitPrefixIsUnderWow6432Node) {
    test::makeWinePrefix(prefix, kWow64Hive);
    EXPECT_EQ(registry().read(HKLM, "\\Software\\Maxis\\The Sims\\", "SIMS_DATA"),
              "C:\\Program Files (x86)\\Maxis\\The Sims\\");
}

TEST_F(RegistryTest, PlainGameKeyWinsOverWow6432Node) {
    const std::string both = std::string(kWow64Hive) + "\n[Software\\\\Maxis\\\\The Sims] 1\n\"SIMS_LANGUAGE\"=\"German\"\n";
    test::makeWinePrefix(prefix, both);
    Registry reg = registry();
    EXPECT_EQ(reg.read(HKLM, "Software\\Maxis\\The Sims", "SIMS_LANGUAGE"), "German");
    reg.write(HKLM, "Software\\Maxis\\The Sims", "SIMS_LANGUAGE", "Dutch");
    EXPECT_EQ(ReadTextFile(systemReg), replacedOnce(both, "\"German\"", "\"Dutch\""));
}

struct WriteBackCase {
    const char* name;
    std::string_view hive;
    std::string_view oldLine;
};

class RegistryWriteBack : public RegistryTest, public ::testing::WithParamInterface<WriteBackCase> {};

TEST_P(RegistryWriteBack, ChangesOnlyTheValueLineWhereTheKeyWasFound) {
    test::makeWinePrefix(prefix, GetParam().hive);
    Registry reg = registry();
    reg.write(HKLM, "\\SOFTWARE\\Maxis\\The Sims\\", "SIMS_DATA", "D:\\Spiele\\Die Sims\\");
    EXPECT_EQ(ReadTextFile(systemReg),
              replacedOnce(std::string(GetParam().hive), GetParam().oldLine, R"("SIMS_DATA"="D:\\Spiele\\Die Sims\\")"));
    EXPECT_EQ(reg.read(HKLM, "Software\\Maxis\\The Sims", "SIMS_DATA"), "D:\\Spiele\\Die Sims\\");
    EXPECT_FALSE(std::filesystem::exists(iniFile));
    // Nothing but the hive itself is left in the prefix (no temporary file).
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(prefix), std::filesystem::directory_iterator()), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Hives, RegistryWriteBack,
    ::testing::Values(WriteBackCase{"plain", kPlainHive, R"("SIMS_DATA"="C:\\Program Files\\Maxis\\The Sims\\")"},
                      WriteBackCase{"wow6432node", kWow64Hive,
                                    R"("SIMS_DATA"="C:\\Program Files (x86)\\Maxis\\The Sims\\")"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(RegistryTest, NewGameValueIsAddedToTheKeyInThePrefix) {
    test::makeWinePrefix(prefix, kWow64Hive);
    Registry reg = registry();
    reg.write(HKLM, "\\SOFTWARE\\Maxis\\The Sims\\", "SIMS_CURRENT_NEIGHBORHOOD_NUM", "3");
    EXPECT_EQ(ReadTextFile(systemReg), replacedOnce(std::string(kWow64Hive), "\"SIMS_LANGUAGE\"=\"French\"\n",
                                                    "\"SIMS_LANGUAGE\"=\"French\"\n"
                                                    "\"SIMS_CURRENT_NEIGHBORHOOD_NUM\"=\"3\"\n"));
    EXPECT_EQ(reg.read(HKLM, "Software\\Maxis\\The Sims", "SIMS_CURRENT_NEIGHBORHOOD_NUM"), "3");
}

TEST_F(RegistryTest, GameKeyGoesToTheIniStoreWhenNoPrefixHoldsIt) {
    const std::string hiveWithoutGame(kPlainHive.substr(0, kPlainHive.find("[Software\\\\Maxis\\\\The Sims]")));
    for (bool withPrefix : {false, true}) {
        SCOPED_TRACE(withPrefix ? "prefix without the key" : "no prefix");
        test::TempDir otherHome;
        test::EnvOverride homeOverride("HOME", otherHome.path().string());
        if (withPrefix) {
            test::makeWinePrefix(otherHome.path() / ".wine", hiveWithoutGame);
        }
        Registry reg = registry();
        EXPECT_EQ(reg.read(HKLM, "Software\\Maxis\\The Sims", "SIMS_DATA"), "");
        reg.write(HKLM, "\\SOFTWARE\\Maxis\\The Sims\\", "SIMS_DATA", "/games/The Sims/");
        EXPECT_EQ(reg.read(HKLM, "software\\maxis\\the sims", "SIMS_DATA"), "/games/The Sims/");
        EXPECT_EQ(reg.gameKeyFile(), otherHome.path() / ".config" / "Corvane" / "registry.ini");
        EXPECT_THAT(ReadTextFile(reg.gameKeyFile()), HasSubstr("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Maxis\\The Sims]\n"));
        if (withPrefix) {
            EXPECT_EQ(ReadTextFile(otherHome.path() / ".wine" / "system.reg"), hiveWithoutGame);
        }
    }
}

TEST_F(RegistryTest, EditorKeysAlwaysLiveInTheIniStore) {
    // A hive that happens to hold keys of the same names must not be used for them.
    const std::string hive = std::string(kPlainHive) + "\n[Software\\\\Corvane] 1\n\"SetGamePath\"=\"hive\"\n";
    test::makeWinePrefix(prefix, hive);
    test::EnvOverride config("XDG_CONFIG_HOME", (temp.path() / "xdg").string());
    Registry reg = registry();
    EXPECT_EQ(reg.read(HKCU, "\\Software\\Corvane\\", "SetGamePath"), "");
    reg.write(HKCU, "\\Software\\Corvane\\", "SetGamePath", "True");
    reg.write(HKCU, "\\Software\\Corvane\\CVPProfiles\\", "CVPPath", "/home/me/profiles");
    reg.write(HKLM, "\\Software\\Corvane\\", "SetGamePath", "machine");
    EXPECT_EQ(reg.read(HKCU, "software\\corvane", "setgamepath"), "True");
    EXPECT_EQ(reg.read(HKCU, "Software\\Corvane\\CVPProfiles", "CVPPath"), "/home/me/profiles");
    EXPECT_EQ(reg.read(HKCU, "Software\\Corvane", "CVPPath"), "");  // the subkey is its own key
    EXPECT_EQ(reg.read(HKLM, "Software\\Corvane", "SetGamePath"), "machine");  // roots are apart
    EXPECT_EQ(ReadTextFile(systemReg), hive);
    EXPECT_EQ(reg.iniFile(), temp.path() / "xdg" / "Corvane" / "registry.ini");
    EXPECT_EQ(ReadTextFile(reg.iniFile()),
              "[HKEY_CURRENT_USER\\Software\\Corvane]\nSetGamePath=True\n\n"
              "[HKEY_CURRENT_USER\\Software\\Corvane\\CVPProfiles]\nCVPPath=/home/me/profiles\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Corvane]\nSetGamePath=machine\n");
}

// Runs `write` while no file may grow beyond `limit` bytes (a full disk, as far
// as the write can tell; permissions would not stop the root user the tests run
// as) and returns the message of the error it throws.
template <typename Write>
std::string failureWithFileSizeLimit(rlim_t limit, Write write) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit limited = old;
    limited.rlim_cur = limit;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    std::string message;
    try {
        write();
    } catch (const std::runtime_error& error) {
        message = error.what();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return message;
}

TEST_F(RegistryTest, FailedWriteLeavesTheHiveAsItWas) {
    test::makeWinePrefix(prefix, kPlainHive);
    Registry reg = registry();
    const std::string message = failureWithFileSizeLimit(
        100, [&reg] { reg.write(HKLM, "Software\\Maxis\\The Sims", "SIMS_LANGUAGE", "Spanish"); });
    EXPECT_THAT(message, HasSubstr(systemReg.string()));
    EXPECT_EQ(ReadTextFile(systemReg), kPlainHive);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(prefix), std::filesystem::directory_iterator()), 3);
}

TEST_F(RegistryTest, FailedWriteLeavesTheIniStoreAsItWas) {
    Registry reg = registry();
    reg.write(HKCU, "Software\\Corvane", "SetGamePath", "True");
    const std::string before = ReadTextFile(iniFile);
    const std::string message = failureWithFileSizeLimit(
        before.size(), [&reg] { reg.write(HKCU, "Software\\Corvane", "ChkChildFormals", "False"); });
    EXPECT_THAT(message, HasSubstr(iniFile.string()));
    EXPECT_EQ(ReadTextFile(iniFile), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(iniFile.parent_path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(RegistryTest, IniFolderThatCannotBeMadeFailsNamingTheFile) {
    test::TempDir other;
    test::writeTextFile(other.path() / "file", "not a folder");
    test::EnvOverride config("XDG_CONFIG_HOME", (other.path() / "file").string());
    Registry reg = registry();
    EXPECT_EQ(reg.read(HKCU, "Software\\Corvane", "SetGamePath"), "");
    try {
        reg.write(HKCU, "Software\\Corvane", "SetGamePath", "True");
        FAIL() << "the write should fail";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), HasSubstr((other.path() / "file" / "Corvane" / "registry.ini").string()));
    }
    EXPECT_EQ(ReadTextFile(other.path() / "file"), "not a folder");
}

}  // namespace
}  // namespace corvane
