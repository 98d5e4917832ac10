#include "skintools/SkinChoices.h"

#include "platform/LanguageModule.h"

namespace corvane {

namespace {

std::vector<ChoiceItem> messages(std::initializer_list<int> ids) {
    std::vector<ChoiceItem> items;
    for (const int id : ids) items.push_back({id, {}});
    return items;
}

// The code at `index`, or nothing for a position the list does not have.
std::string codeAt(std::initializer_list<const char*> codes, int index) {
    if (index < 0 || index >= static_cast<int>(codes.size())) return {};
    return codes.begin()[index];
}

}  // namespace

void AppendExpansionKinds(std::vector<SkinKindItem>& kinds, const SkinToolSettings& settings, int dogMessage,
                          int catMessage) {
    if (settings.expansionLevel > 2) {
        kinds.push_back({SkinKind::Nude, 6060});
        if (settings.expansionLevel > 4) kinds.push_back({SkinKind::Fashion, 4028});
    }
    if (settings.hasExpansionPack5) {
        kinds.push_back({SkinKind::Dog, dogMessage});
        kinds.push_back({SkinKind::Cat, catMessage});
    }
}

std::string ChoiceItem::text() const {
    return messageId != 0 ? LangStr(messageId) : literal;
}

std::vector<ChoiceItem> GenderItems(int count) {
    return count == 3 ? messages({6025, 6015, 6121}) : messages({6025, 6015});
}

std::vector<ChoiceItem> AgeItems() {
    return messages({6003, 6007});
}

std::vector<ChoiceItem> BodySizeItems(bool teens) {
    std::vector<ChoiceItem> items = messages({6051, 6052, 6053});
    if (teens) items.push_back({0, "Teen"});
    return items;
}

std::vector<ChoiceItem> SkinColorItems() {
    return messages({6021, 6027, 6012});
}

std::vector<ChoiceItem> HandItems() {
    return messages({6068, 6069});
}

std::vector<ChoiceItem> HandTypeItems() {
    return messages({6065, 6067, 6066, 6057});
}

char SkinKindLetter(SkinKind kind) {
    switch (kind) {
        case SkinKind::Head: return 'C';
        case SkinKind::Hands: return 'H';
        case SkinKind::Body: return 'B';
        case SkinKind::Formal: return 'F';
        case SkinKind::Winter: return 'W';
        case SkinKind::Swim: return 'S';
        case SkinKind::Pajamas: return 'L';
        case SkinKind::Nude: return 'N';
        case SkinKind::Fashion: return 'H';
        case SkinKind::Dog: return 'B';
        case SkinKind::Cat: return 'B';
    }
    return 'B';
}

std::string PetKindWord(SkinKind kind) {
    if (kind == SkinKind::Dog) return "dog";
    if (kind == SkinKind::Cat) return "cat";
    return {};
}

bool IsPet(SkinKind kind) {
    return kind == SkinKind::Dog || kind == SkinKind::Cat;
}

std::string GenderCode(int gender) {
    return codeAt({"M", "F", "U"}, gender);
}

std::string AgeCode(int age) {
    return age == 0 ? "A" : "C";
}

std::string BodySizeCode(int bodySize, bool teens) {
    if (bodySize == 3 && !teens) return {};
    return codeAt({"Skn", "Fit", "Fat", "Tnr"}, bodySize);
}

std::string SkinColorCode(int skinColor) {
    return codeAt({"lgt", "med", "drk"}, skinColor);
}

std::string HandCode(int hand) {
    return hand == 0 ? "L" : "R";
}

std::string HandTypeCode(int handType) {
    // Formal hands are open hands of another mesh: the formal hand pages list
    // textures whose fourth letter is "o".
    const std::string code = codeAt({"O", "C", "P"}, handType);
    return code.empty() ? "O" : code;
}

void FitGenderSelection(SkinChoices& choices, int items) {
    if (items == 2 && choices.gender == 2) choices.gender = 0;
}

}  // namespace corvane
