#pragma once

#include "platform/Dialogs.h"
#include "sim/Sim.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

inline constexpr std::uint32_t kHouseholdLimit = 8;

// Moves a character to another household and renames its family in
// neighborhood.iff's bytes: the family record it leaves loses its GUID, the
// one it joins gains it, the family-name chunk takes the new last name, and
// the resource map is rebuilt. A full household (message 7161–7163) keeps the
// character where it is; a family that cannot be found, or a damaged chunk
// list, changes nothing and is told. Returns the new bytes, or nothing when
// nothing is to be written. `step` names what it is doing.
std::optional<std::vector<std::uint8_t>> UpdateFamilyBytes(std::span<const std::uint8_t> file, const Sim& sim,
                                                           Dialogs& dialogs, std::string& step);

// The same on the file, written back all-or-nothing. True when it was written.
// `gameFolder` places the copy the first write of a run keeps.
bool UpdateFamilies(const std::filesystem::path& file, const Sim& sim, Dialogs& dialogs, std::string& step,
                    const std::filesystem::path& gameFolder);

}  // namespace corvane
