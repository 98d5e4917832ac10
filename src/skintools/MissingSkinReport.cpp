#include "skintools/MissingSkinReport.h"

#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/LanguageModule.h"
#include "skins/SkinNames.h"

#include <array>
#include <ctime>
#include <initializer_list>

namespace corvane {

namespace {

constexpr std::array<MessageId, 4> kHeaders{MessageId{6129}, MessageId{6130}, MessageId{6131}, MessageId{6132}};

// A CSV field as a reader takes it back: quoted, with its quotes doubled,
// when it holds the separator, a quote or a line break.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

std::string csvLine(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) line += (line.empty() ? "" : ",") + csvField(field);
    return line;
}

std::vector<std::string> csvLines(const std::vector<MissingSkinRow>& rows, int codePage) {
    std::vector<std::string> header;
    for (MessageId id : kHeaders) header.push_back(Utf8ToCodePage(LangStr(id), codePage));
    std::vector<std::string> lines{csvLine({header[0], header[1], header[2], header[3]})};
    for (const MissingSkinRow& row : rows) {
        lines.push_back(csvLine({std::to_string(row.number), row.character, row.skinName, row.field}));
    }
    return lines;
}

// UTF-8 text as XML character data or an attribute value: the markup
// characters escaped, the control characters XML cannot hold at all as "?".
std::string xmlEscaped(const std::string& utf8) {
    std::string out;
    for (const char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            case '\t': case '\n': case '\r': out += c; break;
            default: out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
        }
    }
    return out;
}

// Game text (code-page bytes) as the XML holds it: UTF-8, as its declaration says.
std::string xmlText(const std::string& gameText, int codePage) {
    return xmlEscaped(CodePageToUtf8(gameText, codePage));
}

std::vector<std::string> xmlLines(const std::vector<MissingSkinRow>& rows, int codePage, const std::string& dateText) {
    const std::string date = xmlEscaped(dateText);
    std::vector<std::string> lines{R"(<?xml version="1.0" encoding="UTF-8"?>)",
                                   R"(<Missing_Skins_List xmlns:dt="urn:schemas-microsoft-com:datatypes">)"};
    for (const MissingSkinRow& row : rows) {
        lines.push_back("  <Missing_Skin Date=\"" + date + "\" Item=\"" + std::to_string(row.number) + "\">");
        lines.push_back(R"(    <Sim_Name dt:dt="string">)" + xmlText(row.character, codePage) + "</Sim_Name>");
        lines.push_back(R"(    <Missing_Skin_Name dt:dt="string">)" +
                        xmlText(StripMarkupChars(row.skinName), codePage) + "</Missing_Skin_Name>");
        lines.push_back(R"(    <Skin_Type dt:dt="string">)" + xmlText(row.field, codePage) + "</Skin_Type>");
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
