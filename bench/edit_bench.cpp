// The document's edits on a large neighbourhood: what a slider tick, a Set
// All for the whole neighbourhood, and its undo and redo cost. Every edit
// copies the records it touches for the undo history.
#include "sim/Document.h"
#include "sim/RelationshipEdits.h"
#include "sim/TraitEdits.h"

#include <benchmark/benchmark.h>

namespace {

// `count` characters in households of four, each knowing ten others.
void openBig(corvane::Document& document, int count) {
    std::vector<std::unique_ptr<corvane::Sim>> sims;
    for (int i = 0; i < count; ++i) {
        auto sim = std::make_unique<corvane::Sim>();
        sim->FileName = "User" + std::to_string(10000 + i);
        sim->NeighborID = i + 1;
        sim->LastName = "Family" + std::to_string(i / 4);
        sim->HouseNumber = i / 4 + 1;
        for (int k = 1; k <= 10; ++k) {
            sim->Relationships.push_back({(i + k) % count + 1, "First", "Last", 10, 20, 0, 0, 4, 0});
        }
        sims.push_back(std::move(sim));
    }
    document.open(std::move(sims), std::vector<std::optional<corvane::Bitmap>>(static_cast<std::size_t>(count)), nullptr);
    document.select(0);
}

// One drag of a slider across its range: 100 ticks that make one step.
void SliderDragOfOneHundredTicks(benchmark::State& state) {
    corvane::Document document(7);
    openBig(document, static_cast<int>(state.range(0)));
    const corvane::Trait& neat = *corvane::FindTrait("trkNeat");
    int round = 0;
    for (auto _ : state) {
        for (int tick = 1; tick <= 100; ++tick) corvane::SetTrait(document, *document.current(), neat, (tick * 10 + round) % 1001);
        document.sealStep();
        ++round;
    }
}
BENCHMARK(SliderDragOfOneHundredTicks)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

void SetAllForTheNeighbourhoodWithUndoAndRedo(benchmark::State& state) {
    corvane::Document document(7);
    openBig(document, static_cast<int>(state.range(0)));
    int value = 0;
    for (auto _ : state) {
        value = value == 50 ? -50 : 50;
        corvane::SetAllRelationships(document, *document.current(), true, corvane::RelationshipValue::Daily, value);
        document.undo();
        document.redo();
    }
}
BENCHMARK(SetAllForTheNeighbourhoodWithUndoAndRedo)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
