#pragma once

#include "sim/Document.h"
#include "skins/SlotPatterns.h"

#include <string>
#include <vector>

namespace corvane {

// The record's mesh and texture fields of a skin slot.
struct SlotFields {
    std::string Sim::*mesh;
    std::string Sim::*texture;
};
SlotFields FieldsOfSlot(SkinSlot slot);
// The slot whose mesh or texture `field` is (std::invalid_argument for a field of no slot).
SkinSlot SlotOfField(std::string Sim::*field);
// Every slot's mesh and texture names, for telling whether a character was dressed anew.
std::vector<std::string> SkinNamesOf(const Sim& sim);

// What a skin page knows about the texture picked, beyond its name.
struct SkinPick {
    std::string mesh;
    std::string texture;
    // The texture is a loose file: a new everyday texture of a character
    // without sleepwear then brings the pajamas named after it.
    bool looseTexture = false;
};

// A skin page dresses `slot` in the picked mesh and texture. A field changes
// only when the name differs beyond letter case. A new head (mesh or
// texture), and a pet's new coat, mark the character's pictures for renewal.
void DressSlot(Document& document, Sim& sim, SkinSlot slot, const SkinPick& pick);

}  // namespace corvane
