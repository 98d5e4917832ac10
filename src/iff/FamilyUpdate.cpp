#include "iff/FamilyUpdate.h"
#include "platform/LittleEndian.h"

#include "app/StyledMessageDlg.h"
#include "iff/IffContainer.h"
#include "iff/IffRewrite.h"
#include "neighbourhoods/GameFileWrite.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "skins/TextLines.h"

#include <cstring>
#include <optional>

namespace corvane {

namespace {

// Positions in a FAMI chunk, from the chunk's start.
constexpr std::size_t kHouse = 88;
constexpr std::size_t kMembers = 112;
constexpr std::size_t kFirstMember = 116;
// FAMs: the header, format, count and language byte are kept; the name follows.
constexpr std::size_t kFamsKept = 73;
constexpr std::size_t kFamsNameStart = 8 + kFamsKept;

struct FamilyRecord {
    const Section* section;
    std::uint32_t house;
    std::uint32_t members;
    bool holds;  // lists the character's GUID
};

std::optional<FamilyRecord> readFamily(std::span<const std::uint8_t> file, const Section& section, const std::string& guid) {
    const auto start = static_cast<std::size_t>(section.ChunkOffset);
    const auto end = start + static_cast<std::size_t>(section.ChunkSize);
    if (end > file.size() || end < start + kFirstMember) return std::nullopt;
    FamilyRecord family{&section, U32LeAt(file, start + kHouse).value_or(0), U32LeAt(file, start + kMembers).value_or(0), false};
    if (family.members > (end - start - kFirstMember) / 4) return std::nullopt;
    for (std::uint32_t m = 0; m < family.members; ++m) {
        family.holds = family.holds || std::memcmp(file.data() + start + kFirstMember + 4 * m, guid.data(), 4) == 0;
    }
    return family;
}

// The chunk with the character's GUID taken out, and appended when `join`.
std::vector<std::uint8_t> withMembers(std::span<const std::uint8_t> file, const FamilyRecord& family,
                                      const std::string& guid, bool join) {
    const auto start = static_cast<std::size_t>(family.section->ChunkOffset);
    const auto end = start + static_cast<std::size_t>(family.section->ChunkSize);
    std::vector<std::uint8_t> chunk(file.begin() + static_cast<std::ptrdiff_t>(start),
                                    file.begin() + static_cast<std::ptrdiff_t>(start + kFirstMember));
    std::uint32_t kept = 0;
    for (std::uint32_t m = 0; m < family.members; ++m) {
        const auto at = start + kFirstMember + 4 * m;
        if (std::memcmp(file.data() + at, guid.data(), 4) != 0) {
            chunk.insert(chunk.end(), file.begin() + static_cast<std::ptrdiff_t>(at), file.begin() + static_cast<std::ptrdiff_t>(at + 4));
            ++kept;
        }
    }
    if (join) {
        chunk.insert(chunk.end(), guid.begin(), guid.end());
        ++kept;
    }
    chunk.insert(chunk.end(), file.begin() + static_cast<std::ptrdiff_t>(start + kFirstMember + 4 * family.members),
                 file.begin() + static_cast<std::ptrdiff_t>(end));
    PutLe(chunk, kMembers, kept);
    SetChunkSize(chunk);
    return chunk;
}

std::vector<std::uint8_t> renamed(std::span<const std::uint8_t> file, const Section& fams, const std::string& name) {
    const auto start = static_cast<std::size_t>(fams.ChunkOffset);
    const auto end = start + static_cast<std::size_t>(fams.ChunkSize);
    std::vector<std::uint8_t> chunk(file.begin() + static_cast<std::ptrdiff_t>(start),
                                    file.begin() + static_cast<std::ptrdiff_t>(start + kFamsNameStart));
    chunk.insert(chunk.end(), name.begin(), name.end());
    chunk.push_back(0);
    chunk.insert(chunk.end(), file.begin() + static_cast<std::ptrdiff_t>(end - 2), file.begin() + static_cast<std::ptrdiff_t>(end));
    SetChunkSize(chunk);
    return chunk;
}

void tell(Dialogs& dialogs, const std::string& text) {
    StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> UpdateFamilyBytes(std::span<const std::uint8_t> file, const Sim& sim,
                                                           Dialogs& dialogs, std::string& step) {
    step = "First Pass through ngbd section data";
    const ChunkList list = ReadChunkList(file);
    if (list.damaged) {
        tell(dialogs, LangStr(7010) + " : " + step);
        return std::nullopt;
    }
    bool move = sim.FamilyChanged;
    std::optional<FamilyRecord> source;
    std::optional<FamilyRecord> target;
    for (const Section& section : list.sections) {
        if (section.ChunkType != "FAMI") continue;
        auto family = readFamily(file, section, sim.GUID);
        if (!family) continue;
        if (move && family->house == static_cast<std::uint32_t>(sim.HouseNumber) && !family->holds) {
            if (family->members < kHouseholdLimit) {
                target = family;
            } else {
                tell(dialogs, LangStr(7161) + " " + sim.FileName + " " + LangStr(7162) + " " +
                                  std::to_string(sim.HouseNumber) + ". " + LangStr(7163));
                move = false;
            }
        }
        if (family->holds) source = family;
    }
    if (!move && !sim.LastNameChanged) return std::nullopt;
    if (!source || (move && !target)) {
        // Without both families the household cannot be changed soundly.
        tell(dialogs, LangStr(7010) + " : " + sim.FileName + " (" + step + ")");
        return std::nullopt;
    }

    step = "Second Pass through ngbd section data";
    const std::string name = Trimmed(sim.LastName);
    return RewriteIff(file, list, [&](const Section& section) {
        if (move && section.ChunkType == "FAMI" && section.ChunkID == source->section->ChunkID) {
            return ChunkDecision::replace(withMembers(file, *source, sim.GUID, false));
        }
        if (move && section.ChunkType == "FAMI" && section.ChunkID == target->section->ChunkID) {
            return ChunkDecision::replace(withMembers(file, *target, sim.GUID, true));
        }
        if (sim.LastNameChanged && section.ChunkType == "FAMs" && section.ChunkID == source->section->ChunkID) {
            return ChunkDecision::replace(renamed(file, section, name));
        }
        return ChunkDecision::copy();
    }, false);
}

bool UpdateFamilies(const std::filesystem::path& file, const Sim& sim, Dialogs& dialogs, std::string& step,
                    const std::filesystem::path& gameFolder) {
    step = "Clearing old section data(1)";
    const std::vector<std::uint8_t> bytes = ReadFileBytes(file);
    auto updated = UpdateFamilyBytes(bytes, sim, dialogs, step);
    if (!updated) return false;
    step = "Saving Neighborhood.iff";
    WriteGameFile(file, *updated, gameFolder);
    return true;
}

}  // namespace corvane
