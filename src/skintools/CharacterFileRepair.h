#pragma once

#include "skins/FarRecordDetails.h"
#include "skins/SkinCatalogue.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// The character-file editor's proposal: the file's lines with the suit name
// set to the file's name and each unknown mesh replaced by the installed mesh
// whose name shares the longest beginning with it, and what it changed.

enum class EditorMarkStyle {
    BoldNavy,  // a line the proposal changed
    Red,       // a mesh line nothing could replace
};

// A range of one line of the proposal, in bytes.
struct EditorMark {
    std::size_t line = 0;
    std::size_t start = 0;
    std::size_t length = 0;
    EditorMarkStyle style = EditorMarkStyle::BoldNavy;
};

struct CharacterFileProposal {
    std::vector<std::string> lines;
    std::string problems;  // numbered problem texts, each ended by two CR LFs
    int problemCount = 0;
    std::vector<EditorMark> marks;  // in the order they were made
};

// `fileName` is the character file's name with its extension; `description`
// the problem record's. `sknFiles` and `archiveMeshes` are the catalogue's
// loose meshes and archive mesh entries, searched in their order.
//
// One-character lines count the file's numbers. A longer line seen at count 2
// (or the first at count 3 when there was none at 2) is the suit name. Later
// longer lines alternate between bone and mesh lines, a bone line first; a
// mesh line with "xskin" whose mesh is not installed is replaced by the first
// loose mesh, else archive mesh, that shares its first k characters, k from
// its length less one down to just above the position of its first "_".
CharacterFileProposal ProposeCharacterFileRepair(const std::vector<std::string>& lines, const std::string& fileName,
                                                 const std::string& description,
                                                 const std::vector<std::filesystem::path>& sknFiles,
                                                 const std::vector<FarRecordDetails>& archiveMeshes);

// The same with the meshes of `catalogue` (built), as the editor and the
// command line propose it.
CharacterFileProposal ProposeCharacterFileRepair(const std::vector<std::string>& lines, const std::string& fileName,
                                                 const std::string& description, const SkinCatalogue& catalogue);

}  // namespace corvane
