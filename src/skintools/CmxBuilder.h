#pragma once

#include "skintools/SkinChoices.h"

#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// The CMX builder composes a character file from mesh (SKN) files the user
// adds, named by the game's naming scheme.

// One added mesh.
struct SKNRecordDetails {
    std::string Folder;    // with a trailing separator
    std::string MeshName;  // the file name without its extension
    std::string Bone;      // "HEAD", "PELVIS", "R_HAND", "L_HAND", or "NA" when the file names none
};

// The meshes added, in the order they were added; empty until the first.
using CMXBuilderList = std::vector<SKNRecordDetails>;

// The bone of a mesh's text: the first line that, trimmed and upper-cased, is
// one of the four bones the game dresses; "NA" when no line is.
std::string SknBone(const std::vector<std::string>& lines);

// The record of a mesh file, its bone read from its lines. Throws
// std::runtime_error naming the file when it cannot be read.
SKNRecordDetails ReadSknRecord(const std::filesystem::path& file);

// The builder's skin-type list: head, hands, body, formal, winter, swimwear,
// pajamas, nude, dog, cat, fashion, whatever expansion packs are installed.
// The default is body.
std::vector<SkinKindItem> BuilderSkinKinds();

struct BuilderSuitName {
    std::string suitName;  // "B001MAFit_Red", "HFRP_Red"
    std::string series;    // the series field rewritten with three digits
    ShownLists shown;
};

// The suit name of the choices: the kind's letter, then by kind the series,
// gender, age, size, or for hands the gender, side and hand type ("F" for
// formal hands); "_" and the name when the name is not empty. A third gender
// item selected for a kind without one selects the first.
BuilderSuitName CmxSuitName(SkinChoices& choices, const std::string& seriesField, const std::string& name,
                            bool teens);

// The character file's text: the stamped comment, the version and suit
// header, the suit name (the fifth line), and each mesh's bone and name.
std::vector<std::string> CmxBuilderLines(const std::string& suitName, const CMXBuilderList& meshes);

}  // namespace corvane
