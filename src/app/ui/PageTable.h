#pragma once

#include "app/ControlTexts.h"
#include "app/WindowLayout.h"
#include "render/PreviewComposition.h"

#include <span>
#include <string_view>
#include <vector>

class QWidget;

namespace corvane {

class EditorPage;
struct PageInfo;
struct PageServices;

enum class PreviewSize { Small, Large };

// What the preview shows when the page comes up: a logo picture, the dressed
// character ("Normal"), the profile preview ("CVPs", after the small logo), or
// whatever the page itself sets.
enum class PreviewContent { SmallLogo, LargeLogo, Normal, ProfileAfterLogo, SetByPage };

// Every page of the main window, one per button of the left bar.
enum class PageKind {
    Neighbourhood, Relationships, HouseJob, SkillsPersonality, Interests, Makeover, Head, Normal, Formal, Fashion,
    Winter, SwimWear, Pajamas, Nude, Hands, Import, Export, CMXBuilder, CVPs, MissingSkinSearch, SkinValidate,
    DupsSearch, About,
};

struct PageGroup {
    std::string_view name;  // object name of the group box
    Bounds bounds;
};

// Makes a row's page, a child of `parent`.
using PageFactory = EditorPage* (*)(const PageServices& services, const PageInfo& row, QWidget* parent);

// Whether a page is offered for a character at an expansion level.
using PageOffer = bool (*)(const Sim& sim, int expansionLevel);

// How a page's button behaves: its place in the bar, its caption, and for
// which characters it is offered.
struct PageButtonRules {
    bool gapBefore = false;  // a gap before the buttons that start a group
    std::vector<TextPart> caption;
    // For every character unless it says otherwise (nullptr: offered to all).
    PageOffer offeredFor = nullptr;
    // A page on show whose character changes shows the new one, unless it
    // shows no character.
    bool followsCharacter = true;
    int petCaption = 0;  // the caption's message for a pet; 0: the same
};

struct PageInfo {
    PageKind kind;
    std::string_view button;  // object name of the page button
    std::vector<PageGroup> groups;
    PreviewSize preview;
    bool saveShown;
    bool skinListShown;
    PreviewContent content;
    Outfit outfit;  // what the preview dresses the character in
    PageFactory create;
    PageButtonRules rules;
};

// Every page of the main window, in the order of the button bar's table.
std::span<const PageInfo> MainWindowPages();

// The page of a button, or nullptr.
const PageInfo* FindPage(std::string_view button);

// The picture names of the two logos.
inline constexpr std::string_view kSmallLogo = "IMGCV3DLOGOSM";
inline constexpr std::string_view kLargeLogo = "IMGCV3DLOGOBG";

}  // namespace corvane
