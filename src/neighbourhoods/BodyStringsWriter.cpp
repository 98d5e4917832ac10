#include "neighbourhoods/BodyStringsWriter.h"

#include "iff/IffContainer.h"
#include "platform/AsciiText.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::size_t kHeadSize = 80;
constexpr std::size_t kCountByte = 78;
constexpr std::uint8_t kPadding = 0xA3;

constexpr const char* kGenderWords[] = {"male", "female", "dogmale", "dogfemale", "catmale", "catfemale"};

// The name of the record's skin field `member` ("FormalMesh").
std::string_view skinFieldName(const Sim& sim, const std::string& member) {
    for (const SkinField& field : SkinFields()) {
        if (&(sim.*field.field) == &member) return field.name;
    }
    return {};
}

class EntryBuilder {
public:
    EntryBuilder(const Sim& sim, const InstalledSkins& installed, std::vector<ClearedSkin>& cleared)
        : sim_(sim),
          installed_(installed),
          cleared_(cleared),
          human_(sim.AgeGroup == "adult" || sim.AgeGroup == "child") {}

    bool human() const { return human_; }

    // Whether the save writes the skin; a named skin it drops is noted once.
    bool bothInstalled(const std::string& mesh, const std::string& texture) const {
        const bool meshInstalled = installed_.meshInstalled(mesh);
        const bool textureInstalled = installed_.textureInstalled(texture);
        if ((meshInstalled && textureInstalled) || (mesh.empty() && texture.empty())) {
            return meshInstalled && textureInstalled;
        }
        const std::string_view meshField = skinFieldName(sim_, mesh);
        const bool noted = std::any_of(cleared_.begin(), cleared_.end(),
                                       [&](const ClearedSkin& skin) { return skin.meshField == meshField; });
        if (!noted) {
            cleared_.push_back({meshField, skinFieldName(sim_, texture), mesh, texture, meshInstalled, textureInstalled});
        }
        return false;
    }

    // "mesh,KEY=texture" in lower case, or the bare key when the skin is not installed.
    std::string skin(const std::string& mesh, const std::string& texture, const std::string& key) const {
        return bothInstalled(mesh, texture) ? ToLowerAscii(mesh) + "," + key + "=" + ToLowerAscii(texture)
                                            : "," + key + "=";
    }
    // An outfit only people wear: empty for pets.
    std::string humanSkin(const std::string& mesh, const std::string& texture, const std::string& key) const {
        return human_ ? skin(mesh, texture, key) : std::string();
    }
    // The newer outfits: "NONE" for pets.
    std::string newerOutfit(const std::string& mesh, const std::string& texture) const {
        return human_ ? skin(mesh, texture, "BODY") : "NONE";
    }

    std::string genderWord() const {
        if (sim_.Gender >= 0 && sim_.Gender < static_cast<int>(std::size(kGenderWords))) {
            return kGenderWords[sim_.Gender];
        }
        return sim_.GenderWord;
    }

private:
    const Sim& sim_;
    const InstalledSkins& installed_;
    std::vector<ClearedSkin>& cleared_;
    bool human_;
};

}  // namespace

BodyStringEntries BuildBodyStrings(const Sim& s, int level, const InstalledSkins& installed) {
    BodyStringEntries out;
    const EntryBuilder b(s, installed, out.cleared);
    auto& v = out.values;
    v.push_back(s.AgeGroup);
    v.push_back(b.skin(s.BodyMesh, s.BodyTexture, "BODY"));
    if (b.human()) {
        out.headMissing = !b.bothInstalled(s.HeadMesh, s.HeadTexture);
        v.push_back(b.skin(s.HeadMesh, s.HeadTexture, "HEAD-HEAD"));
    } else {
        v.push_back("NONE");
    }
    v.insert(v.end(), s.BodyString3to11.begin(), s.BodyString3to11.end());
    v.push_back(b.genderWord());
    v.push_back(std::to_string(s.SkinAge));
    v.push_back(s.SkinTone);
    v.push_back(b.humanSkin(s.NudeMesh, s.NudeTexture, "BODY"));
    v.push_back(b.humanSkin(s.SwimMesh, s.SwimTexture, "BODY"));
    const std::pair<const std::string&, const std::string&> hands[] = {
        {s.OpenLHandMesh, s.OpenLHandTexture},         {s.OpenRHandMesh, s.OpenRHandTexture},
        {s.PointingLHandMesh, s.PointingLHandTexture}, {s.PointingRHandMesh, s.PointingRHandTexture},
        {s.CloseLHandMesh, s.CloseLHandTexture},       {s.CloseRHandMesh, s.CloseRHandTexture},
    };
    for (const auto& [mesh, texture] : hands) v.push_back(b.humanSkin(mesh, texture, "HAND"));
    v.insert(v.end(), s.BodyString23to26.begin(), s.BodyString23to26.end());
    // The older formal entry keeps the names' letter case.
    const bool formal = b.human() && b.bothInstalled(s.FormalMesh, s.FormalTexture);
    v.push_back(!b.human() ? std::string() : formal ? s.FormalMesh + ",BODY=" + s.FormalTexture : ",BODY=");
    v.push_back(b.humanSkin(s.FormalLHandMesh, s.FormalLHandTexture, "HAND"));
    v.push_back(b.humanSkin(s.FormalRHandMesh, s.FormalRHandTexture, "HAND"));
    if (level >= 3) {
        v.push_back(b.newerOutfit(s.FormalMesh, s.FormalTexture));
        v.push_back(b.newerOutfit(s.SwimMesh, s.SwimTexture));
        v.push_back(b.newerOutfit(s.PajamaMesh, s.PajamaTexture));
    }
    if (level >= 4) v.push_back(b.newerOutfit(s.WinterMesh, s.WinterTexture));
    if (level >= 6) v.push_back(b.newerOutfit(s.FashionMesh, s.FashionTexture));
    return out;
}

std::optional<std::vector<std::uint8_t>> MakeBodyStringsChunk(const std::string& head,
                                                              const std::vector<std::string>& entries) {
    if (head.size() < kHeadSize) return std::nullopt;
    std::vector<std::uint8_t> chunk(head.begin(), head.begin() + kHeadSize);
    chunk[kCountByte] = static_cast<std::uint8_t>(entries.size());
    for (const std::string& value : entries) {
        chunk.push_back(0x01);
        chunk.insert(chunk.end(), value.begin(), value.end());
        chunk.insert(chunk.end(), {0, 0});
    }
    chunk.insert(chunk.end(), entries.size(), kPadding);
    if (chunk.size() % 2 != 0) chunk.push_back(kPadding);
    SetChunkSize(chunk);
    return chunk;
}

}  // namespace corvane
