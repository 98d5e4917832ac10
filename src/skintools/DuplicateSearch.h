#pragma once

#include "skins/FarRecordDetails.h"
#include "skins/ProblemRecordDetails.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"
#include "skintools/ScanControl.h"

#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// The search for skin files the game has more than once: "FarDuplicate" for a
// loose file that also lies in an archive, "Duplicate" for a loose file whose
// name (trimmed, letter case ignored) another loose file has too.

// How an archive entry's name is compared with a loose file's name: both
// trimmed and lower-cased, the entry's name first turned into the name the
// loose file would have.
enum class ArchiveNameRule {
    Same,              // textures: the name as it is
    LessLastFour,      // character files: "x.cmx.bcf" stands for "x.cmx"
    MeshExtensionSkn,  // meshes: "x.bmf" stands for "x.skn"
};

// The name `entryName` stands for, trimmed and lower-cased, under `rule`.
std::string ArchiveEntryKey(const std::string& entryName, ArchiveNameRule rule);
// A loose file's name, trimmed and lower-cased.
std::string LooseFileKey(const std::filesystem::path& file);

// For each file of `files` in order that some entry of `entries` stands for: a
// "FarDuplicate" record naming the archive of the last such entry. Stops
// between files when asked; false then.
bool AppendArchiveDuplicates(const std::vector<std::filesystem::path>& files,
                             const std::vector<FarRecordDetails>& entries, ArchiveNameRule rule,
                             const ScanControl& control, ProblemList& findings);

// What tells two listed files apart: the identity (device and inode) of the
// file a path reaches, so that one file reached through a link is no copy of
// itself; the path as written when the file cannot be reached. Two names
// that differ only in letter case are two files: which one the game loads
// depends on the letter case it asks for.
std::string FileSamenessKey(const std::filesystem::path& file);

// For each file F of `files` in order: when another file of the same name
// (FileSamenessKey tells them apart) exists, a "Duplicate"
// record for the last such file G in list order, saying that G is a copy of
// F. So two copies give a record for each, three copies A, B, C give records
// for C (as the match of A and of B) and for B (as the match of C). Linear in
// the number of files. Stops between files when asked; false then.
bool AppendFolderDuplicates(const std::vector<std::filesystem::path>& files, const ScanControl& control,
                            ProblemList& findings);

// The records both passes write (descriptions from messages 7120, 7121, 7122).
ProblemRecordDetails ArchiveDuplicateRecord(const std::filesystem::path& file, const FarRecordDetails& entry);
ProblemRecordDetails FolderDuplicateRecord(const std::filesystem::path& copy, const std::filesystem::path& original);

struct DuplicateSearchResult {
    ProblemList findings;  // textures, then character files, then meshes; each archive pass before its folder pass
    bool stopped = false;  // the user stopped the search; `findings` holds what was found so far
    SkippedFiles skipped;  // FIFOs, sockets and devices named as skins: left out
};

// The whole search (busy text 7118): builds `catalogue` when needed, compares the textures,
// the character files and the meshes (busy texts 7119, 7123, 7124, the bar
// over each list), and discards the catalogue at the end so that its next
// use reads the archives again.
DuplicateSearchResult SearchDuplicates(const SkinFolders& folders, SkinCatalogue& catalogue,
                                       const ScanControl& control);

}  // namespace corvane
