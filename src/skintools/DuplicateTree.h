#pragma once

#include "skins/ProblemRecordDetails.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The content of the duplicate page's two trees as plain data: a root, one
// group per folder (relative to the root, compared ignoring letter case), and
// the files below each group in the order they were added.

struct SkinTreeLeaf {
    std::string fileName;
    std::optional<ProblemRecordDetails> finding;  // the found tree's files carry their finding
};

struct SkinTreeGroup {
    std::string folder;  // relative to the root, with a trailing separator ("" for the root's own files)
    std::vector<SkinTreeLeaf> leaves;
};

struct SkinTree {
    std::string root;
    std::vector<SkinTreeGroup> groups;

    // The group of `folder`, added at the end when no group has that text
    // (letter case ignored).
    SkinTreeGroup& group(const std::string& folder);
    // A file below the group of `folder`.
    void addLeaf(const std::string& folder, std::string fileName, std::optional<ProblemRecordDetails> finding = {});
    // Removes every node whose text is `text` (letter case ignored): files,
    // and groups with all their files. The root stays.
    void removeByText(const std::string& text);

    std::size_t leafCount() const;
};

// `folder` less the leading `root` and its separator; the whole folder when
// it does not lie below `root`.
std::string RelativeFolder(const std::string& folder, const std::filesystem::path& root);

// The found tree: root `gamePath`, each finding below its folder relative to
// the game, in the findings' order.
SkinTree FoundDuplicatesTree(const ProblemList& findings, const std::filesystem::path& gamePath);

// The stored tree: root `storeFolder`, every file below it (all subfolders)
// under its folder relative to the store.
SkinTree StoredSkinsTree(const std::filesystem::path& storeFolder);

}  // namespace corvane
