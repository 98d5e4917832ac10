#include "skintools/MissingSkinReport.h"

#include "ValidationSupport.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace corvane {
namespace {

using MissingSkinReportTest = test::SkinToolsTest;

constexpr int kWestern = 1252;

const std::vector<MissingSkinRow> kRows{{1, "Bella Goth : User00001", "b001<fafit>_01", "BodyMesh"},
                                        {2, "Jos\xe9 Cruz : User00002", "", "FormalMesh"}};

TEST_F(MissingSkinReportTest, CsvAndTextHoldTheHeaderAndOneLinePerRow) {
    const std::vector<std::string> expected{"No.,Name,Missing Skin,Skin Slot",
                                            "1,Bella Goth : User00001,b001<fafit>_01,BodyMesh",
                                            "2,Jos\xe9 Cruz : User00002,,FormalMesh"};
    EXPECT_EQ(MissingSkinReportLines(kRows, MissingSkinReportFormat::Csv, kWestern, "d"), expected);
    EXPECT_EQ(MissingSkinReportLines(kRows, MissingSkinReportFormat::Text, kWestern, "d"), expected);
    EXPECT_EQ(MissingSkinReportLines({}, MissingSkinReportFormat::Csv, kWestern, "d"),
              std::vector<std::string>{"No.,Name,Missing Skin,Skin Slot"});
}

TEST_F(MissingSkinReportTest, XmlDropsMarkupFromTheSkinNameOnly) {
    const std::vector<std::string> expected{
        R"(<?xml version="1.0" encoding="UTF-8"?>)",
        R"(<Missing_Skins_List xmlns:dt="urn:schemas-microsoft-com:datatypes">)",
        R"(  <Missing_Skin Date="01/02/26 10:11:12" Item="1">)",
        R"(    <Sim_Name dt:dt="string">Bella Goth : User00001</Sim_Name>)",
        R"(    <Missing_Skin_Name dt:dt="string">b001fafit_01</Missing_Skin_Name>)",
        R"(    <Skin_Type dt:dt="string">BodyMesh</Skin_Type>)",
        "  </Missing_Skin>",
        R"(  <Missing_Skin Date="01/02/26 10:11:12" Item="2">)",
        "    <Sim_Name dt:dt=\"string\">Jos\xc3\xa9 Cruz : User00002</Sim_Name>",  // UTF-8, as declared
        R"(    <Missing_Skin_Name dt:dt="string"></Missing_Skin_Name>)",
        R"(    <Skin_Type dt:dt="string">FormalMesh</Skin_Type>)",
        "  </Missing_Skin>",
        "</Missing_Skins_List>"};
    EXPECT_EQ(MissingSkinReportLines(kRows, MissingSkinReportFormat::Xml, kWestern, "01/02/26 10:11:12"), expected);
    EXPECT_EQ(MissingSkinReportLines({}, MissingSkinReportFormat::Xml, kWestern, "d"),
              (std::vector<std::string>{expected[0], expected[1], expected.back()}));
}

// The fields of one CSV line as a reader takes them: a quoted field may hold
// commas and doubled quotes.
std::vector<std::string> readCsvLine(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// Names are the players' own text: whatever they hold, the report reads back as written.
TEST_F(MissingSkinReportTest, NamesHoldingMarkupQuotesAndSeparatorsReadBack) {
    const std::vector<MissingSkinRow> rows{{1, "Zo\xeb & <Co> : User00003", "b001\"fafit\",_01", "BodyMesh"},
                                           {2, "O'Hara, \"Kit\" : User00004", "a&b", "HeadTexture"}};
    std::string xml;
    for (const std::string& line : MissingSkinReportLines(rows, MissingSkinReportFormat::Xml, kWestern, "1 < 2 & \"3\"")) {
        xml += line + "\n";
    }
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_string(xml.c_str());
    ASSERT_TRUE(parsed) << parsed.description() << "\n" << xml;
    const pugi::xml_node first = document.child("Missing_Skins_List").child("Missing_Skin");
    EXPECT_STREQ(first.attribute("Date").value(), "1 < 2 & \"3\"");
    EXPECT_STREQ(first.child_value("Sim_Name"), "Zo\xc3\xab & <Co> : User00003");
    EXPECT_STREQ(first.child_value("Missing_Skin_Name"), "b001fafit,_01") << "the skin name loses its markup";
    EXPECT_STREQ(first.next_sibling("Missing_Skin").child_value("Sim_Name"), "O'Hara, \"Kit\" : User00004");
    EXPECT_STREQ(first.next_sibling("Missing_Skin").child_value("Missing_Skin_Name"), "a&b");

    const std::vector<std::string> csv = MissingSkinReportLines(rows, MissingSkinReportFormat::Csv, kWestern, "d");
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(readCsvLine(csv[1]),
              (std::vector<std::string>{"1", "Zo\xeb & <Co> : User00003", "b001\"fafit\",_01", "BodyMesh"}));
    EXPECT_EQ(readCsvLine(csv[2]), (std::vector<std::string>{"2", "O'Hara, \"Kit\" : User00004", "a&b", "HeadTexture"}));
}

TEST_F(MissingSkinReportTest, HeadersAreWrittenInTheGamesCodePageAndLinesEndWithCrLf) {
    SetLanguageModule(LanguageModule::parse("6129\tNr.\n6130\tNamé\n6131\tSkin\n6132\tTyp\n", "t.lng"));
    const auto file = folder.path() / "report.csv";
    WriteMissingSkinReport(file, {kRows[1]}, MissingSkinReportFormat::Csv, kWestern, "d");
    EXPECT_EQ(ReadTextFile(file), "Nr.,Nam\xe9,Skin,Typ\r\n2,Jos\xe9 Cruz : User00002,,FormalMesh\r\n");
}

TEST_F(MissingSkinReportTest, AReportThatCannotBeWrittenThrows) {
    EXPECT_THROW(WriteMissingSkinReport(folder.path() / "no" / "such" / "report.xml", kRows,
                                        MissingSkinReportFormat::Xml, kWestern, "d"),
                 std::runtime_error);
}

TEST_F(MissingSkinReportTest, TheExtensionNamesTheFormat) {
    EXPECT_EQ(ReportFormatOf("a/Missing.CSV"), MissingSkinReportFormat::Csv);
    EXPECT_EQ(ReportFormatOf("Missing.txt"), MissingSkinReportFormat::Text);
    EXPECT_EQ(ReportFormatOf("Missing.Xml"), MissingSkinReportFormat::Xml);
    EXPECT_FALSE(ReportFormatOf("Missing.json").has_value());
    EXPECT_EQ(WithReportExtension("d/Missing_Skins_NGBD_UserData", MissingSkinReportFormat::Xml),
              std::filesystem::path("d/Missing_Skins_NGBD_UserData.xml"));
    EXPECT_EQ(ProposedReportName("UserData2"), "Missing_Skins_NGBD_UserData2");
}

TEST_F(MissingSkinReportTest, EachFilterEntryNamesTheFormatOfItsPattern) {
    // "Description|pattern|Description|pattern|…": entry i's pattern is part 2i+1.
    std::vector<std::string> parts;
    std::string rest = kMissingSkinReportFilter;
    for (std::size_t bar = rest.find('|'); bar != std::string::npos; bar = rest.find('|')) {
        parts.push_back(rest.substr(0, bar));
        rest.erase(0, bar + 1);
    }
    parts.push_back(rest);
    ASSERT_EQ(parts.size(), 6u);
    for (int entry = 0; entry < 3; ++entry) {
        const MissingSkinReportFormat format = ReportFormatOfFilter(entry);
        EXPECT_EQ(ToLowerAscii(parts[static_cast<std::size_t>(2 * entry + 1)]),
                  "*" + WithReportExtension("r", format).extension().string())
            << entry;
    }
    EXPECT_EQ(ReportFormatOfFilter(3), MissingSkinReportFormat::Csv) << "an unknown entry: the first";
    EXPECT_EQ(ReportFormatOfFilter(-1), MissingSkinReportFormat::Csv);
    EXPECT_FALSE(ReportDateText().empty());
}

}  // namespace
}  // namespace corvane
