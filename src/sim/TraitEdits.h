#pragma once

#include "sim/Document.h"
#include "sim/Traits.h"

#include <random>

namespace corvane {

// One slider of the personality, skills or interests pages: 0..1000.
void SetTrait(Document& document, Sim& sim, const Trait& trait, int value);

// "Max All": every slider the group sets together goes to 1000.
void MaxAllTraits(Document& document, Sim& sim, TraitGroup group);

// "Random": each slider the group sets together takes its own uniform draw
// below 999 from `generator`.
void RandomTraits(Document& document, Sim& sim, TraitGroup group, std::mt19937& generator);

}  // namespace corvane
