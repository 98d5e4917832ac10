#include "TestPaths.h"
#include "platform/LanguageModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Every message id the pages, dialogs, lists and the about window ask for,
// as inclusive ranges; job titles are career x 100 + level, school 1100-1109,
// "no career" 2200. A table that drops one of them leaves a blank in the UI.
struct IdRange {
    int first;
    int last = first;
};

constexpr IdRange kProgramIds[] = {
    {100, 109}, {200, 209}, {300, 309}, {400, 409}, {500, 509}, {600, 609}, {700, 709},
    {800, 809}, {900, 909}, {1000, 1009}, {1100, 1109}, {1200, 1209}, {1300, 1309},
    {1400, 1409}, {1500, 1509}, {1600, 1609}, {1700, 1709}, {1800, 1809}, {1900, 1909},
    {2000, 2009}, {2100, 2109}, {2200},
    {3001, 3002}, {3006}, {3008, 3014}, {3016, 3021},
    {4001, 4006}, {4009}, {4017}, {4019, 4025}, {4028, 4029},
    {5001}, {5003, 5005}, {5007, 5008}, {5010, 5011}, {5013, 5015}, {5019, 5022}, {5024},
    {5026, 5062},
    {6001}, {6003, 6021}, {6023, 6039}, {6041, 6048}, {6050, 6054}, {6056, 6058},
    {6060, 6061}, {6065, 6070}, {6077, 6083}, {6085, 6114}, {6116}, {6119, 6179},
    {6181, 6200},
    {7002, 7003}, {7010}, {7021}, {7029}, {7037, 7038}, {7040, 7042}, {7044}, {7055, 7056},
    {7061, 7064}, {7066, 7069}, {7072}, {7079, 7141}, {7143, 7145}, {7149, 7151},
    {7154, 7165},
    {8022, 8025}, {8028}, {8034, 8037}, {8039, 8041}, {8044, 8047}, {8049}, {8059, 8069},
    {8072, 8078},
    {9000, 9001},
};

constexpr int kCreditCountId = 9000;

const fs::path kLangDir = CORVANE_LANG_DIR;
const fs::path kSourceDir = fs::path(CORVANE_SOURCE_DIR) / "src";

std::vector<fs::path> tableFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kLangDir)) {
        if (entry.is_regular_file() && entry.path().extension() == ".lng") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

void expectEveryIdOf(const LanguageModule& from, const LanguageModule& in, const std::string& inName) {
    for (const auto& [id, text] : from.texts()) {
        EXPECT_TRUE(in.contains(id)) << inName << " lacks id " << id;
    }
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

std::size_t skipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) {
        ++at;
    }
    return at;
}

std::size_t skipName(std::string_view text, std::size_t at) {
    while (at < text.size() && isNameChar(text[at])) {
        ++at;
    }
    return at;
}

// The literal number of `<open> 1234 <close>` at `at`, blanks allowed around it.
std::optional<int> enclosedNumber(std::string_view text, std::size_t at, char open, char close) {
    at = skipBlanks(text, at);
    if (at == text.size() || text[at] != open) {
        return std::nullopt;
    }
    at = skipBlanks(text, at + 1);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), number);
    at = skipBlanks(text, static_cast<std::size_t>(end - text.data()));
    if (error != std::errc() || at == text.size() || text[at] != close) {
        return std::nullopt;
    }
    return number;
}

// The literal ids a source text passes to LangStr or writes as a MessageId
// (`LangStr(5022)`, `MessageId{5022}`, `constexpr MessageId kCaption{5022}`).
std::set<int> idsUsedIn(std::string_view source) {
    std::set<int> ids;
    const auto collect = [&](std::string_view word, char open, char close, bool nameMayFollow) {
        for (auto at = source.find(word); at != std::string_view::npos; at = source.find(word, at + 1)) {
            auto after = at + word.size();
            if ((at > 0 && isNameChar(source[at - 1])) || (after < source.size() && isNameChar(source[after]))) {
                continue;
            }
            if (nameMayFollow) {
                after = skipName(source, skipBlanks(source, after));
            }
            if (const auto id = enclosedNumber(source, after, open, close)) {
                ids.insert(*id);
            }
        }
    };
    collect("LangStr", '(', ')', false);
    collect("MessageId", '{', '}', true);
    return ids;
}

