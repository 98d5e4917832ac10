#pragma once

#include "platform/LanguageModule.h"
#include "sim/Sim.h"

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The 27 graded traits the sliders of the personality, skills and interests
// pages edit, each 0..1000.
enum class TraitGroup { Personality, Skills, Interests };

struct Trait {
    std::string_view slider;  // "trkNeat"
    std::string_view name;    // "Neat": the label is "lbl" + name, the panel "pnl" + name ("pnlTrkBody" for Body)
    std::int32_t Sim::*field;
    TraitGroup group;
    MessageId adultText;
    MessageId childText;    // the same as the adult text where children share it
    MessageId petText;      // 0: a fixed English text, or no pet label
    const char* petFixed;   // the fixed pet text, already ending in "("
    MessageId catText;      // 0: cats share the pet text
    bool shownForPets;
    bool adultOnly;         // interests children do not have
};

const std::vector<Trait>& Traits();
const Trait* FindTrait(std::string_view slider);

// Dogs and cats: the age groups "dog" and "kat".
bool IsPet(const Sim& sim);

// The label of a slider: its text and "(" value ")". Travel, Sixties, Money
// and Politics show their child texts while `childLabels` is set.
std::string TraitLabel(const Trait& trait, const Sim& sim, int value, bool childLabels);

// The sliders "Max All" and "Random" of a group set: every slider of the
// group, the adult-only interests only for a character of Age 10 or more.
std::vector<const Trait*> SlidersSetTogether(TraitGroup group, const Sim& sim);

// A uniform draw below 999.
int RandomTraitValue(std::mt19937& generator);

}  // namespace corvane
