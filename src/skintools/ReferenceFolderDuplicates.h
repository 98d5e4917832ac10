#pragma once

// The folder-duplicate search written out literally: for each file, the list
// is searched from its last file to its first, one comparison per pair. The
// product never calls it: it is the reference the tests hold
// AppendFolderDuplicates to, and the baseline the benchmark measures it
// against. Names are trimmed and lower-cased and files told apart once per
// file, so the pairs cost a plain comparison each.
#include "skintools/DuplicateSearch.h"

#include <filesystem>
#include <string>
#include <vector>

namespace corvane::reference {

inline void AppendFolderDuplicatesPairwise(const std::vector<std::filesystem::path>& files, ProblemList& findings) {
    std::vector<std::string> keys;
    std::vector<std::string> places;
    for (const std::filesystem::path& file : files) {
        keys.push_back(LooseFileKey(file));
        places.push_back(FileSamenessKey(file));
    }
    for (std::size_t f = 0; f < files.size(); ++f) {
        for (std::size_t g = files.size(); g-- > 0;) {
            if (keys[g] == keys[f] && places[g] != places[f]) {
                findings.push_back(FolderDuplicateRecord(files[g], files[f]));
                break;
            }
        }
    }
}

}  // namespace corvane::reference
