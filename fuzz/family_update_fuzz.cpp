// Feeds arbitrary bytes to the family update as neighborhood.iff, for a
// character of the Goths (house 10) who takes a new last name, moves to
// another house, or both, as the input's last bytes say; they also choose the
// house and may cut the character's GUID short. The update returns new bytes,
// nothing, or throws FormatError / std::runtime_error; never crashes, overruns
// or hangs. New bytes must hold a sound chunk list of the same chunks (less
// filler, and with a fresh resource map).
#include "FuzzNeighbourhood.h"

#include "iff/IffContainer.h"
#include "neighbourhoods/FamilyUpdate.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace corvane;

// The Goths' character as the loader reads it from the sound neighbourhood.
const Sim& soundGoth() {
    static const Sim sim = [] {
        const NeighborhoodImage image(MakeNeighbourhoodFile(fuzz::TwoHouseholds(7)));
        auto loaded = fuzz::LoadedNeighbour(image, 0, 7);
        if (!loaded) fuzz::Broken();
        return *loaded;
    }();
    return sim;
}

// The chunks by type and id, in file order, less the resource map (the
// rewrite builds a fresh one) and the filler (it leaves filler out).
std::vector<std::pair<std::string, int>> chunksOf(const ChunkList& list) {
    std::vector<std::pair<std::string, int>> chunks;
    for (const Section& section : list.sections) {
        if (section.ChunkType != "rsmp" && section.ChunkType != "XXXX") chunks.emplace_back(section.ChunkType, section.ChunkID);
    }
    return chunks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Sim sim = soundGoth();
    const auto how = input.ConsumeIntegral<std::uint8_t>();
    sim.LastNameChanged = (how & 1) != 0;
    sim.FamilyChanged = (how & 2) != 0 || !sim.LastNameChanged;
    const std::int32_t houses[] = {12, 10, 0, input.ConsumeIntegral<std::int32_t>()};
    sim.HouseNumber = houses[(how >> 2) & 3];
    if ((how & 16) != 0) sim.GUID.resize(input.ConsumeIntegralInRange<std::size_t>(0, 3));
    sim.LastName = (how & 32) != 0 ? input.ConsumeRandomLengthString(80) : std::string("Newname");
    const std::vector<std::uint8_t> file = input.ConsumeRemainingBytes<std::uint8_t>();

    SilentDialogs dialogs;
    std::string step;
    std::optional<std::vector<std::uint8_t>> updated;
    try {
        updated = UpdateFamilyBytes(file, sim, dialogs, step);
    } catch (const std::runtime_error&) {
        return 0;  // FormatError among them: a rejection
    }
    if (!updated) return 0;
    const ChunkList after = ReadChunkList(*updated);
    fuzz::Expect(!after.damaged);
    fuzz::Expect(chunksOf(after) == chunksOf(ReadChunkList(file)));
    return 0;
}
