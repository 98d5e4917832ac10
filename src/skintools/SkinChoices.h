#pragma once

#include <string>
#include <vector>

namespace corvane {

// The kinds of skin the import, export and CMX builder pages offer. Each page
// lists its own subset in its own order; the lists' positions map to these.
enum class SkinKind { Head, Hands, Body, Formal, Winter, Swim, Pajamas, Nude, Fashion, Dog, Cat };

// One entry of a page's drop-down list: a localised message, or a fixed text
// where the list has no message for it ("Teen").
struct ChoiceItem {
    int messageId = 0;
    std::string literal;

    // What the list shows: the message's text in the current language, or the literal.
    std::string text() const;
};

// A skin kind as a list offers it.
struct SkinKindItem {
    SkinKind kind;
    int messageId;
};

// What the lists depend on besides the user's choices.
struct SkinToolSettings {
    int expansionLevel = 0;
    bool hasExpansionPack5 = false;  // the folder "ExpansionPack5" in the game folder: pets
    bool teens = false;              // "/teens" on the command line: the body size "Teen"
};

// The selections of a page's lists, by position. Gender 0 male, 1 female,
// 2 unisex; age 0 adult, 1 child; body size 0 skinny, 1 fit, 2 fat, 3 teen;
// skin colour 0 light, 1 medium, 2 dark; hand 0 left, 1 right; hand type 0
// open, 1 closed, 2 pointing, 3 formal. The defaults are the lists' own.
struct SkinChoices {
    SkinKind kind = SkinKind::Body;
    int gender = 0;
    int age = 0;
    int bodySize = 1;
    int skinColor = 1;
    int hand = 0;
    int handType = 0;
};

// Which of a page's lists (and its name field) are shown for the chosen kind,
// and how many items the gender list has (the third is "unisex").
struct ShownLists {
    bool gender = true;
    int genderItems = 2;
    bool age = true;
    bool bodySize = true;
    bool skinColor = true;
    bool hands = false;  // the hand and hand-type lists
    bool series = true;
    bool name = true;
};

// Appends the kinds the import and export pages offer only with expansion
// packs: nude above level 2, fashion above level 4, dog and cat (the messages
// given) when the game has "ExpansionPack5".
void AppendExpansionKinds(std::vector<SkinKindItem>& kinds, const SkinToolSettings& settings, int dogMessage,
                          int catMessage);

// The lists every page shares.
std::vector<ChoiceItem> GenderItems(int count);  // male, female and, with 3, unisex
std::vector<ChoiceItem> AgeItems();
std::vector<ChoiceItem> BodySizeItems(bool teens);  // skinny, fit, fat and, with teens, "Teen"
std::vector<ChoiceItem> SkinColorItems();
std::vector<ChoiceItem> HandItems();
std::vector<ChoiceItem> HandTypeItems();  // open, closed, pointing, formal

// The first letter of the names of a kind: C, H, B, F, W, S, L, N; fashion
// is "H" as hands are, dog and cat "B".
char SkinKindLetter(SkinKind kind);
// "dog" or "cat"; empty for the other kinds.
std::string PetKindWord(SkinKind kind);
bool IsPet(SkinKind kind);

// The codes of the names: "M", "F", "U"; "A", "C"; "Skn", "Fit", "Fat", "Tnr"
// ("Tnr" only when the size list has four items, else nothing); "lgt", "med",
// "drk"; "L", "R"; "O", "C", "P" and, for formal hands, "O" as the formal hand
// pages list them.
std::string GenderCode(int gender);
std::string AgeCode(int age);
std::string BodySizeCode(int bodySize, bool teens);
std::string SkinColorCode(int skinColor);
std::string HandCode(int hand);
std::string HandTypeCode(int handType);

// Keeps a gender list's selection inside a list of `items`: the third item
// selected while the list has two selects the first.
void FitGenderSelection(SkinChoices& choices, int items);

}  // namespace corvane
