#include "sim/SkinEdits.h"

#include "platform/AsciiText.h"
#include "sim/Traits.h"

#include <stdexcept>

namespace corvane {

namespace {

bool sameName(const std::string& a, const std::string& b) {
    return ToLowerAscii(a) == ToLowerAscii(b);
}

// Sets `field` unless it already names `value` in some letter case.
bool rename(std::string& field, const std::string& value) {
    if (sameName(field, value)) return false;
    field = value;
    return true;
}

}  // namespace

SlotFields FieldsOfSlot(SkinSlot slot) {
    switch (slot) {
        case SkinSlot::Head: return {&Sim::HeadMesh, &Sim::HeadTexture};
        case SkinSlot::Body: return {&Sim::BodyMesh, &Sim::BodyTexture};
        case SkinSlot::Formal: return {&Sim::FormalMesh, &Sim::FormalTexture};
        case SkinSlot::Fashion: return {&Sim::FashionMesh, &Sim::FashionTexture};
        case SkinSlot::Winter: return {&Sim::WinterMesh, &Sim::WinterTexture};
        case SkinSlot::Swim: return {&Sim::SwimMesh, &Sim::SwimTexture};
        case SkinSlot::Sleepwear: return {&Sim::PajamaMesh, &Sim::PajamaTexture};
        case SkinSlot::Nude: return {&Sim::NudeMesh, &Sim::NudeTexture};
        case SkinSlot::OpenHandLeft: return {&Sim::OpenLHandMesh, &Sim::OpenLHandTexture};
        case SkinSlot::OpenHandRight: return {&Sim::OpenRHandMesh, &Sim::OpenRHandTexture};
        case SkinSlot::PointingHandLeft: return {&Sim::PointingLHandMesh, &Sim::PointingLHandTexture};
        case SkinSlot::PointingHandRight: return {&Sim::PointingRHandMesh, &Sim::PointingRHandTexture};
        case SkinSlot::ClosedHandLeft: return {&Sim::CloseLHandMesh, &Sim::CloseLHandTexture};
        case SkinSlot::ClosedHandRight: return {&Sim::CloseRHandMesh, &Sim::CloseRHandTexture};
        case SkinSlot::FormalHandLeft: return {&Sim::FormalLHandMesh, &Sim::FormalLHandTexture};
        case SkinSlot::FormalHandRight: return {&Sim::FormalRHandMesh, &Sim::FormalRHandTexture};
    }
    throw std::invalid_argument("no such skin slot");
}

SkinSlot SlotOfField(std::string Sim::*field) {
    for (int slot = static_cast<int>(SkinSlot::Head); slot <= static_cast<int>(SkinSlot::FormalHandRight); ++slot) {
        const SlotFields fields = FieldsOfSlot(static_cast<SkinSlot>(slot));
        if (fields.mesh == field || fields.texture == field) return static_cast<SkinSlot>(slot);
    }
    throw std::invalid_argument("no skin slot holds that field");
}

std::vector<std::string> SkinNamesOf(const Sim& sim) {
    std::vector<std::string> names;
    for (int slot = static_cast<int>(SkinSlot::Head); slot <= static_cast<int>(SkinSlot::FormalHandRight); ++slot) {
        const SlotFields fields = FieldsOfSlot(static_cast<SkinSlot>(slot));
        names.push_back(sim.*fields.mesh);
        names.push_back(sim.*fields.texture);
    }
    return names;
}

void DressSlot(Document& document, Sim& sim, SkinSlot slot, const SkinPick& pick) {
    const SlotFields fields = FieldsOfSlot(slot);
    document.edit("DressSlot", [&](EditScope& scope) {
        Sim& dressed = scope.touch(sim);
        const bool newMesh = rename(dressed.*fields.mesh, pick.mesh);
        const bool newTexture = rename(dressed.*fields.texture, pick.texture);
        if (slot == SkinSlot::Head && (newMesh || newTexture)) dressed.ResetThumbnail = true;
        if (slot == SkinSlot::Body && newTexture && IsPet(dressed)) dressed.ResetThumbnail = true;
        const SkinCodes codes = SkinCodesOf(dressed, document.expansionLevel());
        if (slot == SkinSlot::Body && pick.looseTexture && !IsPet(dressed) && !WearsSleepwear(codes)) {
            rename(dressed.PajamaTexture, PajamaTextureFor(codes));
        }
    });
    document.sealStep();
}

}  // namespace corvane
