#include "app/ColorNames.h"

#include "platform/CaseInsensitivePath.h"

#include <array>
#include <charconv>
#include <string>
#include <utility>

namespace corvane {

namespace {

// The standard colours and the system colours with their usual Windows
// values (a desktop without Windows has no system palette to ask).
constexpr std::array<std::pair<std::string_view, std::uint32_t>, 51> kColorIdentifiers{{
    {"clBlack", 0x000000},        {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080},        {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},         {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},          {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},         {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},        {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},        {"clMedGray", 0xA4A0A0},    {"clLtGray", 0xC0C0C0},
    {"clDkGray", 0x808080},       {"clScrollBar", 0xC8C8C8},  {"clBackground", 0x000000},
    {"clActiveCaption", 0xD1B499}, {"clInactiveCaption", 0xDBCDBF}, {"clMenu", 0xF0F0F0},
    {"clWindow", 0xFFFFFF},       {"clWindowFrame", 0x646464}, {"clMenuText", 0x000000},
    {"clWindowText", 0x000000},   {"clCaptionText", 0x000000}, {"clActiveBorder", 0xB4B4B4},
    {"clInactiveBorder", 0xFCF7F4}, {"clAppWorkSpace", 0xABABAB}, {"clHighlight", 0xD77800},
    {"clHighlightText", 0xFFFFFF}, {"clBtnFace", 0xF0F0F0},    {"clBtnShadow", 0xA0A0A0},
    {"clGrayText", 0x6D6D6D},     {"clBtnText", 0x000000},    {"clInactiveCaptionText", 0x000000},
    {"clBtnHighlight", 0xFFFFFF}, {"cl3DDkShadow", 0x696969}, {"cl3DLight", 0xE3E3E3},
    {"clInfoText", 0x000000},     {"clInfoBk", 0xE1FFFF},     {"clGradientActiveCaption", 0xEAD1B9},
    {"clGradientInactiveCaption", 0xF2E4D7}, {"clHotLight", 0xCC6600}, {"clMenuHighlight", 0xFF9933},
}};

constexpr std::uint32_t kLargestColor = 0xFFFFFF;

std::optional<std::uint32_t> fromHex(std::string_view digits) {
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || value > kLargestColor) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::uint32_t> ColorFromName(std::string_view text) {
    if (text.starts_with('$')) {
        return fromHex(text.substr(1));
    }
    for (const auto& [name, color] : kColorIdentifiers) {
        if (EqualsIgnoreCase(name, text)) {
            return color;
        }
    }
    return std::nullopt;
}

std::uint32_t ColorFromSwitch(std::string_view value, std::uint32_t fallback) {
    std::string name(value);
    if (!name.starts_with('$') && !EqualsIgnoreCase(name.substr(0, 2), "cl")) {
        name = "cl" + name;
    }
    return ColorFromName(name).value_or(fallback);
}

}  // namespace corvane
