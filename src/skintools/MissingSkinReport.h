#pragma once

#include "skintools/MissingSkinSearch.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The saved missing-skin list: CSV and text (the same lines), or XML.

enum class MissingSkinReportFormat { Csv, Text, Xml };

// The save dialog's filter (the chosen filter gives the format) and proposed name.
inline constexpr const char* kMissingSkinReportFilter =
    "CSV Files (*.csv)|*.CSV|Text Files (*.txt)|*.TXT|XML Data (*.xml)|*.XML";
std::string ProposedReportName(const std::string& neighbourhoodName);  // "Missing_Skins_NGBD_" + name

// The format a file's extension names (letter case ignored); none for others.
std::optional<MissingSkinReportFormat> ReportFormatOf(const std::filesystem::path& file);
// The format of the save dialog's filter entry `index` (0: the first); the first for any other.
MissingSkinReportFormat ReportFormatOfFilter(int index);
// The file with the format's extension in place of the one it has.
std::filesystem::path WithReportExtension(const std::filesystem::path& file, MissingSkinReportFormat format);

// The date and time as the system writes them (short date, long time).
std::string ReportDateText();

// The report's lines, without line ends. The CSV and text lines are bytes in
// the game's code page: the column headers (messages 6129 to 6132) are
// converted to it, the characters' and skins' names are already in it; a
// field holding a comma, a quote or a line break is quoted. The XML is UTF-8,
// as it declares, its texts escaped. `dateText` (UTF-8) is the XML elements'
// date.
std::vector<std::string> MissingSkinReportLines(const std::vector<MissingSkinRow>& rows, MissingSkinReportFormat format,
                                                int codePage, const std::string& dateText);

// Writes the lines, each ended by CR LF, all-or-nothing. Throws
// std::runtime_error naming the file when it cannot be written.
void WriteMissingSkinReport(const std::filesystem::path& file, const std::vector<MissingSkinRow>& rows,
                            MissingSkinReportFormat format, int codePage, const std::string& dateText);

}  // namespace corvane
