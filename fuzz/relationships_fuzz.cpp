// Feeds arbitrary bytes to the relationship reader as neighborhood.iff. Both
// characters are read from sound character files beside those bytes, so they
// keep the neighbour records the loader finds there; the input's last bytes
// may move a record anywhere or switch its person-data length. The reader
// attaches relationships or throws FormatError / std::runtime_error; never
// crashes, overruns or hangs. Every relationship it attaches names a
// character of the neighbourhood and lies inside the file.
#include "FuzzNeighbourhood.h"

#include "neighbourhoods/NeighbourhoodLoader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    FuzzedDataProvider input(data, size);
    const auto moves = input.ConsumeIntegral<std::uint8_t>();
    // The loader keeps positions from 0 to the file's size; any of them.
    const auto anywhere = input.ConsumeIntegralInRange<std::int32_t>(0, INT32_MAX);
    const NeighborhoodImage image(input.ConsumeRemainingBytes<std::uint8_t>());

    std::vector<std::unique_ptr<Sim>> characters;
    for (std::size_t i = 0; i < std::size(fuzz::kNeighbours); ++i) {
        auto sim = fuzz::LoadedNeighbour(image, i, 7);
        if (!sim) sim = std::make_unique<Sim>();
        sim->NeighborID = fuzz::kNeighbours[i].id;
        const unsigned bits = moves >> (2 * i);
        if ((bits & 1) != 0) sim->NeighborEntryPos = anywhere;
        if ((bits & 2) != 0) sim->PersonDataValues = sim->PersonDataValues == 256 ? 80 : 256;
        characters.push_back(std::move(sim));
    }
    try {
        AttachRelationships(image, characters);
    } catch (const std::runtime_error&) {
        return 0;  // FormatError among them: a rejection
    }
    for (const auto& sim : characters) {
        for (const SimRelationShip& r : sim->Relationships) {
            fuzz::Expect(r.RecordPos >= 4 && static_cast<std::size_t>(r.RecordPos) + 8 <= image.size());
            fuzz::Expect(r.ValueCount >= 0);
            fuzz::Expect(FindSimByNeighborID(characters, r.TargetID) != nullptr);
        }
    }
    return 0;
}
