#pragma once

#include "skins/SkinCatalogue.h"

#include <string>
#include <vector>

namespace corvane {

// The text lines of skins kept in the game's archives. The catalogue must be
// built by the caller. The entry catalogued last wins (later archives
// override earlier ones). A damaged entry makes the lookup false; the lines
// converted before the fault stay, and `fault` (when not null) says which
// entry of which archive, at which offset, and what is wrong with it. An
// archive that cannot be opened throws.

// "the entry E at offset O of the archive A is damaged: <cause>".
std::string DamagedEntryText(const FarRecordDetails& entry, const std::string& cause);

// A character file (suit). True with nothing appended when no entry has the
// name; false for an empty name or a damaged entry.
bool SuitFromArchive(const SkinCatalogue& catalogue, const std::string& baseName, std::vector<std::string>& lines,
                     std::string* fault = nullptr);

// A skeleton ("adult-skeleton"); false when none has the name.
bool SkeletonFromArchive(const SkinCatalogue& catalogue, const std::string& baseName, std::vector<std::string>& lines,
                         std::string* fault = nullptr);

// A mesh; entries named exactly ".skn" hold text, the others are converted.
bool ReadArchivedSKN(const SkinCatalogue& catalogue, const std::string& baseName, std::vector<std::string>& lines,
                     std::string* fault = nullptr);

}  // namespace corvane
