#include "cli/SkinCheckCommands.h"

#include "app/Settings.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/CommandLine.h"
#include "cli/JsonWriter.h"
#include "cli/StderrProgress.h"
#include "platform/CodePage.h"
#include "platform/LanguageModule.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skintools/DuplicateSearch.h"
#include "skintools/DuplicateStore.h"
#include "skintools/MissingSkinReport.h"
#include "skintools/MissingSkinSearch.h"
#include "skintools/SkinValidation.h"

#include <iostream>
#include <stdexcept>

namespace corvane::cli {

namespace {

constexpr MessageId kNoProblems{7117};
constexpr MessageId kNoDuplicates{7126};
constexpr MessageId kNoMissingSkins{7108};

SkinFolders gameSkinFolders() {
    return SkinFolders(AppSettings().GamePath, AppSettings().ExpansionLevel);
}

// An unreadable archive leaves the catalogue incomplete: every check would
// then report skins that are installed after all.
void requireCompleteCatalogue(const SkinCatalogue& catalogue) {
    if (catalogue.ArchiveReadError) {
        throw GameDataError("an archive of the game could not be read; the catalogue is incomplete: " +
                            catalogue.ArchiveReadCause);
    }
}

// Files never opened because they are FIFOs, sockets or devices: said on stderr, whatever else is found.
void tellSkipped(const SkippedFiles& skipped) {
    for (const SkippedFile& file : skipped) std::cerr << SkippedFileText(file) << "\n";
}

int outcome(bool found, MessageId nothingFound) {
    if (found) return kExitProblems;
    if (ToolChatter().messages) std::cerr << LangStr(nothingFound) << "\n";
    return kExitOk;
}

// Names and descriptions are the game's text, in its code page.
std::string problemJson(const ProblemRecordDetails& problem, const std::string& folder) {
    return JsonObject()
        .text("Kind", problem.Kind)
        .text("FileName", GameTextToUtf8(problem.FileName))
        .text("Folder", GameTextToUtf8(folder))
        .text("Description", GameTextToUtf8(problem.Description))
        .line();
}

}  // namespace

int RunValidate(const CliArguments& args, std::ostream& out) {
    StderrProgress progress;
    SkinCatalogue& catalogue = GameSkinCatalogue();
    const ValidationResult result = ValidateSkins(gameSkinFolders(), catalogue, ScanControl{progress, {}});
    requireCompleteCatalogue(catalogue);
    tellSkipped(result.skipped);
    if (args.json) {
        std::vector<std::string> problems;
        for (const ProblemRecordDetails& problem : result.problems) {
            problems.push_back(problemJson(problem, problem.Folder));
        }
        out << JsonArray(problems, 2) << "\n";
    } else {
        for (const ProblemRecordDetails& problem : result.problems) {
            out << problem.Kind << "\t" << GameTextToUtf8(problem.Folder + problem.FileName) << "\n";
        }
    }
    return outcome(!result.problems.empty(), kNoProblems);
}

int RunDuplicates(const CliArguments& args, std::ostream& out) {
    StderrProgress progress;
    SkinCatalogue& catalogue = GameSkinCatalogue();
    const std::filesystem::path gamePath = AppSettings().GamePath;
    const DuplicateSearchResult result = SearchDuplicates(gameSkinFolders(), catalogue, ScanControl{progress, {}});
    requireCompleteCatalogue(catalogue);
    tellSkipped(result.skipped);
    // In the search's order, which says which copy each finding is the copy of.
    if (args.json) {
        std::vector<std::string> findings;
        for (const ProblemRecordDetails& finding : result.findings) {
            findings.push_back(problemJson(finding, RelativeFolder(finding.Folder, gamePath)));
        }
        std::vector<std::string> stored;
        for (const SkinTreeGroup& group : StoredSkinsTree(StoredSkinsFolder()).groups) {
            for (const SkinTreeLeaf& leaf : group.leaves) {
                stored.push_back(JsonObject()
                                     .text("Folder", GameTextToUtf8(group.folder))
                                     .text("FileName", GameTextToUtf8(leaf.fileName))
                                     .line());
            }
        }
        out << JsonObject().json("Findings", JsonArray(findings, 4)).json("Stored", JsonArray(stored, 4)).block(2)
            << "\n";
    } else {
        for (const ProblemRecordDetails& finding : result.findings) {
            out << finding.Kind << "\t" << GameTextToUtf8(RelativeFolder(finding.Folder, gamePath)) << "\t"
                << GameTextToUtf8(finding.FileName) << "\n";
        }
    }
    return outcome(!result.findings.empty(), kNoDuplicates);
}

int RunMissingSkins(const CliArguments& args, std::ostream& out) {
    const std::string neighbourhood = RequiredArgument(args, 0, "a neighbourhood (NB)");
    std::optional<MissingSkinReportFormat> format;
    if (args.report) {
        format = ReportFormatOf(*args.report);
        if (!format) {
            throw std::invalid_argument("--report wants a file ending in .csv, .txt or .xml, not \"" + *args.report +
                                        "\"");
        }
    }
    const CharacterList characters = OpenCharacterList(neighbourhood);
    StderrProgress progress;
    SkinCatalogue& catalogue = GameSkinCatalogue();
    const SkinFolders folders = gameSkinFolders();
    LoadSkinData(catalogue, folders, progress);
    requireCompleteCatalogue(catalogue);
    const InstalledSkinIndex installed(folders, catalogue);
    tellSkipped(installed.skipped());
    const MissingSkinOptions options{AppSettings().ExpansionLevel, args.childrenFormals};
    const MissingSkinResult result = SearchMissingSkins(characters.sims(), installed, options, ScanControl{progress, {}});
    for (const MissingSkinRow& row : result.rows) {
        out << row.number << "\t" << GameTextToUtf8(row.character) << "\t" << GameTextToUtf8(row.skinName) << "\t"
            << row.field << "\n";
    }
    if (args.report) {
        WriteMissingSkinReport(*args.report, result.rows, *format, CodePageForLanguage(AppSettings().LanguageNumber),
                               ReportDateText());
    }
    return outcome(!result.rows.empty(), kNoMissingSkins);
}

}  // namespace corvane::cli
