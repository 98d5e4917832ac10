// Feeds arbitrary bytes to the update of a character's values in
// neighborhood.iff. The character is read from a sound character file beside
// those bytes, so it keeps the positions the loader finds there; the input's
// last bytes may then move each position (a little or anywhere), add a
// relationship at any position, and choose the values to write. The update
// changes bytes in place or throws FormatError / std::runtime_error; never
// crashes or overruns. It keeps the file's size, and says it changed
// something exactly when a byte differs.
#include "FuzzNeighbourhood.h"

#include "neighbourhoods/NeighbourhoodValuesUpdate.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace corvane;

// Where a kept position goes: nowhere, a little way, anywhere, or to 0. The
// loader only ever keeps positions from 0 to the file's size; the file may
// have shrunk since, so any such position can meet the update.
struct Move {
    int how;
    std::int32_t by;
    std::int32_t to;

    explicit Move(FuzzedDataProvider& input)
        : how(input.ConsumeIntegralInRange<int>(0, 3)),
          by(input.ConsumeIntegralInRange<std::int32_t>(-256, 256)),
          to(input.ConsumeIntegralInRange<std::int32_t>(0, INT32_MAX)) {}

    std::int32_t of(std::int32_t found) const {
        switch (how) {
            case 0: return found;
            case 1:
                return static_cast<std::int32_t>(
                    std::clamp<std::int64_t>(std::int64_t{found} + by, 0, INT32_MAX));
            case 2: return to;
            default: return 0;
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int level = input.ConsumeIntegralInRange<int>(0, 7);
    const auto moves = input.ConsumeIntegral<std::uint8_t>();
    const auto value = input.ConsumeIntegral<std::int32_t>();
    const Move entry(input), family(input), record(input);
    const auto valueCount = input.ConsumeIntegralInRange<std::int32_t>(0, 4);
    std::vector<std::uint8_t> file = input.ConsumeRemainingBytes<std::uint8_t>();

    const NeighborhoodImage image(file);
    auto loaded = fuzz::LoadedNeighbour(image, 0, level);
    Sim sim = loaded ? *loaded : Sim{};
    sim.NeighborEntryPos = entry.of(sim.NeighborEntryPos);
    sim.FamilyChunkPos = family.of(sim.FamilyChunkPos);
    if ((moves & 1) != 0) sim.HouseNumber = 10;
    if ((moves & 2) != 0) {
        sim.Relationships.push_back({2, "Bella", "Pleasant", value, value, value, value, valueCount, record.of(0)});
    }
    for (SimRelationShip& r : sim.Relationships) r.Daily = value;
    sim.FamilyChanged = (moves & 16) != 0;
    sim.PersonDataValues = (moves & 32) != 0 ? 256 : 80;
    sim.Neat = value;
    sim.FamilyCash = value;
    sim.Age = (moves & 64) != 0 ? 9 : 27;

    const std::vector<std::uint8_t> before = file;
    std::string step;
    bool changed = false;
    try {
        changed = UpdateNeighborhoodValues(file, sim, level, step);
    } catch (const std::runtime_error&) {
        fuzz::Expect(file.size() == before.size());
        return 0;  // FormatError among them: a rejection
    }
    fuzz::Expect(file.size() == before.size());
    fuzz::Expect(changed == (file != before));
    return 0;
}
