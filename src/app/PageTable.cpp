#include "app/PageTable.h"

#include <algorithm>

namespace corvane {

namespace {

using enum PreviewSize;
using enum PreviewContent;

PageInfo skinPage(std::string_view button, std::string_view group) {
    return {button, {{group, kRightShort}}, Large, true, true, SetByPage};
}

std::vector<PageInfo> makePages() {
    return {
        {"btnNeighborhood", {{"grpNeighborhood", kFullPage}}, Small, false, false, SmallLogo},
        {"btnRelationships", {{"grpRelationships", kFullPage}}, Small, true, false, Normal},
        {"btnHouseJob", {{"grpHouse", kUpperHalf}, {"grpJob", kLowerHalf}}, Small, true, false, Normal},
        {"btnSkillsPersonality", {{"grpSkills", kUpperHalf}, {"grpPersonality", kLowerHalf}}, Small, true, false,
         Normal},
        {"btnInterests", {{"grpInterests", kFullPage}}, Small, true, false, Normal},
        {"btnMakeover", {{"grpMakeover", kRightTall}}, Large, true, false, Normal},
        skinPage("btnHead", "grpHead"),
        skinPage("btnNormal", "grpNormal"),
        skinPage("btnFormal", "grpFormal"),
        skinPage("btnFashion", "grpFashion"),
        skinPage("btnWinter", "grpWinter"),
        skinPage("btnSwimWear", "grpSwimWear"),
        skinPage("btnPajamas", "grpPajamas"),
        skinPage("btnNude", "grpNude"),
        {"btnHands", {{"grpHands", kRightShort}}, Large, true, false, SetByPage},
        {"btnImport", {{"grpImport", kRightTall}}, Large, false, false, LargeLogo},
        {"btnExport", {{"grpExport", kRightTall}}, Large, false, false, SetByPage},
        {"btnCMXBuilder", {{"grpCMXBuilder", kRightTall}}, Large, false, false, LargeLogo},
        {"btnCVPs", {{"grpCVPs", kFullPage}}, Small, true, false, ProfileAfterLogo},
        {"btnMissingSkinSearch", {{"grpMissingSkinSearch", kMissingSkinSearchPage}}, Small, false, false, SmallLogo},
        {"btnSkinValidate", {{"grpSkinValidate", kFullPage}}, Small, false, false, SmallLogo},
        {"btnDupsSearch", {{"grpDupsSearch", kFullPage}}, Small, false, false, SmallLogo},
        {"btnAbout", {{"grpAbout", kFullPage}}, Small, false, false, SmallLogo},
    };
}

}  // namespace

std::span<const PageInfo> MainWindowPages() {
    static const std::vector<PageInfo> pages = makePages();
    return pages;
}

const PageInfo* FindPage(std::string_view button) {
    auto pages = MainWindowPages();
    auto found = std::find_if(pages.begin(), pages.end(), [&](const PageInfo& page) { return page.button == button; });
    return found == pages.end() ? nullptr : &*found;
}

}  // namespace corvane
