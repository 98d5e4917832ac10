#include "skintools/MissingSkinSearch.h"

#include "platform/LanguageModule.h"

#include <initializer_list>
#include <string>

namespace corvane {

namespace {

constexpr MessageId kSearching{7107};
constexpr MessageId kChecking{7158};
constexpr MessageId kForMissingSkins{7159};

// Adds the mesh and texture fields of each slot ("Body": BodyMesh, BodyTexture).
void add(std::vector<SkinField>& fields, std::initializer_list<std::string_view> slots) {
    for (std::string_view slot : slots) {
        for (std::string_view part : {"Mesh", "Texture"}) {
            const std::string name = std::string(slot) + std::string(part);
            for (const SkinField& field : SkinFields()) {
                if (field.name == name) fields.push_back(field);
            }
        }
    }
}

}  // namespace

std::vector<SkinField> SkinFieldsToCheck(const Sim& sim, const MissingSkinOptions& options) {
    const int level = options.expansionLevel;
    std::vector<SkinField> fields;
    add(fields, {"Body"});
    if (sim.AgeGroup != "adult" && sim.AgeGroup != "child") return fields;
    add(fields, {"Head"});
    if (options.childrenFormals && level < 5) add(fields, {"Formal"});
    if (sim.AgeGroup == "adult" && level == 6) add(fields, {"Fashion"});
    if (level > 3) add(fields, {"Winter"});
    add(fields, {"Swim"});
    if (level > 2) {
        add(fields, {"Pajama"});
        if (level < 5) add(fields, {"Nude"});
    }
    if (level < 3 && options.childrenFormals) {
        add(fields, {"FormalLHand", "FormalRHand"});
    }
    add(fields, {"OpenLHand", "OpenRHand", "CloseLHand",
                 "CloseRHand", "PointingLHand", "PointingRHand"});
    return fields;
}

std::string_view SkinFieldExtension(const SkinField& field) {
    return field.name.ends_with("Mesh") ? ".cmx" : ".bmp";
}

MissingSkinResult SearchMissingSkins(const std::vector<Sim*>& characters, const InstalledSkinIndex& installed,
                                     const MissingSkinOptions& options, const ScanControl& control) {
    MissingSkinResult result;
    control.progress.showStatus(LangStr(kSearching));
    control.progress.setMaximum(static_cast<int>(characters.size()));
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (control.shouldStop()) {
            result.stopped = true;
            break;
        }
        const Sim& sim = *characters[i];
        control.progress.showStatus(LangStr(kChecking) + " " + sim.FileName + " " + LangStr(kForMissingSkins) +
                                    " ....");
        for (const SkinField& field : SkinFieldsToCheck(sim, options)) {
            const std::string& skin = sim.*field.field;
            if (!installed.SkinInstalled(skin, SkinFieldExtension(field))) {
                result.rows.push_back({static_cast<int>(result.rows.size()) + 1,
                                       sim.FirstName + " " + sim.LastName + " : " + sim.FileName, skin,
                                       std::string(field.name)});
            }
        }
        control.progress.setPosition(static_cast<int>(i) + 1);
    }
    return result;
}

}  // namespace corvane
