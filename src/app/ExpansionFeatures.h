#pragma once

#include "platform/LanguageModule.h"

#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

// What the main window shows of the features that depend on the installed
// expansion packs.
struct ExpansionFeatures {
    std::vector<std::string_view> hidden;                          // widgets to hide
    std::vector<std::pair<std::string_view, MessageId>> captions;  // labels to retitle
    bool restrictInterests = false;  // interests page unavailable (before the third pack)
    int neighbourhoodTreeWidth = 0;  // tvNGBD's width when the backup tree is hidden; 0 keeps it
};

// The features of `expansionLevel`; `hasExpansionPack5` matters at level 6,
// where the pet blur boxes need the pets pack.
ExpansionFeatures FeaturesForExpansionLevel(int expansionLevel, bool hasExpansionPack5);

// The widgets hidden when the interests page is restricted (after the
// interests button got its "(Expansion Pack)" note and grey text).
std::vector<std::string_view> RestrictedInterestWidgets();

// Caption of lblNGBDDesc2: message 6173 with an expansion pack, else 6198.
MessageId NeighbourhoodDescriptionCaption(int expansionLevel);

}  // namespace corvane
