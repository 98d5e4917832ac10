#include "skintools/DuplicateTree.h"

#include "platform/CaseInsensitivePath.h"
#include "skins/SkinFolders.h"

#include <algorithm>

namespace corvane {

SkinTreeGroup& SkinTree::group(const std::string& folder) {
    for (SkinTreeGroup& existing : groups) {
        if (EqualsIgnoreCase(existing.folder, folder)) return existing;
    }
    return groups.emplace_back(SkinTreeGroup{folder, {}});
}

void SkinTree::addLeaf(const std::string& folder, std::string fileName, std::optional<ProblemRecordDetails> finding) {
    group(folder).leaves.push_back({std::move(fileName), std::move(finding)});
}

void SkinTree::removeByText(const std::string& text) {
    std::erase_if(groups, [&](const SkinTreeGroup& g) { return EqualsIgnoreCase(g.folder, text); });
    for (SkinTreeGroup& g : groups) {
        std::erase_if(g.leaves, [&](const SkinTreeLeaf& leaf) { return EqualsIgnoreCase(leaf.fileName, text); });
    }
}

std::size_t SkinTree::leafCount() const {
    std::size_t count = 0;
    for (const SkinTreeGroup& g : groups) count += g.leaves.size();
    return count;
}

std::string RelativeFolder(const std::string& folder, const std::filesystem::path& root) {
    std::string prefix = root.string();
    if (!prefix.empty() && prefix.back() != std::filesystem::path::preferred_separator) {
        prefix += std::filesystem::path::preferred_separator;
    }
    return folder.starts_with(prefix) ? folder.substr(prefix.size()) : folder;
}

SkinTree FoundDuplicatesTree(const ProblemList& findings, const std::filesystem::path& gamePath) {
    SkinTree tree{gamePath.string(), {}};
    for (const ProblemRecordDetails& finding : findings) {
        tree.addLeaf(RelativeFolder(finding.Folder, gamePath), finding.FileName, finding);
    }
    return tree;
}

SkinTree StoredSkinsTree(const std::filesystem::path& storeFolder) {
    SkinTree tree{storeFolder.string(), {}};
    std::vector<std::filesystem::path> files;
    ListFolderFiles(storeFolder, "*", files, true);
    for (const std::filesystem::path& file : files) {
        std::string folder = file.parent_path().string();
        folder += std::filesystem::path::preferred_separator;
        tree.addLeaf(RelativeFolder(folder, storeFolder), file.filename().string());
    }
    return tree;
}

}  // namespace corvane
