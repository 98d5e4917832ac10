#pragma once

// The folder-duplicate search written out literally, one comparison per pair
// of files. The product never calls it: it is the reference the tests hold
// AppendFolderDuplicates to, and the baseline the benchmark measures it
// against.
#include "platform/AsciiText.h"
#include "skintools/DuplicateSearch.h"

#include <filesystem>
#include <vector>

namespace corvane::reference {

inline void AppendFolderDuplicatesPairwise(const std::vector<std::filesystem::path>& files, ProblemList& findings) {
    for (const std::filesystem::path& f : files) {
        for (std::size_t j = files.size(); j-- > 0;) {
            const std::filesystem::path& g = files[j];
            if (LooseFileKey(g) == LooseFileKey(f) && ToLowerAscii(g.string()) != ToLowerAscii(f.string())) {
                findings.push_back(FolderDuplicateRecord(g, f));
                break;
            }
        }
    }
}

}  // namespace corvane::reference
