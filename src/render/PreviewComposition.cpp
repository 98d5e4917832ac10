#include "render/PreviewComposition.h"

#include "platform/AsciiText.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TextLines.h"
#include "render/ArchivedTexture.h"
#include "skins/ArchiveSkinLookup.h"
#include "skins/SkinText.h"

namespace corvane {

namespace {

SkinSlots defaultSlots(const Sim& s) {
    return {{{s.OpenRHandMesh, s.OpenRHandTexture},
             {s.OpenLHandMesh, s.OpenLHandTexture},
             {s.BodyMesh, s.BodyTexture},
             {s.HeadMesh, s.HeadTexture}}};
}

SkinSlots handsPageSlots(const Sim& s, const HandMarkers& hands) {
    SkinSlots slots = defaultSlots(s);
    if (hands.formal) {
        slots[kRightHandSlot] = {s.FormalRHandMesh, s.FormalRHandTexture};
        slots[kLeftHandSlot] = {s.FormalLHandMesh, s.FormalLHandTexture};
        slots[kBodySlot] = {s.FormalMesh, s.FormalTexture};
    } else if (!hands.open && hands.closed) {
        slots[kRightHandSlot] = {s.CloseRHandMesh, s.CloseRHandTexture};
        slots[kLeftHandSlot] = {s.CloseLHandMesh, s.CloseLHandTexture};
    } else if (!hands.open && hands.pointing) {
        slots[kRightHandSlot] = {s.PointingRHandMesh, s.PointingRHandTexture};
        slots[kLeftHandSlot] = {s.PointingLHandMesh, s.PointingLHandTexture};
    }
    return slots;
}

bool isBoneLine(const std::string& line) {
    const std::string bone = ToUpperAscii(Trimmed(line));
    return bone == "HEAD" || bone == "PELVIS" || bone == "R_HAND" || bone == "L_HAND";
}

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// Whether a mesh line is the part of the body the slot dresses.
bool fitsSlot(const std::string& line, std::size_t slot) {
    switch (slot) {
        case kRightHandSlot: return contains(line, "R_HAND");
        case kLeftHandSlot: return contains(line, "L_HAND");
        case kHeadSlot: return contains(line, "HEAD-HEAD");
        default: break;
    }
    const auto body = line.find("BODY");
    return contains(line, "PELVIS-BODY") || contains(line, "PELVIS-MBODY") || contains(line, "CATBODY") ||
           contains(line, "DOGBODY") || contains(line, "BODYNAKED") ||
           (body != std::string::npos && body + 4 == line.size());
}

// Line 1 of an SKN file names the texture the mesh is drawn with by default.
std::string defaultTexture(const std::vector<std::string>& sknLines) {
    return sknLines.size() > 1 ? Trimmed(sknLines[1]) : std::string();
}

class MeshCollector {
public:
    MeshCollector(const SkinFolders& folders, const SkinCatalogue& catalogue, Dialogs& dialogs)
        : folders_(folders), catalogue_(catalogue), dialogs_(dialogs) {}

    void collect(const DressedSlot& slot, std::size_t index) {
        if (const auto cmx = ReadSkinText(folders_, catalogue_, slot.mesh, ".cmx", SuitFromArchive)) {
            scan(cmx->lines, slot, index, !cmx->file.empty());
        }
    }

    std::vector<PreviewMesh> meshes;

private:
    void scan(const std::vector<std::string>& lines, const DressedSlot& slot, std::size_t index, bool cmxIsFile) {
        const std::string ownName = ToLowerAscii(Trimmed(slot.mesh));
        bool skinFlag = false;
        for (const std::string& line : lines) {
            if (isBoneLine(line)) skinFlag = true;
            const std::string trimmed = Trimmed(line);
            if (contains(line, "//")) continue;
            if (contains(line, "xskill")) break;
            if (contains(line, "version ") || ToLowerAscii(trimmed) == ownName || trimmed.size() < 2) continue;
            if (skinFlag && contains(ToLowerAscii(line), "xskin")) {
                addMesh(line, slot, index, cmxIsFile);
                skinFlag = false;
            }
        }
    }

