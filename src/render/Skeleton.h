#pragma once

#include "platform/Dialogs.h"
#include "render/Quaternions.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/*
 Skeleton file, as the preview reads it (text lines, counted from 0):

   0..2   not read (comment, "version 300", skeleton count)
   3      kind word: adult, child, dog, kat
   4      bone count n
   5..    bone blocks:
            ordinary (10 lines): +0 name, +1 parent, +3 translation, +4 rotation
            property (13 lines): +0 name, +1 parent, +6 translation, +7 rotation
          adult: ordinary at 5, property at 15, then ordinary from 28
          child: property at 5, ordinary at 18, then ordinary from 28
          dog, kat: n ordinary blocks from 5
   translation "| x y z |", rotation "| x y z w |": the first item is skipped
*/

// One bone, in its parent's space.
struct TSkeleton {
    std::string name;    // exactly as on its line
    std::string parent;  // "NULL" at the top of the chain
    TVector3 translation;
    TQuaternion rotation;
};

enum SkeletonKind : std::int32_t { Adult = 0, Child = 1, Dog = 2, Kat = 3 };

// The kind and the bones of a skeleton file, in file order.
struct ParsedSkeleton {
    SkeletonKind kind = Adult;
    std::vector<TSkeleton> bones;
};

// Reads the lines of a skeleton file. An unknown kind word counts as adult.
// Adult and child skeletons always yield their first two bones, even when the
// count says fewer. Throws FormatError naming `fileName` and the line when a
// line the count demands is missing or a number does not parse.
ParsedSkeleton ParseSkeleton(const std::vector<std::string>& lines, const std::string& fileName);

// The skeleton the editor names by its bare file name ("adult-skeleton.cmx"):
// the file in the skin folders, else the archives' skeleton of that base name.
// When neither has it, says "CV3D Error, Unable to locate <name>" and returns
// nothing. Throws FormatError (naming a loose file by its path) when the
// skeleton found is unreadable, and std::runtime_error when a file or archive
// cannot be read.
std::optional<ParsedSkeleton> LoadSkeleton(const SkinFolders& folders, const SkinCatalogue& catalogue,
                                           const std::string& skeletonFileName, Dialogs& dialogs);

}  // namespace corvane
