#include "sim/Traits.h"

#include <algorithm>

namespace corvane {

namespace {

using enum TraitGroup;

constexpr MessageId kNone = MessageId();  // no message

Trait shared(std::string_view slider, std::string_view name, std::int32_t Sim::*field, TraitGroup group, int text,
             int pet) {
    return {slider, name, field, group, MessageId{text}, MessageId{text}, MessageId{pet}, nullptr, kNone, pet != 0,
            false};
}

std::vector<Trait> makeTraits() {
    std::vector<Trait> traits{
        shared("trkNice", "Nice", &Sim::Nice, Personality, 6032, 6096),
        shared("trkPlayful", "Playful", &Sim::Playful, Personality, 6037, 6095),
        shared("trkActive", "Active", &Sim::Active, Personality, 6001, 6094),
        shared("trkOutgoing", "Outgoing", &Sim::Outgoing, Personality, 6034, 6093),
        shared("trkNeat", "Neat", &Sim::Neat, Personality, 6030, 6092),
        {"trkCooking", "Cooking", &Sim::Cooking, Skills, MessageId{6009}, MessageId{6009}, MessageId{6097}, nullptr,
         MessageId{6098}, true, false},
        shared("trkMechanical", "Mechanical", &Sim::Mechanical, Skills, 6026, 6099),
        shared("trkCharisma", "Charisma", &Sim::Charisma, Skills, 6006, 6100),
        {"trkBody", "Body", &Sim::Body, Skills, MessageId{6004}, MessageId{6004}, kNone,
         "Furniture/Probably Hunting (", kNone, false, false},
        {"trkLogic", "Logic", &Sim::Logic, Skills, MessageId{6023}, MessageId{6023}, kNone, "Unknown (", kNone, false,
         false},
        {"trkCreativity", "Creativity", &Sim::Creativity, Skills, MessageId{6010}, MessageId{6010}, kNone,
         "Unknown Maybe Hunting (", kNone, false, false},
        {"trkCleaning", "Cleaning", &Sim::Cleaning, Skills, MessageId{6008}, MessageId{6008}, kNone, "Unknown (", kNone,
         false, false},
    };
    struct Interest { const char* slider; const char* name; std::int32_t Sim::*field; int adult; int child; bool adultOnly; };
    for (const Interest& i : {
             Interest{"trkTravel", "Travel", &Sim::Travel, 6045, 6086, false},
             Interest{"trkSixties", "Sixties", &Sim::Sixties, 6041, 6089, false},
             Interest{"trkMoney", "Money", &Sim::Money, 6028, 6087, false},
             Interest{"trkPolitics", "Politics", &Sim::Politics, 6038, 6088, false},
             Interest{"trkMusic", "Music", &Sim::Music, 6029, 6029, false},
             Interest{"trkWeather", "Weather", &Sim::Weather, 6047, 6047, false},
             Interest{"trkOutdoors", "Outdoors", &Sim::Outdoors, 6033, 6033, false},
             Interest{"trkSports", "Sports", &Sim::Sports, 6042, 6042, false},
             Interest{"trkExercise", "Exercise", &Sim::Exercise, 6014, 0, true},
             Interest{"trkFood", "Food", &Sim::Food, 6016, 0, true},
             Interest{"trkHollywood", "Hollywood", &Sim::Hollywood, 6019, 0, true},
             Interest{"trkParties", "Parties", &Sim::Parties, 6035, 0, true},
             Interest{"trkTechnology", "Technology", &Sim::Technology, 6044, 0, true},
             Interest{"trkStyle", "Style", &Sim::Style, 6043, 0, true},
             Interest{"trkRomance", "Romance", &Sim::Romance, 6039, 0, true},
         }) {
        traits.push_back({i.slider, i.name, i.field, Interests, MessageId{i.adult}, MessageId{i.child}, kNone, nullptr,
                          kNone, false, i.adultOnly});
    }
    return traits;
}

}  // namespace

const std::vector<Trait>& Traits() {
    static const std::vector<Trait> traits = makeTraits();
    return traits;
}

const Trait* FindTrait(std::string_view slider) {
    const auto& traits = Traits();
    auto found = std::find_if(traits.begin(), traits.end(), [&](const Trait& t) { return t.slider == slider; });
    return found == traits.end() ? nullptr : &*found;
}

bool IsPet(const Sim& sim) {
    return sim.AgeGroup == "dog" || sim.AgeGroup == "kat";
}

std::string TraitLabel(const Trait& trait, const Sim& sim, int value, bool childLabels) {
    const std::string number = std::to_string(value) + ")";
    if (trait.group != Interests && IsPet(sim)) {
        if (trait.petFixed != nullptr) {
            return trait.petFixed + number;
        }
        const MessageId pet = (sim.AgeGroup == "kat" && trait.catText.value != 0) ? trait.catText : trait.petText;
        return LangStr(pet) + "(" + number;
    }
    const MessageId text = (trait.group == Interests && childLabels) ? trait.childText : trait.adultText;
    return LangStr(text) + "(" + number;
}

std::vector<const Trait*> SlidersSetTogether(TraitGroup group, const Sim& sim) {
    std::vector<const Trait*> sliders;
    for (const Trait& trait : Traits()) {
        if (trait.group == group && (!trait.adultOnly || sim.Age >= 10)) {
            sliders.push_back(&trait);
        }
    }
    return sliders;
}

int RandomTraitValue(std::mt19937& generator) {
    return std::uniform_int_distribution<int>(0, 998)(generator);
}

}  // namespace corvane
