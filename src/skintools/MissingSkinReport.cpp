#include "skintools/MissingSkinReport.h"

#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/LanguageModule.h"
#include "skins/SkinNames.h"

#include <array>
#include <ctime>

namespace corvane {

namespace {

constexpr std::array<MessageId, 4> kHeaders{MessageId{6129}, MessageId{6130}, MessageId{6131}, MessageId{6132}};

std::vector<std::string> csvLines(const std::vector<MissingSkinRow>& rows, int codePage) {
    std::string header;
    for (MessageId id : kHeaders) {
        header += (header.empty() ? "" : ",") + Utf8ToCodePage(LangStr(id), codePage);
    }
    std::vector<std::string> lines{header};
    for (const MissingSkinRow& row : rows) {
        lines.push_back(std::to_string(row.number) + "," + row.character + "," + row.skinName + "," + row.field);
    }
    return lines;
}

std::vector<std::string> xmlLines(const std::vector<MissingSkinRow>& rows, int codePage, const std::string& dateText) {
    const std::string date = Utf8ToCodePage(dateText, codePage);
    std::vector<std::string> lines{R"(<?xml version="1.0" encoding="UTF-8"?>)",
                                   R"(<Missing_Skins_List xmlns:dt="urn:schemas-microsoft-com:datatypes">)"};
    for (const MissingSkinRow& row : rows) {
        lines.push_back("  <Missing_Skin Date=\"" + date + "\" Item=\"" + std::to_string(row.number) + "\">");
        lines.push_back(R"(    <Sim_Name dt:dt="string">)" + row.character + "</Sim_Name>");
        lines.push_back(R"(    <Missing_Skin_Name dt:dt="string">)" + StripMarkupChars(row.skinName) +
                        "</Missing_Skin_Name>");
        lines.push_back(R"(    <Skin_Type dt:dt="string">)" + row.field + "</Skin_Type>");
        lines.push_back("  </Missing_Skin>");
    }
    lines.push_back("</Missing_Skins_List>");
    return lines;
}

}  // namespace

std::string ProposedReportName(const std::string& neighbourhoodName) {
    return "Missing_Skins_NGBD_" + neighbourhoodName;
}

std::optional<MissingSkinReportFormat> ReportFormatOf(const std::filesystem::path& file) {
    const std::string extension = ToLowerAscii(file.extension().string());
    if (extension == ".csv") return MissingSkinReportFormat::Csv;
    if (extension == ".txt") return MissingSkinReportFormat::Text;
    if (extension == ".xml") return MissingSkinReportFormat::Xml;
    return std::nullopt;
}

MissingSkinReportFormat ReportFormatOfFilter(int index) {
    // The filter lists the formats in their order.
    switch (index) {
        case 1: return MissingSkinReportFormat::Text;
        case 2: return MissingSkinReportFormat::Xml;
        default: return MissingSkinReportFormat::Csv;
    }
}

std::filesystem::path WithReportExtension(const std::filesystem::path& file, MissingSkinReportFormat format) {
    std::filesystem::path result = file;
    switch (format) {
        case MissingSkinReportFormat::Csv: return result.replace_extension(".csv");
        case MissingSkinReportFormat::Text: return result.replace_extension(".txt");
        case MissingSkinReportFormat::Xml: return result.replace_extension(".xml");
    }
    return result;
}

std::string ReportDateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 128> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%x %X", &local);
    return std::string(text.data(), length);
}

std::vector<std::string> MissingSkinReportLines(const std::vector<MissingSkinRow>& rows, MissingSkinReportFormat format,
                                                int codePage, const std::string& dateText) {
    return format == MissingSkinReportFormat::Xml ? xmlLines(rows, codePage, dateText) : csvLines(rows, codePage);
}

void WriteMissingSkinReport(const std::filesystem::path& file, const std::vector<MissingSkinRow>& rows,
                            MissingSkinReportFormat format, int codePage, const std::string& dateText) {
    std::string content;
    for (const std::string& line : MissingSkinReportLines(rows, format, codePage, dateText)) {
        content += line + "\r\n";
    }
    ReplaceFileAtomically(file, content);
}

}  // namespace corvane
