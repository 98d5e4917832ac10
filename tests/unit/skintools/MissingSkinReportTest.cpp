#include "skintools/MissingSkinReport.h"

#include "ValidationSupport.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

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
        "    <Sim_Name dt:dt=\"string\">Jos\xe9 Cruz : User00002</Sim_Name>",
        R"(    <Missing_Skin_Name dt:dt="string"></Missing_Skin_Name>)",
        R"(    <Skin_Type dt:dt="string">FormalMesh</Skin_Type>)",
        "  </Missing_Skin>",
        "</Missing_Skins_List>"};
    EXPECT_EQ(MissingSkinReportLines(kRows, MissingSkinReportFormat::Xml, kWestern, "01/02/26 10:11:12"), expected);
    EXPECT_EQ(MissingSkinReportLines({}, MissingSkinReportFormat::Xml, kWestern, "d"),
              (std::vector<std::string>{expected[0], expected[1], expected.back()}));
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
