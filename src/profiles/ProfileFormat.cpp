#include "profiles/ProfileFormat.h"

#include "platform/AsciiText.h"

namespace corvane {

const std::array<ProfileValueElement, 45>& ProfileValueElements() {
    using enum ProfileValueType;
    static const std::array<ProfileValueElement, 45> elements{{
        {"FirstName", String, &Sim::FirstName},
        {"Bio", String, &Sim::Bio},
        {"Gender", Int, &Sim::Gender},
        {"Age", Int, &Sim::Age},
        {"SkinColor", Int, &Sim::SkinColor},
        {"Ghost", Int, &Sim::Ghost},
        {"Lingering", Int, &Sim::HauntAddress},
        {"GhostLevel", Int, &Sim::Ghost},
        {"HauntAddress", Int, &Sim::HauntAddress},
        {"Neat", Int, &Sim::Neat},
        {"Outgoing", Int, &Sim::Outgoing},
        {"Active", Int, &Sim::Active},
        {"Playful", Int, &Sim::Playful},
        {"Nice", Int, &Sim::Nice},
        {"Cooking", Int, &Sim::Cooking},
        {"Mechanical", Int, &Sim::Mechanical},
        {"Charisma", Int, &Sim::Charisma},
        {"Body", Int, &Sim::Body},
        {"Logic", Int, &Sim::Logic},
        {"Creativity", Int, &Sim::Creativity},
        {"Cleaning", Int, &Sim::Cleaning},
        {"Travel", Int, &Sim::Travel},
        {"Sixties", Int, &Sim::Sixties},
        {"Music", Int, &Sim::Music},
        {"Money", Int, &Sim::Money},
        {"Weather", Int, &Sim::Weather},
        {"Outdoors", Int, &Sim::Outdoors},
        {"Politics", Int, &Sim::Politics},
        {"Sports", Int, &Sim::Sports},
        {"Exercise", Int, &Sim::Exercise},
        {"Food", Int, &Sim::Food},
        {"Hollywood", Int, &Sim::Hollywood},
        {"Parties", Int, &Sim::Parties},
        {"Technology", Int, &Sim::Technology},
        {"Style", Int, &Sim::Style},
        {"Romance", Int, &Sim::Romance},
        {"Job", Int, &Sim::Career},
        {"Career", Int, &Sim::Career},
        {"JobLevel", Int, &Sim::JobLevel},
        {"JobPerformance", Int, &Sim::JobPerformance},
        {"AgeGroup", String, &Sim::AgeGroup},
        {"BodySize", String, &Sim::BodySize},
        {"FameScore", Int, &Sim::FameScore},
        {"FameStarPower", Int, &Sim::FameStarPower},
        {"FameStarHighWatermark", Int, &Sim::FameStarHighWatermark},
    }};
    return elements;
}

const std::array<ProfileSkinElement, 32>& ProfileSkinElements() {
    static const std::array<ProfileSkinElement, 32> elements{{
        {"BodyMesh", &Sim::BodyMesh, ".cmx"},
        {"BodyTexture", &Sim::BodyTexture, ".bmp"},
        {"HeadMesh", &Sim::HeadMesh, ".cmx"},
        {"HeadTexture", &Sim::HeadTexture, ".bmp"},
        {"NudeMesh", &Sim::NudeMesh, ".cmx"},
        {"NudeTexture", &Sim::NudeTexture, ".bmp"},
        {"SwimMesh", &Sim::SwimMesh, ".cmx"},
        {"SwimTexture", &Sim::SwimTexture, ".bmp"},
        {"WinterMesh", &Sim::WinterMesh, ".cmx"},
        {"WinterTexture", &Sim::WinterTexture, ".bmp"},
        {"FashionMesh", &Sim::FashionMesh, ".cmx"},
        {"FashionTexture", &Sim::FashionTexture, ".bmp"},
        {"OpenLHandMesh", &Sim::OpenLHandMesh, ".cmx"},
        {"OpenLHandTexture", &Sim::OpenLHandTexture, ".bmp"},
        {"OpenRHandMesh", &Sim::OpenRHandMesh, ".cmx"},
        {"OpenRHandTexture", &Sim::OpenRHandTexture, ".bmp"},
        {"PointingLHandMesh", &Sim::PointingLHandMesh, ".cmx"},
        {"PointingLHandTexture", &Sim::PointingLHandTexture, ".bmp"},
        {"PointingRHandMesh", &Sim::PointingRHandMesh, ".cmx"},
        {"PointingRHandTexture", &Sim::PointingRHandTexture, ".bmp"},
        {"CloseLHandMesh", &Sim::CloseLHandMesh, ".cmx"},
        {"CloseLHandTexture", &Sim::CloseLHandTexture, ".bmp"},
        {"CloseRHandMesh", &Sim::CloseRHandMesh, ".cmx"},
        {"CloseRHandTexture", &Sim::CloseRHandTexture, ".bmp"},
        {"FormalMesh", &Sim::FormalMesh, ".cmx"},
        {"FormalTexture", &Sim::FormalTexture, ".bmp"},
        {"FormalLHandMesh", &Sim::FormalLHandMesh, ".cmx"},
        {"FormalLHandTexture", &Sim::FormalLHandTexture, ".bmp"},
        {"FormalRHandMesh", &Sim::FormalRHandMesh, ".cmx"},
        {"FormalRHandTexture", &Sim::FormalRHandTexture, ".bmp"},
        {"PajamaMesh", &Sim::PajamaMesh, ".cmx"},
        {"PajamaTexture", &Sim::PajamaTexture, ".bmp"},
    }};
    return elements;
}

std::vector<ProfilePreviewItem> ProfilePreviewOrder(const std::vector<std::pair<std::string, std::size_t>>& files) {
    using Kind = ProfilePreviewItem::Kind;
    std::vector<ProfilePreviewItem> items;
    for (const auto& [kind, extension] : {std::pair{Kind::Image, ".bmp"}, std::pair{Kind::CharacterFile, ".cmx"},
                                          std::pair{Kind::Mesh, ".skn"}}) {
        for (const auto& [name, position] : files) {
            const std::string lower = ToLowerAscii(name);
            if (!lower.ends_with(extension) || (kind == Kind::Image && lower == "x.bmp")) continue;
            items.push_back({kind, name, position});
        }
    }
    return items;
}

}  // namespace corvane