std::vector<int> idsMissingFrom(const LanguageModule& table, std::string_view source) {
    std::vector<int> missing;
    for (int id : idsUsedIn(source)) {
        if (!table.contains(id)) {
            missing.push_back(id);
        }
    }
    return missing;
}

class LanguageTablesTest : public ::testing::Test {
protected:
    LanguageModule us_ = LanguageModule::load(kLangDir / LanguageFileName("usen"));
    LanguageModule uk_ = LanguageModule::load(kLangDir / LanguageFileName("uken"));
};

TEST_F(LanguageTablesTest, EveryTableParses) {
    ASSERT_GE(tableFiles().size(), 2U);
    for (const auto& file : tableFiles()) {
        EXPECT_NO_THROW(LanguageModule::load(file)) << file;
    }
}

TEST_F(LanguageTablesTest, UsAndUkTablesHoldTheSameIds) {
    expectEveryIdOf(us_, uk_, "CV3Duken.lng");
    expectEveryIdOf(uk_, us_, "CV3Dusen.lng");
}

TEST_F(LanguageTablesTest, NoTextIsEmptyOrLongerThanTheRuntimeLimit) {
    for (const auto& file : tableFiles()) {
        const auto table = LanguageModule::load(file);
        for (const auto& [id, text] : table.texts()) {
            EXPECT_FALSE(text.empty()) << file.filename() << " id " << id;
            EXPECT_LE(text.size(), kMaxMessageLength) << file.filename() << " id " << id << " would be cut";
        }
    }
}

TEST_F(LanguageTablesTest, EveryIdTheProgramNamesIsInBothTables) {
    for (const auto& range : kProgramIds) {
        for (int id = range.first; id <= range.last; ++id) {
            EXPECT_TRUE(us_.contains(id)) << "CV3Dusen.lng lacks id " << id;
            EXPECT_TRUE(uk_.contains(id)) << "CV3Duken.lng lacks id " << id;
        }
    }
}

TEST_F(LanguageTablesTest, EveryIdTheSourceUsesIsInTheUsTable) {
    ASSERT_TRUE(fs::is_directory(kSourceDir)) << kSourceDir;
    for (const auto& entry : fs::recursive_directory_iterator(kSourceDir)) {
        const auto extension = entry.path().extension();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) {
            continue;
        }
        for (int id : idsMissingFrom(us_, readFile(entry.path()))) {
            ADD_FAILURE() << "CV3Dusen.lng lacks id " << id << " used in " << entry.path();
        }
    }
}

TEST_F(LanguageTablesTest, SourceScanReportsIdsTheTableLacks) {
    const std::string source =
        "auto caption = LangStr( 5022 );\n"
        "auto unknown = LangStr (1);\n"
        "constexpr MessageId kGone { 2 };\n"
        "const MessageId buttons[] = {MessageId{5010}, MessageId{ 3 }};\n"
        "auto computed = LangStr(base + 4);\n"
        "auto other = MyLangStr(5);\n";
    EXPECT_EQ(idsMissingFrom(us_, source), (std::vector<int>{1, 2, 3}));
}

TEST_F(LanguageTablesTest, CreditsCountMatchesTheCreditLines) {
    for (const auto* table : {&us_, &uk_}) {
        const std::string countText = table->text(kCreditCountId);
        int count = 0;
        const auto [end, error] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
        ASSERT_TRUE(error == std::errc() && end == countText.data() + countText.size() && count > 0)
            << "id 9000 must hold the number of credit lines, not \"" << countText << "\"";
        for (int line = 1; line <= count; ++line) {
            EXPECT_TRUE(table->contains(kCreditCountId + line)) << "credit line " << line << " of " << count;
        }
        EXPECT_FALSE(table->contains(kCreditCountId + count + 1)) << "a credit line beyond the count is never shown";
    }
}

}  // namespace
}  // namespace corvane