    void addMesh(const std::string& line, const DressedSlot& slot, std::size_t index, bool cmxIsFile) {
        const std::string name = ToLowerAscii(Trimmed(line));
        const auto mesh = ReadSkinText(folders_, catalogue_, name, ".skn", ReadArchivedSKN);
        if (!mesh) return;
        const std::filesystem::path& skn = mesh->file;
        std::string texture = fitsSlot(line, index) ? slot.texture : std::string();
        const std::string meshPath = skn.empty() ? name + ".far" : skn.string();
        if (texture.find('/') != std::string::npos) {
            // The bitmap being imported, wherever it lies.
            meshes.push_back({meshPath, texture});
            return;
        }
        if (texture.empty()) texture = defaultTexture(mesh->lines);
        const std::string textureName = ToLowerAscii(Trimmed(texture));
        const auto bmp = folders_.FindSkinFile(textureName, ".bmp");
        if (!bmp.empty()) {
            meshes.push_back({meshPath, bmp.string()});
        } else if (ArchiveHasTexture(catalogue_, textureName)) {
            meshes.push_back({meshPath, textureName + ".far"});
        } else {
            const std::string named = !cmxIsFile && !skn.empty() ? skn.string() : line;
            StyledMessageDlg(dialogs_, LangStr(5022), named + " " + LangStr(7154) + " " + texture + ".bmp",
                             MsgKind::None, 0, mrOk, mbOK);
        }
    }

    const SkinFolders& folders_;
    const SkinCatalogue& catalogue_;
    Dialogs& dialogs_;
};

}  // namespace

SkinSlots SlotsForOutfit(const Sim& s, Outfit outfit, const HandMarkers& hands) {
    SkinSlots slots = defaultSlots(s);
    switch (outfit) {
        case Outfit::Hands: return handsPageSlots(s, hands);
        case Outfit::Formal: slots[kBodySlot] = {s.FormalMesh, s.FormalTexture}; break;
        case Outfit::Fashion: slots[kBodySlot] = {s.FashionMesh, s.FashionTexture}; break;
        case Outfit::Winter: slots[kBodySlot] = {s.WinterMesh, s.WinterTexture}; break;
        case Outfit::Swim: slots[kBodySlot] = {s.SwimMesh, s.SwimTexture}; break;
        case Outfit::Pajamas: slots[kBodySlot] = {s.PajamaMesh, s.PajamaTexture}; break;
        case Outfit::Nude: slots[kBodySlot] = {s.NudeMesh, s.NudeTexture}; break;
        case Outfit::Everyday: break;
    }
    return slots;
}

std::vector<PreviewMesh> CollectPreviewMeshes(const SkinSlots& slots, const SkinFolders& folders,
                                              const SkinCatalogue& catalogue, Dialogs& dialogs) {
    MeshCollector collector(folders, catalogue, dialogs);
    for (std::size_t i = 0; i < slots.size(); ++i) collector.collect(slots[i], i);
    return std::move(collector.meshes);
}

std::vector<PreviewMesh> CollectBuilderMeshes(const std::vector<std::filesystem::path>& skns, const SkinFolders& folders,
                                              const SkinCatalogue& catalogue) {
    std::vector<PreviewMesh> meshes;
    for (const std::filesystem::path& skn : skns) {
        std::vector<std::string> lines;
        try {
            lines = ReadTextFileLines(skn);
        } catch (const std::exception&) {
            continue;
        }
        const std::string textureName = ToLowerAscii(defaultTexture(lines));
        // Paths keep their letter case: the folders below the game are case-sensitive here.
        const std::string meshPath = skn.string();
        if (const auto bmp = folders.FindSkinFile(textureName, ".bmp"); !bmp.empty()) {
            meshes.push_back({meshPath, bmp.string()});
        } else if (ArchiveHasTexture(catalogue, textureName)) {
            meshes.push_back({meshPath, textureName + ".far"});
        } else {
            meshes.push_back({meshPath, "x.bmp"});
        }
    }
    return meshes;
}

std::string SkeletonFileFor(const Sim& sim) {
    if (sim.AgeGroup == "dog") return "dog_skeleton.cmx";
    if (sim.AgeGroup == "kat") return "kat_skeleton.cmx";
    if (sim.AgeGroup == "adult") return "adult-skeleton.cmx";
    if (sim.AgeGroup == "child") return "child-skeleton.cmx";
    return {};
}

}  // namespace corvane
