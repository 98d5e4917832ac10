#include "sim/HouseJobEdits.h"

#include "sim/Traits.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr int kTopJobLevel = 9;
constexpr int kBestPerformance = 100;
constexpr int kHighestHouse = 65535;

std::int32_t& fameField(Sim& sim, FameSlider slider) {
    switch (slider) {
        case FameSlider::Power: return sim.FameStarPower;
        case FameSlider::Watermark: return sim.FameStarHighWatermark;
        case FameSlider::Score: break;
    }
    return sim.FameScore;
}

Fame afterMove(const Fame& fame, FameSlider moved) {
    switch (moved) {
        case FameSlider::Power: return AfterPowerMoved(fame);
        case FameSlider::Watermark: return AfterWatermarkMoved(fame);
        case FameSlider::Score: break;
    }
    return AfterScoreMoved(fame);
}

// Each slider the coupling moves pulls the others in its turn, as the page's
// sliders do through their own handlers.
Fame coupled(Fame fame, FameSlider moved) {
    std::vector<FameSlider> pending{moved};
    for (int round = 0; !pending.empty() && round < 8; ++round) {
        const Fame next = afterMove(fame, pending.front());
        pending.erase(pending.begin());
        if (next.power != fame.power) pending.push_back(FameSlider::Power);
        if (next.watermark != fame.watermark) pending.push_back(FameSlider::Watermark);
        if (next.score != fame.score) pending.push_back(FameSlider::Score);
        fame = next;
    }
    return fame;
}

bool isChild(const Sim& sim) {
    return sim.Age < 10;
}

// The job panel is not shown for dogs and cats.
void requireJob(const Sim& sim, std::string_view what) {
    if (IsPet(sim)) throw EditError(std::string(what) + ": " + sim.FileName + " is a pet and has no job");
}

}  // namespace

void SetCareer(Document& document, Sim& sim, int career) {
    requireJob(sim, "Career");
    if (!isChild(sim) && (career == 11 || career < 0 || career > 21)) {
        throw EditError("Career " + std::to_string(career) + " is not a career the game offers");
    }
    document.edit("career", [&](EditScope& scope) {
        scope.touch(sim);
        if (isChild(sim)) {
            sim.Career = kSchoolCareer;
            return;
        }
        sim.Career = career;
        if (career == 0) sim.JobLevel = 0;
    });
    document.sealStep();
}

void SetJobLevel(Document& document, Sim& sim, int level) {
    requireJob(sim, "JobLevel");
    RequireEditRange("JobLevel", level, 0, kTopJobLevel);
    if (sim.Career == 0 && !isChild(sim) && level != 0) {
        throw EditError("JobLevel " + std::to_string(level) + ": " + sim.FileName +
                        " has no career, whose only job is level 0");
    }
    document.edit("job level", [&](EditScope& scope) { scope.touch(sim).JobLevel = level; });
    document.sealStep();
}

void SetJobPerformance(Document& document, Sim& sim, int performance) {
    requireJob(sim, "JobPerformance");
    RequireEditRange("JobPerformance", performance, 0, kBestPerformance);
    document.edit("performance", [&](EditScope& scope) { scope.touch(sim).JobPerformance = performance; });
}

void MaximizeJob(Document& document, Sim& sim) {
    requireJob(sim, "Maximize Job");
    const bool onlyFirst = sim.AgeGroup == "child" || (sim.Career == 0 && !isChild(sim));
    document.edit("maximize job", [&](EditScope& scope) {
        scope.touch(sim);
        sim.JobLevel = onlyFirst ? 0 : kTopJobLevel;
        sim.JobPerformance = kBestPerformance;
    });
    document.sealStep();
}

void SetFame(Document& document, Sim& sim, FameSlider moved, int value) {
    RequireEditRange(moved == FameSlider::Score ? "FameScore" : moved == FameSlider::Power ? "FameStarPower"
                                                                                          : "FameStarHighWatermark",
                     value, 0, moved == FameSlider::Score ? 1000 : 10);
    document.edit("fame", [&](EditScope& scope) {
        scope.touch(sim);
        fameField(sim, moved) = value;
        const Fame fame = coupled({sim.FameScore, sim.FameStarPower, sim.FameStarHighWatermark}, moved);
        sim.FameScore = fame.score;
        sim.FameStarPower = fame.power;
        sim.FameStarHighWatermark = fame.watermark;
    });
}

void SetFamilyCash(Document& document, Sim& sim, std::int32_t cash) {
    RequireEditRange("FamilyCash", cash, 0, kMostCash);
    if (sim.HouseNumber == 0) {
        throw EditError("FamilyCash belongs to a family with a house, and " + sim.FileName + "'s family has none");
    }
    document.edit("cash", [&](EditScope& scope) {
        scope.touch(sim).FamilyCash = cash;
        for (Sim* member : document.sims()) {
            if (member != &sim && member->HouseNumber == sim.HouseNumber) scope.touch(*member, false).FamilyCash = cash;
        }
    });
}

void MoveToHousehold(Document& document, Sim& sim, const std::string& lastName, std::int32_t houseNumber) {
    document.edit("household", [&](EditScope& scope) {
        scope.touch(sim);
        const Document::Household* loaded = document.loadedHousehold(sim);
        sim.LastName = lastName;
        sim.HouseNumber = houseNumber;
        sim.FamilyChanged = loaded == nullptr || loaded->lastName != lastName || loaded->houseNumber != houseNumber;
    });
    document.sealStep();
}

void SetGhost(Document& document, Sim& sim, bool ghost) {
    if ((sim.Ghost != 0) == ghost) return;
    document.edit("ghost", [&](EditScope& scope) {
        scope.touch(sim);
        sim.Ghost = ghost ? 1 : 0;
        sim.HauntAddress = ghost ? sim.HouseNumber : 0;
    });
    document.sealStep();
}

void SetHauntAddress(Document& document, Sim& sim, std::int32_t houseNumber) {
    RequireEditRange("HauntAddress", houseNumber, 0, kHighestHouse);
    if (sim.Ghost == 0) {
        throw EditError("only a ghost haunts a house, and " + sim.FileName + " is no ghost");
    }
    document.edit("haunt", [&](EditScope& scope) { scope.touch(sim).HauntAddress = houseNumber; });
    document.sealStep();
}

}  // namespace corvane
