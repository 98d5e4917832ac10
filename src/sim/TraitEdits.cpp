#include "sim/TraitEdits.h"

namespace corvane {

namespace {

constexpr int kTraitMaximum = 1000;

}  // namespace

void SetTrait(Document& document, Sim& sim, const Trait& trait, int value) {
    RequireEditRange(trait.name, value, 0, kTraitMaximum);
    document.edit(trait.slider, [&](EditScope& scope) { scope.touch(sim).*(trait.field) = value; });
}

void MaxAllTraits(Document& document, Sim& sim, TraitGroup group) {
    document.edit("max all", [&](EditScope& scope) {
        for (const Trait* trait : SlidersSetTogether(group, sim)) scope.touch(sim).*(trait->field) = kTraitMaximum;
    });
    document.sealStep();
}

void RandomTraits(Document& document, Sim& sim, TraitGroup group, std::mt19937& generator) {
    document.edit("random", [&](EditScope& scope) {
        for (const Trait* trait : SlidersSetTogether(group, sim)) {
            scope.touch(sim).*(trait->field) = RandomTraitValue(generator);
        }
    });
    document.sealStep();
}

}  // namespace corvane
