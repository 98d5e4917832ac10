#pragma once

namespace corvane {

// A rectangle of the main window's client area: left, top, width, height.
struct Bounds {
    int left;
    int top;
    int width;
    int height;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// The fixed areas of the main window.
inline constexpr Bounds kHeaderBounds{2, -6, 788, 48};        // grpNGBD
inline constexpr Bounds kButtonBarBounds{2, 40, 200, 496};    // grpSelect
inline constexpr Bounds kSkinListBounds{590, 232, 200, 276};  // grpSelectSkins
inline constexpr Bounds kSaveExitBounds{590, 500, 200, 36};   // grpButtons

// Where a page's group boxes go.
inline constexpr Bounds kFullPage{200, 40, 391, 496};
inline constexpr Bounds kUpperHalf{200, 40, 391, 248};
inline constexpr Bounds kLowerHalf{200, 288, 391, 248};
inline constexpr Bounds kRightTall{590, 40, 200, 467};
inline constexpr Bounds kRightShort{590, 40, 200, 201};
inline constexpr Bounds kMissingSkinSearchPage{200, 40, 391, 497};

// The two places of the 3D preview panel.
inline constexpr Bounds kSmallPreview{590, 47, 200, 194};
inline constexpr Bounds kLargePreview{200, 47, 391, 384};

}  // namespace corvane
