#include "platform/IniStore.h"

#include "support/RegistryTestFiles.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::replacedOnce;
using test::writeTextFile;

constexpr std::string_view kSection = "HKEY_CURRENT_USER\\Software\\Corvane";

class IniStoreTest : public ::testing::Test {
protected:
    test::TempDir temp;
    std::filesystem::path file = temp.path() / "config" / "Corvane" / "registry.ini";
};

TEST_F(IniStoreTest, MissingFileIsAnEmptyStore) {
    IniStore store(file);
    EXPECT_EQ(store.read(kSection, "SetGamePath"), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

TEST_F(IniStoreTest, FirstWriteCreatesTheFolderAndTheSection) {
    IniStore store(file);
    store.write(kSection, "SetGamePath", "True");
    EXPECT_EQ(ReadTextFile(file), "[HKEY_CURRENT_USER\\Software\\Corvane]\nSetGamePath=True\n");
    EXPECT_EQ(store.read(kSection, "SetGamePath"), "True");
}

struct RoundTripCase {
    const char* fault;
    std::string_view name;
    std::string_view value;
};

class IniStoreRoundTrip : public IniStoreTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(IniStoreRoundTrip, ValueReadsBackAsWritten) {
    IniStore store(file);
    store.write(kSection, GetParam().name, GetParam().value);
    store.write(kSection, "Next", "after");
    EXPECT_EQ(store.read(kSection, GetParam().name), std::string(GetParam().value)) << GetParam().fault;
    EXPECT_EQ(store.read(kSection, "Next"), "after") << GetParam().fault;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniStoreRoundTrip,
    ::testing::Values(RoundTripCase{"windows_path", "CVPPath", "C:\\Profiles\\new\\"},
                      RoundTripCase{"escape_lookalike", "CVPPath", "a\\nb\\\\c\\"},
                      RoundTripCase{"line_breaks", "CVPPath", "one\ntwo\r\nthree"},
                      RoundTripCase{"equals_and_brackets", "CVPPath", "=[x]=;#"},
                      RoundTripCase{"equals_in_name", "a=b", "c"},
                      RoundTripCase{"blanks_around_utf8", "CVPPath", " Caf\xC3\xA9 "},
                      RoundTripCase{"leading_tab", "CVPPath", "\t\tx"},
                      RoundTripCase{"empty", "CVPPath", ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.fault); });

TEST_F(IniStoreTest, NamesCompareIgnoringCaseAndChangesKeepEveryOtherLine) {
    const std::string original =
        "; written by hand\n"
        "[hkey_current_user\\software\\corvane]\n"
        "SetGamePath=False\n"
        "# the profile folder\n"
        "ChkChildFormals = True\n"
        "\n"
        "[HKEY_CURRENT_USER\\Software\\Corvane\\CVPProfiles]\n"
        "CVPPath=/home/me/profiles\n";
    writeTextFile(file, original);
    IniStore store(file);
    EXPECT_EQ(store.read("HKEY_CURRENT_USER\\SOFTWARE\\Corvane", "chkchildformals"), "True");
    EXPECT_EQ(store.read(kSection, "CVPPath"), std::nullopt);

    store.write(kSection, "SETGAMEPATH", "True");
    store.write(kSection, "Added", "1");
    EXPECT_EQ(ReadTextFile(file), replacedOnce(replacedOnce(original, "SetGamePath=False", "SETGAMEPATH=True"),
                                               "ChkChildFormals = True\n", "ChkChildFormals = True\nAdded=1\n"));
}

TEST_F(IniStoreTest, HandWrittenBackslashesReadAsWritten) {
    writeTextFile(file, "[HKEY_LOCAL_MACHINE\\Software\\Maxis\\The Sims]\nSIMS_DATA=C:\\Games\\The Sims\\\n");
    EXPECT_EQ(IniStore(file).read("HKEY_LOCAL_MACHINE\\Software\\Maxis\\The Sims", "SIMS_DATA"),
              "C:\\Games\\The Sims\\");
}

TEST_F(IniStoreTest, NewSectionIsSeparatedByABlankLine) {
    writeTextFile(file, "[A]\nx=1");
    IniStore store(file);
    store.write("B", "y", "2");
    EXPECT_EQ(ReadTextFile(file), "[A]\nx=1\n\n[B]\ny=2\n");
}

TEST_F(IniStoreTest, UnwritableFolderFailsNamingTheFile) {
    writeTextFile(temp.path() / "config", "a regular file where the folder should be");
    IniStore store(file);
    try {
        store.write(kSection, "SetGamePath", "True");
        FAIL() << "the write should fail";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr(file.string()));
    }
    EXPECT_EQ(ReadTextFile(temp.path() / "config"), "a regular file where the folder should be");
}

}  // namespace
}  // namespace corvane
