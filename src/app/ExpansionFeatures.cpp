#include "app/ExpansionFeatures.h"

namespace corvane {

namespace {

using Names = std::vector<std::string_view>;

const Names kPetBlurWidgets{"lblBlurDog", "lblBlurCat", "lblBlurryPets", "ckBlurDog", "ckBlurCat"};

// With the pet blur widgets, the relationship extras of the early games.
const Names kDailyLoveLifetimeCrush{
    "lblDaily", "lblDaily2", "lblMinTrk2", "lblMinTrk4", "lblMaxTrk2", "lblMaxTrk4", "ckCrush", "ckCrush2",
    "lblCrush", "lblCrush2", "lblLove", "lblLove2", "lblLifetime", "lblLifetime2", "ckLove", "ckLove2",
    "pnlLifetime", "pnlLifetime2"};

const Names kFameWidgets{"pnlFameScore", "lblFameScore", "trkFameScore", "pnlFamePower", "lblFamePower",
                         "trkFamePower", "pnlFameWatermark", "lblFameWatermark", "trkFameWatermark"};

const Names kChildFormalsFilter{"ckChkChdFormals", "lblFilterChildFormals"};

void add(ExpansionFeatures& features, const Names& names) {
    features.hidden.insert(features.hidden.end(), names.begin(), names.end());
}

void relationshipLabels(ExpansionFeatures& features) {
    for (std::string_view name : {"lblDaily", "lblDaily2"}) features.captions.emplace_back(name, MessageId{6077});
    for (std::string_view name : {"lblLove", "lblLove2"}) features.captions.emplace_back(name, MessageId{6013});
    for (std::string_view name : {"lblLifetime", "lblLifetime2"}) {
        features.captions.emplace_back(name, MessageId{6020});
    }
    for (std::string_view name : {"lblCrush", "lblCrush2"}) features.captions.emplace_back(name, MessageId{6024});
}

void petBlurLabels(ExpansionFeatures& features) {
    features.captions.emplace_back("lblBlurDog", MessageId{6123});
    features.captions.emplace_back("lblBlurCat", MessageId{6124});
    features.captions.emplace_back("lblBlurryPets", MessageId{6161});
}

}  // namespace

ExpansionFeatures FeaturesForExpansionLevel(int expansionLevel, bool hasExpansionPack5) {
    ExpansionFeatures features;
    switch (expansionLevel) {
        case 0:
            features.hidden = {"tvNGBDBackup", "mNGBDBackup"};
            features.neighbourhoodTreeWidth = 373;
            [[fallthrough]];
        case 1:
        case 2:
            add(features, kPetBlurWidgets);
            add(features, kDailyLoveLifetimeCrush);
            features.restrictInterests = true;
            add(features, kFameWidgets);
            break;
        case 3:
        case 4:
            add(features, kPetBlurWidgets);
            relationshipLabels(features);
            features.hidden.push_back("btnFashion");
            if (expansionLevel == 3) {
                features.hidden.push_back("btnWinter");
            }
            add(features, kFameWidgets);
            break;
        case 5:
            petBlurLabels(features);
            relationshipLabels(features);
            features.hidden.push_back("btnFashion");
            add(features, kFameWidgets);
            add(features, kChildFormalsFilter);
            break;
        case 6:
            if (hasExpansionPack5) {
                petBlurLabels(features);
            } else {
                add(features, kPetBlurWidgets);
            }
            relationshipLabels(features);
            features.captions.emplace_back("lblFameScore", MessageId{6195});
            features.captions.emplace_back("lblFamePower", MessageId{6196});
            features.captions.emplace_back("lblFameWatermark", MessageId{6197});
            add(features, kChildFormalsFilter);
            break;
        default:
            // Nothing is hidden; the relationship labels read as they were designed.
            relationshipLabels(features);
            break;
    }
    return features;
}

std::vector<std::string_view> RestrictedInterestWidgets() {
    return {"btnSetAllDailySim", "btnSetAllLifetimeSim", "btnSetAllDailyNGBD", "btnSetAllLifetimeNGBD", "pnlSetAll",
            "btnWinter", "btnFashion", "btnNude", "btnInterests"};
}

MessageId NeighbourhoodDescriptionCaption(int expansionLevel) {
    return expansionLevel > 0 ? MessageId{6173} : MessageId{6198};
}

}  // namespace corvane
