#pragma once

#include "platform/Dialogs.h"
#include "sim/Sim.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <span>
#include <string>
#include <vector>

namespace corvane {

inline constexpr std::uint32_t kHouseholdLimit = 8;

class FamilyUpdateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Moves a character to another household and renames its family in
// neighborhood.iff's bytes: the family record it leaves loses its GUID, the
// one it joins gains it, the family-name chunk takes the new last name, and
// the resource map is rebuilt. A full household (message 7161–7163) keeps the
// character where it is. A family that cannot be found, a family-name chunk
// that cannot be rewritten soundly or a damaged chunk list throws
// FamilyUpdateError naming the file, the place and the cause: then no file of
// that character may be written. Returns the new bytes, or nothing when
// nothing is to be written. `step` names what it is doing.
std::optional<std::vector<std::uint8_t>> UpdateFamilyBytes(std::span<const std::uint8_t> file, const Sim& sim,
                                                           Dialogs& dialogs, std::string& step);


}  // namespace corvane
