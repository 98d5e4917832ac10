#include "neighbourhoods/FamilyUpdate.h"

#include "iff/IffContainer.h"
#include "iff/IffRewrite.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TextLines.h"

#include <algorithm>
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

constexpr const char* kFile = "neighborhood.iff";

struct FamilyRecord {
    const Section* section;
    std::uint32_t house;
    std::uint32_t members;
    bool holds;  // lists the character's GUID
};

// A reader over one whole listed chunk.
ByteReader chunkReader(std::span<const std::uint8_t> file, const Section& section) {
    ByteReader reader(file, kFile);
    reader.seek(static_cast<std::size_t>(section.ChunkOffset));
    return reader.sub(static_cast<std::size_t>(section.ChunkSize));
}

// Only a whole 4-byte GUID is ever compared or written: a short one (from an
// OBJD chunk cut short) belongs to no family.
bool sameGuid(std::span<const std::byte> member, const std::string& guid) {
    return guid.size() == 4 && std::equal(member.begin(), member.end(), guid.begin(),
                                          [](std::byte b, char c) { return b == static_cast<std::byte>(c); });
}

std::optional<FamilyRecord> readFamily(std::span<const std::uint8_t> file, const Section& section, const std::string& guid) {
    ByteReader chunk = chunkReader(file, section);
    if (chunk.size() < kFirstMember) return std::nullopt;
    chunk.seek(kHouse);
    FamilyRecord family{&section, chunk.u32le(), 0, false};
    chunk.seek(kMembers);
    family.members = chunk.u32le();
    if (family.members > chunk.remaining() / 4) return std::nullopt;
    for (std::uint32_t m = 0; m < family.members; ++m) {
        family.holds = sameGuid(chunk.bytes(4), guid) || family.holds;
    }
    return family;
}

void appendBytes(std::vector<std::uint8_t>& out, std::span<const std::byte> bytes) {
    for (std::byte b : bytes) out.push_back(std::to_integer<std::uint8_t>(b));
}

// The chunk with the character's GUID taken out, and appended when `join`.
std::vector<std::uint8_t> withMembers(std::span<const std::uint8_t> file, const FamilyRecord& family,
                                      const std::string& guid, bool join) {
    ByteReader old = chunkReader(file, *family.section);
    std::vector<std::uint8_t> chunk;
    appendBytes(chunk, old.bytes(kFirstMember));
    std::uint32_t kept = 0;
    for (std::uint32_t m = 0; m < family.members; ++m) {
        const auto member = old.bytes(4);
        if (!sameGuid(member, guid)) {
            appendBytes(chunk, member);
            ++kept;
        }
    }
    if (join && guid.size() == 4) {
        chunk.insert(chunk.end(), guid.begin(), guid.end());
        ++kept;
    }
    appendBytes(chunk, old.bytes(old.remaining()));
    ByteWriter writer(chunk, kFile, static_cast<std::uint64_t>(family.section->ChunkOffset));
    writer.seek(kMembers);
    writer.u32le(kept);
    SetChunkSize(chunk);
    return chunk;
}

// Why a family-name chunk cannot take a new name; empty when it can.
std::string unrenamable(const Section& fams) {
    if (fams.ChunkSize >= static_cast<std::int32_t>(kFamsNameStart + 2)) return {};
    return std::string(kFile) + ": the FAMs chunk at offset " + std::to_string(fams.ChunkOffset) + " holds " +
           std::to_string(fams.ChunkSize) + " bytes, fewer than the " + std::to_string(kFamsNameStart + 2) +
           " a family name needs";
}

// The header, format, count and language byte kept; the new name; the old last two bytes.
std::vector<std::uint8_t> renamed(std::span<const std::uint8_t> file, const Section& fams, const std::string& name) {
    ByteReader old = chunkReader(file, fams);
    std::vector<std::uint8_t> chunk;
    appendBytes(chunk, old.bytes(kFamsNameStart));
    chunk.insert(chunk.end(), name.begin(), name.end());
    chunk.push_back(0);
    old.seek(old.size() - 2);
    appendBytes(chunk, old.bytes(2));
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
    const ChunkList list = ReadChunkList(file, {}, kFile);
    if (list.damaged) throw FamilyUpdateError(list.damage);
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
    // Without both families the household cannot be changed soundly.
    if (!source) {
        throw FamilyUpdateError(std::string(kFile) + ": no family record lists the GUID of " + sim.FileName +
                                (sim.GUID.size() == 4 ? std::string() : " (it has none: its object chunk was cut short)"));
    }
    if (move && !target) {
        throw FamilyUpdateError(std::string(kFile) + ": no family record of house " + std::to_string(sim.HouseNumber) +
                                " for " + sim.FileName + " to move into");
    }
    if (sim.LastNameChanged) {
        for (const Section& section : list.sections) {
            if (section.ChunkType != "FAMs" || section.ChunkID != source->section->ChunkID) continue;
            const std::string why = unrenamable(section);
            // Written back it would be malformed.
            if (!why.empty()) throw FamilyUpdateError(why);
        }
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

}  // namespace corvane
