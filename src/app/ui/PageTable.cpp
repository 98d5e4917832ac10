#include "app/ui/PageTable.h"

#include "app/ui/EditorPage.h"
#include "neighbourhoods/ui/TNeighbourhoodPage.h"
#include "profiles/ui/TCVPsPage.h"
#include "sim/Traits.h"
#include "sim/ui/THouseJobPage.h"
#include "sim/ui/TMakeoverPage.h"
#include "sim/ui/TRelationshipsPage.h"
#include "sim/ui/TTraitPage.h"
#include "skins/ui/THandsPage.h"
#include "skins/ui/TSkinPage.h"
#include "skintools/ui/TCMXBuilderPage.h"
#include "skintools/ui/TDupsSearchPage.h"
#include "skintools/ui/TExportPage.h"
#include "skintools/ui/TImportPage.h"
#include "skintools/ui/TMissingSkinPage.h"
#include "skintools/ui/TSkinValidatePage.h"

#include <algorithm>

namespace corvane {

namespace {

using Kind = PageKind;
using enum PreviewSize;
using enum PreviewContent;

// Pages whose controls are still to come hold only their group boxes.
constexpr PageFactory kGroupsOnly = MakePage<EditorPage>;

bool humans(const Sim& sim, int) {
    return !IsPet(sim);
}
bool humansWithInterests(const Sim& sim, int level) {
    return !IsPet(sim) && level > 2;
}
bool humansWithFourthPack(const Sim& sim, int level) {
    return !IsPet(sim) && level > 3;
}
// Children wear no formal clothes from the fifth expansion pack on.
bool formalWearers(const Sim& sim, int level) {
    return !IsPet(sim) && !(sim.AgeGroup == "child" && level >= 5);
}
bool fashionWearers(const Sim& sim, int level) {
    return !IsPet(sim) && sim.AgeGroup != "child" && level > 5;
}

TextPart text(int id) {
    return TextPart(MessageId{id});
}

PageInfo skinPage(PageKind kind, std::string_view button, std::string_view group, Outfit outfit,
                  PageButtonRules rules) {
    return {kind, button, {{group, kRightShort}}, Large, true, true, SetByPage, outfit, MakePage<TSkinPage>, std::move(rules)};
}

std::vector<PageInfo> makePages() {
    return {
        {Kind::Neighbourhood, "btnNeighborhood", {{"grpNeighborhood", kFullPage}}, Small, false, false, SmallLogo,
         Outfit::Everyday, MakePage<TNeighbourhoodPage>, {.caption = {text(4017)}, .followsCharacter = false}},
        {Kind::Relationships, "btnRelationships", {{"grpRelationships", kFullPage}}, Small, true, false, Normal,
         Outfit::Everyday, MakePage<TRelationshipsPage>, {.caption = {text(4005)}}},
        {Kind::HouseJob, "btnHouseJob", {{"grpHouse", kUpperHalf}, {"grpJob", kLowerHalf}}, Small, true, false, Normal,
         Outfit::Everyday, MakePage<THouseJobPage>, {.caption = {text(4001), TextPart("/"), text(4003)}}},
        {Kind::SkillsPersonality, "btnSkillsPersonality", {{"grpSkills", kUpperHalf}, {"grpPersonality", kLowerHalf}}, Small,
         true, false, Normal, Outfit::Everyday, MakePage<TTraitPage>, {.caption = {text(4006), TextPart("/"), text(4004)}}},
        {Kind::Interests, "btnInterests", {{"grpInterests", kFullPage}}, Small, true, false, Normal, Outfit::Everyday,
         MakePage<TTraitPage>, {.caption = {text(4002)}, .offeredFor = humansWithInterests}},
        {Kind::Makeover, "btnMakeover", {{"grpMakeover", kRightTall}}, Large, true, false, Normal, Outfit::Everyday,
         MakePage<TMakeoverPage>, {.gapBefore = true, .caption = {text(4019)}}},
        skinPage(Kind::Head, "btnHead", "grpHead", Outfit::Everyday, {.caption = {text(6056)}, .offeredFor = humans}),
        skinPage(Kind::Normal, "btnNormal", "grpNormal", Outfit::Everyday, {.caption = {text(4020)}, .petCaption = 5029}),
        skinPage(Kind::Formal, "btnFormal", "grpFormal", Outfit::Formal, {.caption = {text(4021)}, .offeredFor = formalWearers}),
        skinPage(Kind::Fashion, "btnFashion", "grpFashion", Outfit::Fashion, {.caption = {text(4029)}, .offeredFor = fashionWearers}),
        skinPage(Kind::Winter, "btnWinter", "grpWinter", Outfit::Winter, {.caption = {text(5060)}, .offeredFor = humansWithFourthPack}),
        skinPage(Kind::SwimWear, "btnSwimWear", "grpSwimWear", Outfit::Swim, {.caption = {text(4022)}, .offeredFor = humans}),
        skinPage(Kind::Pajamas, "btnPajamas", "grpPajamas", Outfit::Pajamas, {.caption = {text(4023)}, .offeredFor = humans}),
        skinPage(Kind::Nude, "btnNude", "grpNude", Outfit::Nude, {.caption = {text(4024)}, .offeredFor = humansWithFourthPack}),
        {Kind::Hands, "btnHands", {{"grpHands", kRightShort}}, Large, true, false, SetByPage, Outfit::Hands, MakePage<THandsPage>, {.caption = {text(4025)}, .offeredFor = humans}},
        {Kind::Import, "btnImport", {{"grpImport", kRightTall}}, Large, false, false, LargeLogo, Outfit::Everyday, MakePage<TImportPage>, {.gapBefore = true, .caption = {text(5041)}}},
        {Kind::Export, "btnExport", {{"grpExport", kRightTall}}, Large, false, false, SetByPage, Outfit::Everyday, MakePage<TExportPage>, {.caption = {text(5037)}, .followsCharacter = false}},
        {Kind::CMXBuilder, "btnCMXBuilder", {{"grpCMXBuilder", kRightTall}}, Large, false, false, LargeLogo, Outfit::Everyday,
         MakePage<TCMXBuilderPage>, {.caption = {text(5035)}, .followsCharacter = false}},
        {Kind::CVPs, "btnCVPs", {{"grpCVPs", kFullPage}}, Small, true, false, ProfileAfterLogo, Outfit::Everyday, MakePage<TCVPsPage>, {.gapBefore = true, .caption = {text(5031)}}},
        {Kind::MissingSkinSearch, "btnMissingSkinSearch", {{"grpMissingSkinSearch", kMissingSkinSearchPage}}, Small, false,
         false, SmallLogo, Outfit::Everyday, MakePage<TMissingSkinPage>, {.caption = {text(5044)}, .followsCharacter = false}},
        {Kind::SkinValidate, "btnSkinValidate", {{"grpSkinValidate", kFullPage}}, Small, false, false, SmallLogo,
         Outfit::Everyday, MakePage<TSkinValidatePage>, {.caption = {text(5056)}, .followsCharacter = false}},
        {Kind::DupsSearch, "btnDupsSearch", {{"grpDupsSearch", kFullPage}}, Small, false, false, SmallLogo, Outfit::Everyday,
         MakePage<TDupsSearchPage>, {.caption = {text(5036)}, .followsCharacter = false}},
        {Kind::About, "btnAbout", {{"grpAbout", kFullPage}}, Small, false, false, SmallLogo, Outfit::Everyday, kGroupsOnly, {.caption = {text(5001)}, .followsCharacter = false}},
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
