#include "app/ui/PageTable.h"

#include "app/ui/EditorPage.h"
#include "sim/ui/THouseJobPage.h"
#include "sim/ui/TRelationshipsPage.h"
#include "sim/ui/TTraitPage.h"

#include <algorithm>

namespace corvane {

namespace {

using Kind = PageKind;
using enum PreviewSize;
using enum PreviewContent;

// Pages whose controls are still to come hold only their group boxes.
constexpr PageFactory kGroupsOnly = MakePage<EditorPage>;

PageInfo skinPage(PageKind kind, std::string_view button, std::string_view group, Outfit outfit) {
    return {kind, button, {{group, kRightShort}}, Large, true, true, SetByPage, outfit, kGroupsOnly};
}

std::vector<PageInfo> makePages() {
    return {
        {Kind::Neighbourhood, "btnNeighborhood", {{"grpNeighborhood", kFullPage}}, Small, false, false, SmallLogo,
         Outfit::Everyday, kGroupsOnly},
        {Kind::Relationships, "btnRelationships", {{"grpRelationships", kFullPage}}, Small, true, false, Normal,
         Outfit::Everyday, MakePage<TRelationshipsPage>},
        {Kind::HouseJob, "btnHouseJob", {{"grpHouse", kUpperHalf}, {"grpJob", kLowerHalf}}, Small, true, false, Normal,
         Outfit::Everyday, MakePage<THouseJobPage>},
        {Kind::SkillsPersonality, "btnSkillsPersonality", {{"grpSkills", kUpperHalf}, {"grpPersonality", kLowerHalf}}, Small,
         true, false, Normal, Outfit::Everyday, MakePage<TTraitPage>},
        {Kind::Interests, "btnInterests", {{"grpInterests", kFullPage}}, Small, true, false, Normal, Outfit::Everyday,
         MakePage<TTraitPage>},
        {Kind::Makeover, "btnMakeover", {{"grpMakeover", kRightTall}}, Large, true, false, Normal, Outfit::Everyday,
         kGroupsOnly},
        skinPage(Kind::Head, "btnHead", "grpHead", Outfit::Everyday),
        skinPage(Kind::Normal, "btnNormal", "grpNormal", Outfit::Everyday),
        skinPage(Kind::Formal, "btnFormal", "grpFormal", Outfit::Formal),
        skinPage(Kind::Fashion, "btnFashion", "grpFashion", Outfit::Fashion),
        skinPage(Kind::Winter, "btnWinter", "grpWinter", Outfit::Winter),
        skinPage(Kind::SwimWear, "btnSwimWear", "grpSwimWear", Outfit::Swim),
        skinPage(Kind::Pajamas, "btnPajamas", "grpPajamas", Outfit::Pajamas),
        skinPage(Kind::Nude, "btnNude", "grpNude", Outfit::Nude),
        {Kind::Hands, "btnHands", {{"grpHands", kRightShort}}, Large, true, false, SetByPage, Outfit::Hands, kGroupsOnly},
        {Kind::Import, "btnImport", {{"grpImport", kRightTall}}, Large, false, false, LargeLogo, Outfit::Everyday, kGroupsOnly},
        {Kind::Export, "btnExport", {{"grpExport", kRightTall}}, Large, false, false, SetByPage, Outfit::Everyday, kGroupsOnly},
        {Kind::CMXBuilder, "btnCMXBuilder", {{"grpCMXBuilder", kRightTall}}, Large, false, false, LargeLogo, Outfit::Everyday,
         kGroupsOnly},
        {Kind::CVPs, "btnCVPs", {{"grpCVPs", kFullPage}}, Small, true, false, ProfileAfterLogo, Outfit::Everyday, kGroupsOnly},
        {Kind::MissingSkinSearch, "btnMissingSkinSearch", {{"grpMissingSkinSearch", kMissingSkinSearchPage}}, Small, false,
         false, SmallLogo, Outfit::Everyday, kGroupsOnly},
        {Kind::SkinValidate, "btnSkinValidate", {{"grpSkinValidate", kFullPage}}, Small, false, false, SmallLogo,
         Outfit::Everyday, kGroupsOnly},
        {Kind::DupsSearch, "btnDupsSearch", {{"grpDupsSearch", kFullPage}}, Small, false, false, SmallLogo, Outfit::Everyday,
         kGroupsOnly},
        {Kind::About, "btnAbout", {{"grpAbout", kFullPage}}, Small, false, false, SmallLogo, Outfit::Everyday, kGroupsOnly},
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
