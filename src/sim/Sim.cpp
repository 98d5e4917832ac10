#include "sim/Sim.h"

#include <algorithm>

namespace corvane {

SimRelationShip* Sim::relationshipTo(std::int32_t targetId) {
    auto found = std::find_if(Relationships.begin(), Relationships.end(),
                              [&](const SimRelationShip& r) { return r.TargetID == targetId; });
    return found == Relationships.end() ? nullptr : &*found;
}

const std::array<SkinField, 32>& SkinFields() {
    static const std::array<SkinField, 32> fields{{
        {"BodyMesh", &Sim::BodyMesh}, {"BodyTexture", &Sim::BodyTexture},
        {"HeadMesh", &Sim::HeadMesh}, {"HeadTexture", &Sim::HeadTexture},
        {"NudeMesh", &Sim::NudeMesh}, {"NudeTexture", &Sim::NudeTexture},
        {"SwimMesh", &Sim::SwimMesh}, {"SwimTexture", &Sim::SwimTexture},
        {"OpenLHandMesh", &Sim::OpenLHandMesh}, {"OpenLHandTexture", &Sim::OpenLHandTexture},
        {"OpenRHandMesh", &Sim::OpenRHandMesh}, {"OpenRHandTexture", &Sim::OpenRHandTexture},
        {"PointingLHandMesh", &Sim::PointingLHandMesh}, {"PointingLHandTexture", &Sim::PointingLHandTexture},
        {"PointingRHandMesh", &Sim::PointingRHandMesh}, {"PointingRHandTexture", &Sim::PointingRHandTexture},
        {"CloseLHandMesh", &Sim::CloseLHandMesh}, {"CloseLHandTexture", &Sim::CloseLHandTexture},
        {"CloseRHandMesh", &Sim::CloseRHandMesh}, {"CloseRHandTexture", &Sim::CloseRHandTexture},
        {"FormalMesh", &Sim::FormalMesh}, {"FormalTexture", &Sim::FormalTexture},
        {"WinterMesh", &Sim::WinterMesh}, {"WinterTexture", &Sim::WinterTexture},
        {"FashionMesh", &Sim::FashionMesh}, {"FashionTexture", &Sim::FashionTexture},
        {"FormalLHandMesh", &Sim::FormalLHandMesh}, {"FormalLHandTexture", &Sim::FormalLHandTexture},
        {"FormalRHandMesh", &Sim::FormalRHandMesh}, {"FormalRHandTexture", &Sim::FormalRHandTexture},
        {"PajamaMesh", &Sim::PajamaMesh}, {"PajamaTexture", &Sim::PajamaTexture},
    }};
    return fields;
}

std::string GuidAsHex(const std::string& guid) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const char c : guid) {
        const auto byte = static_cast<unsigned char>(c);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

SkinCodes SkinCodesOf(const Sim& sim, int expansionLevel) {
    SkinCodes codes;
    codes.SkinAge = sim.SkinAge;
    codes.Gender = sim.Gender;
    codes.BodySize = sim.BodySize;
    codes.SkinColor = sim.SkinColor;
    codes.AgeGroup = sim.AgeGroup;
    codes.BodyTexture = sim.BodyTexture;
    codes.ExpansionLevel = expansionLevel;
    return codes;
}

Sim* FindSimByNeighborID(const std::vector<std::unique_ptr<Sim>>& characters, std::int32_t neighborId) {
    auto found = std::find_if(characters.begin(), characters.end(),
                              [&](const std::unique_ptr<Sim>& sim) { return sim->NeighborID == neighborId; });
    return found == characters.end() ? nullptr : found->get();
}

}  // namespace corvane
