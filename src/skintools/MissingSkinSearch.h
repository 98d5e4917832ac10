#pragma once

#include "sim/Sim.h"
#include "skintools/InstalledSkinIndex.h"
#include "skintools/ScanControl.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The check of every skin name the characters of a neighbourhood wear against
// the installed skins.

struct MissingSkinOptions {
    int expansionLevel = 0;        // the game's
    bool childrenFormals = false;  // "Show Missing Children Formals": formal skins are checked too
};

// The fields checked for `sim` (SkinField of the Sim record: name and member), in the order they are checked: body for
// everyone; for adults and children also head, formal (with the option, below
// level 5), fashion (adults at level 6), winter (above level 3), swim, pajamas
// (above level 2) with nude (levels 3 and 4), formal hands (with the option,
// below level 3) and the twelve hand skins.
std::vector<SkinField> SkinFieldsToCheck(const Sim& sim, const MissingSkinOptions& options);

// ".cmx" for a mesh field, ".bmp" for a texture field.
std::string_view SkinFieldExtension(const SkinField& field);

// One row of the missing-skin list.
struct MissingSkinRow {
    int number = 0;         // 1, 2, …
    std::string character;  // FirstName, " ", LastName, " : ", FileName (game text)
    std::string skinName;   // as the character names it (game text; may be empty)
    std::string field;      // "BodyMesh", "PajamaTexture", …
};

struct MissingSkinResult {
    std::vector<MissingSkinRow> rows;
    bool stopped = false;  // the user stopped the search; `rows` holds what was found so far
};

// Checks the characters in list order (busy text 7107, then per character
// 7158 FileName 7159 " ...."; the bar over the characters).
MissingSkinResult SearchMissingSkins(const std::vector<Sim*>& characters, const InstalledSkinIndex& installed,
                                     const MissingSkinOptions& options, const ScanControl& control);

}  // namespace corvane
