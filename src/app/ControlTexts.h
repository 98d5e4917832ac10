#pragma once

#include "platform/LanguageModule.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// A piece of a control's text: a localised message or a fixed literal.
struct TextPart {
    constexpr explicit TextPart(MessageId message) : id(message.value) {}
    constexpr explicit TextPart(const char* text) : literal(text) {}

    int id = 0;
    const char* literal = nullptr;
};

enum class ControlTextKind { Hint, Caption };

// The localised text start-up puts on a control, found by its object name.
struct ControlText {
    std::string_view control;
    ControlTextKind kind;
    std::vector<TextPart> parts;
};

// Every hint, caption and menu text set at start-up, for all pages.
std::span<const ControlText> StartupControlTexts();

// The parts joined, each message fetched from the current language table.
std::string ComposeText(std::span<const TextPart> parts);

}  // namespace corvane
