#include "sim/SimFields.h"

namespace corvane {

const std::vector<SimField>& SimFieldTable() {
    static const std::vector<SimField> fields = [] {
        std::vector<SimField> table{
            {"FileName", &Sim::FileName},   {"NeighborID", &Sim::NeighborID},
            {"NeighborEntryPos", &Sim::NeighborEntryPos}, {"FirstName", &Sim::FirstName},
            {"Bio", &Sim::Bio},             {"Nice", &Sim::Nice},
            {"Active", &Sim::Active},       {"Playful", &Sim::Playful},
            {"Outgoing", &Sim::Outgoing},   {"Neat", &Sim::Neat},
            {"Cleaning", &Sim::Cleaning},   {"Cooking", &Sim::Cooking},
            {"Charisma", &Sim::Charisma},   {"Mechanical", &Sim::Mechanical},
            {"Exercise", &Sim::Exercise},   {"Food", &Sim::Food},
            {"Creativity", &Sim::Creativity}, {"Parties", &Sim::Parties},
            {"Body", &Sim::Body},           {"Logic", &Sim::Logic},
            {"Style", &Sim::Style},         {"Hollywood", &Sim::Hollywood},
            {"Travel", &Sim::Travel},       {"Money", &Sim::Money},
            {"Politics", &Sim::Politics},   {"Sixties", &Sim::Sixties},
            {"Weather", &Sim::Weather},     {"Sports", &Sim::Sports},
            {"Music", &Sim::Music},         {"Outdoors", &Sim::Outdoors},
            {"Technology", &Sim::Technology}, {"Romance", &Sim::Romance},
            {"Career", &Sim::Career},       {"JobLevel", &Sim::JobLevel},
            {"Age", &Sim::Age},             {"AgeGroup", &Sim::AgeGroup},
            {"SkinColor", &Sim::SkinColor}, {"SkinTone", &Sim::SkinTone},
            {"FamilyNumber", &Sim::FamilyNumber}, {"JobPerformance", &Sim::JobPerformance},
            {"Gender", &Sim::Gender},       {"HauntAddress", &Sim::HauntAddress},
            {"Ghost", &Sim::Ghost},         {"FameScore", &Sim::FameScore},
            {"FameStarPower", &Sim::FameStarPower}, {"FameStarHighWatermark", &Sim::FameStarHighWatermark},
            {"LastName", &Sim::LastName},   {"GUID", &Sim::GUID},
            {"FamilyChunkPos", &Sim::FamilyChunkPos}, {"HouseNumber", &Sim::HouseNumber},
            {"FamilyCash", &Sim::FamilyCash}, {"FamilyAssets", &Sim::FamilyAssets},
        };
        for (const SkinField& skin : SkinFields()) {
            table.push_back({skin.name, skin.field});
        }
        table.insert(table.end(), {{"ThumbnailIndex", &Sim::ThumbnailIndex}, {"BodySize", &Sim::BodySize},
                                   {"SkinAge", &Sim::SkinAge}, {"Modified", &Sim::Modified},
                                   {"LastNameChanged", &Sim::LastNameChanged}, {"FamilyChanged", &Sim::FamilyChanged},
                                   {"ResetThumbnail", &Sim::ResetThumbnail},
                                   {"Damage", &Sim::Damage}});
        return table;
    }();
    return fields;
}

}  // namespace corvane
