#include "iff/CharacterLoader.h"

#include "iff/StringTable.h"
#include "platform/BmpCodec.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FormatError.h"
#include "skins/TextLines.h"

#include <array>
#include <cstring>
#include <map>

namespace corvane {

namespace {

constexpr std::size_t kGuidOffset = 104;  // OBJD chunk offset + 76 + 28
constexpr std::size_t kBodyWordOffset = 81;
constexpr std::size_t kBodyEntriesStart = 79;
constexpr std::size_t kBodyStringsHeadSize = 80;
constexpr int kOlderPersonData = 80;
constexpr int kNewerPersonData = 256;

std::string textAt(std::span<const std::uint8_t> bytes, std::size_t from, std::size_t count) {
    if (from >= bytes.size()) return {};
    count = std::min(count, bytes.size() - from);
    return std::string(reinterpret_cast<const char*>(bytes.data() + from), count);
}

// The zero-terminated text at `from` (to the end when no zero follows).
std::string cTextAt(std::span<const std::uint8_t> bytes, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i < bytes.size() && bytes[i] != 0; ++i) text += static_cast<char>(bytes[i]);
    return text;
}

// The text at `from` up to the first pair of zero bytes.
std::string textBeforeZeroPair(std::span<const std::uint8_t> bytes, std::size_t from, std::size_t* next = nullptr) {
    std::size_t i = from;
    while (i + 1 < bytes.size() && !(bytes[i] == 0 && bytes[i + 1] == 0)) ++i;
    if (next != nullptr) *next = i + 2;
    return textAt(bytes, from, i - from);
}

// ---- names

struct LanguageTexts {
    std::string name;
    std::string bio;
    int count = 0;
    void add(const std::string& text) {
        if (count++ == 0) name = text;
        else bio += text;
    }
};

// ---- body strings

struct BodyStrings {
    std::string ageGroup;
    std::string head;  // first 80 bytes of the chunk
    int count = 0;
    std::map<int, std::string> entries;
};

bool isBodyWord(const std::string& word5, std::string& ageGroup) {
    const std::string lower = ToLowerAscii(word5);
    if (lower == "adult" || lower == "child") {
        ageGroup = lower;
        return true;
    }
    const std::string trimmed = Trimmed(lower);
    if (trimmed == "dog" || trimmed == "kat") {
        ageGroup = trimmed;
        return true;
    }
    return false;
}

std::optional<BodyStrings> findBodyStrings(std::span<const std::uint8_t> file) {
    if (file.size() < 5) return std::nullopt;
    for (std::size_t hit = file.size() - 4; hit >= 1; --hit) {
        if (std::memcmp(file.data() + hit, "STR#", 4) != 0) continue;
        BodyStrings strings;
        if (!isBodyWord(textAt(file, hit + kBodyWordOffset, 5), strings.ageGroup)) continue;
        if (hit + 80 > file.size()) continue;
        const std::size_t length = static_cast<std::size_t>((file[hit + 6] << 8) | file[hit + 7]);
        const auto chunk = file.subspan(hit, std::min(length, file.size() - hit));
        strings.head = textAt(chunk, 0, kBodyStringsHeadSize);
        strings.count = file[hit + 78] | (file[hit + 79] << 8);
        std::size_t cursor = kBodyEntriesStart;
        for (int index = 0; index < strings.count && cursor < chunk.size(); ++index) {
            std::size_t one = cursor;
            while (one < chunk.size() && chunk[one] != 0x01) ++one;
            if (one >= chunk.size()) break;
            strings.entries[index] = textBeforeZeroPair(chunk, one + 1, &cursor);
        }
        return strings;
    }
    return std::nullopt;
}

void takeSkin(const BodyStrings& strings, int index, std::string& mesh, std::string& texture) {
    auto entry = strings.entries.find(index);
    if (entry != strings.entries.end()) {
        std::tie(mesh, texture) = SplitSkinEntry(entry->second);
    }
}

void applyBodyStrings(const BodyStrings& strings, int level, Sim& sim) {
    const bool adult = strings.ageGroup == "adult";
    const bool child = strings.ageGroup == "child";
    const int n = strings.count;
    auto entry = [&](int index) {
        auto found = strings.entries.find(index);
        return found == strings.entries.end() ? std::string() : found->second;
    };
    takeSkin(strings, 1, sim.BodyMesh, sim.BodyTexture);
    sim.BodySize = ToLowerAscii(sim.BodyTexture.size() > 6 ? sim.BodyTexture.substr(6, 3) : std::string());
    takeSkin(strings, 2, sim.HeadMesh, sim.HeadTexture);
    for (int i = 0; i < 9; ++i) sim.BodyString3to11[static_cast<std::size_t>(i)] = entry(3 + i);
    sim.GenderWord = entry(12);
    sim.SkinTone = entry(14);
    takeSkin(strings, 15, sim.NudeMesh, sim.NudeTexture);
    const bool olderLayout = level <= 2 && (n <= 30 || child);
    const bool newerLayout = (n > 30 && adult) || level > 2;
    if (olderLayout) {
        takeSkin(strings, 16, sim.SwimMesh, sim.SwimTexture);
        takeSkin(strings, 27, sim.FormalMesh, sim.FormalTexture);
    }
    std::array<std::pair<std::string*, std::string*>, 6> hands{{
        {&sim.OpenLHandMesh, &sim.OpenLHandTexture}, {&sim.OpenRHandMesh, &sim.OpenRHandTexture},
        {&sim.PointingLHandMesh, &sim.PointingLHandTexture}, {&sim.PointingRHandMesh, &sim.PointingRHandTexture},
        {&sim.CloseLHandMesh, &sim.CloseLHandTexture}, {&sim.CloseRHandMesh, &sim.CloseRHandTexture},
    }};
    for (std::size_t i = 0; i < hands.size(); ++i) {
        takeSkin(strings, 17 + static_cast<int>(i), *hands[i].first, *hands[i].second);
    }
    for (int i = 0; i < 4; ++i) sim.BodyString23to26[static_cast<std::size_t>(i)] = entry(23 + i);
    takeSkin(strings, 28, sim.FormalLHandMesh, sim.FormalLHandTexture);
    takeSkin(strings, 29, sim.FormalRHandMesh, sim.FormalRHandTexture);
    if (newerLayout) {
        takeSkin(strings, 30, sim.FormalMesh, sim.FormalTexture);
        takeSkin(strings, 31, sim.SwimMesh, sim.SwimTexture);
    }
    if (n > 30 && ((adult && level > 2) || level > 3)) {
        takeSkin(strings, 32, sim.PajamaMesh, sim.PajamaTexture);
    }
    if (n >= 34 && level >= 4) takeSkin(strings, 33, sim.WinterMesh, sim.WinterTexture);
    if (n >= 35 && level >= 6) takeSkin(strings, 34, sim.FashionMesh, sim.FashionTexture);
}

bool tookPajamas(const BodyStrings& strings, int level) {
    const bool adult = strings.ageGroup == "adult";
    return strings.count > 30 && ((adult && level > 2) || level > 3);
}

// The pajamas a character without sleepwear entries wears, as the naming
// scheme forms them (the gender letter, where the game's files would give
// the gender word and so a name no skin has).
void defaultPajamas(const CharacterLoadContext& context, Sim& sim) {
    const std::string gender = sim.Gender == 0 ? "m" : "f";
    if (sim.PajamaMesh.empty()) {
        sim.PajamaMesh = (sim.AgeGroup == "adult" ? "pajama" : "pjs") + gender + sim.BodySize + "_01";
    }
    const std::string matching =
        "Pajama" + gender + sim.SkinTone + "_" + (sim.BodyTexture.size() > 13 ? sim.BodyTexture.substr(13) : "");
    if (context.textureInstalled && context.textureInstalled(matching)) {
        sim.PajamaTexture = matching;
    }
    if (sim.PajamaTexture.empty()) {
        sim.PajamaTexture = "Pajama" + gender + sim.SkinTone + "_01";
    }
}

// ---- family

std::string familyName(const NeighborhoodImage& image, std::size_t familyRecord) {
    if (const Section* fami = image.chunkAt(familyRecord)) {
        for (const Section& section : image.chunks().sections) {
            if (section.ChunkType == "FAMs" && section.ChunkID == fami->ChunkID) {
                try {
                    auto entries = ReadStringTable(ChunkData(image.bytes(), section), "neighborhood.iff");
                    if (!entries.empty()) return entries.front().value;
                } catch (const FormatError&) {
                    break;  // fall back to the byte search
                }
            }
        }
    }
    const auto bytes = image.bytes();
    static constexpr std::uint8_t kOneString[] = {0xFD, 0xFF, 0x01, 0x00};
    for (std::size_t p = familyRecord + 4; p + 4 <= bytes.size(); ++p) {
        if (std::memcmp(bytes.data() + p, kOneString, 4) == 0) {
            return textBeforeZeroPair(bytes, p + 5);
        }
    }
    return {};
}

void readFamily(const NeighborhoodImage& image, Sim& sim) {
    auto record = image.familyRecordOf(sim.GUID);
    if (!record) return;
    sim.FamilyChunkPos = static_cast<std::int32_t>(*record);
    sim.HouseNumber = image.i32(*record + 4).value_or(0);
    sim.FamilyCash = image.i32(*record + 12).value_or(0);
    sim.FamilyAssets = image.i32(*record + 16).value_or(0);
    sim.LastName = familyName(image, *record);
}

// ---- person data

struct PersonField {
    int offset;  // from the start of the file name in the neighbour record
    std::int32_t Sim::*field;
};

constexpr PersonField kPersonData[] = {
    {22, &Sim::Nice},       {24, &Sim::Active},     {28, &Sim::Playful},     {30, &Sim::Outgoing},
    {32, &Sim::Neat},       {36, &Sim::Cleaning},   {38, &Sim::Cooking},     {40, &Sim::Charisma},
    {42, &Sim::Mechanical}, {44, &Sim::Exercise},   {46, &Sim::Food},        {48, &Sim::Creativity},
    {50, &Sim::Parties},    {52, &Sim::Body},       {54, &Sim::Logic},       {58, &Sim::Style},
    {70, &Sim::Hollywood},  {110, &Sim::Travel},    {112, &Sim::Money},      {114, &Sim::Politics},
    {116, &Sim::Sixties},   {118, &Sim::Weather},   {120, &Sim::Sports},     {122, &Sim::Music},
    {124, &Sim::Outdoors},  {126, &Sim::Technology}, {128, &Sim::Romance},   {130, &Sim::Career},
    {132, &Sim::JobLevel},  {134, &Sim::Age},       {138, &Sim::SkinColor},  {140, &Sim::FamilyNumber},
    {144, &Sim::JobPerformance}, {148, &Sim::Gender}, {152, &Sim::HauntAddress}, {154, &Sim::Ghost},
};

// The array's length from the record's own version word (4: 80 values, 10: 256);
// the game folders decide when the word cannot be read.
int personDataValues(const NeighborhoodImage& image, std::size_t p, bool hasFameFolders) {
    if (p >= 4 && image.i32(p - 4) == 4) return kOlderPersonData;
    if (p >= 8 && image.i32(p - 8) == 10 && image.i32(p - 4) == 9) return kNewerPersonData;
    return hasFameFolders ? kNewerPersonData : kOlderPersonData;
}

std::int32_t personValue(const NeighborhoodImage& image, std::size_t position) {
    auto value = image.u16(position);
    if (!value) throw FormatError("neighborhood.iff", position, "the neighbour record runs past the end");
    return *value;
}

void readPersonData(const NeighborhoodImage& image, std::size_t p, bool hasFameFolders, Sim& sim) {
    sim.PersonDataValues = personDataValues(image, p, hasFameFolders);
    for (const PersonField& field : kPersonData) {
        sim.*field.field = personValue(image, p + static_cast<std::size_t>(field.offset));
    }
    sim.SkinAge = sim.Age;
    const std::size_t afterArray = p + 18 + 2 * static_cast<std::size_t>(sim.PersonDataValues);
    sim.NeighborID = personValue(image, afterArray);
    if (sim.PersonDataValues == kNewerPersonData) {
        sim.FameScore = personValue(image, p + 178);
        sim.FameStarPower = personValue(image, p + 180);
        sim.FameStarHighWatermark = personValue(image, p + 182);
    }
}

void repair(Sim& sim) {
    const bool adultSize = sim.BodySize == "fit" || sim.BodySize == "fat" || sim.BodySize == "skn";
    if (sim.Age == 27 && sim.AgeGroup == "adult" && !adultSize) {
        sim.BodySize = "fit";
        sim.Modified = true;
    } else if (sim.AgeGroup == "child" && sim.BodySize != "chd") {
        sim.BodySize = "chd";
        sim.Modified = true;
    }
}

std::optional<Bitmap> lastThumbnail(std::span<const std::uint8_t> file, const ChunkList& chunks) {
    std::optional<Bitmap> thumbnail;
    for (const Section& section : chunks.sections) {
        if (section.ChunkType != "BMP_" || Trimmed(section.ChunkLabel) != "thumbnail") continue;
        try {
            thumbnail = LoadBmpWithSizeFix(ChunkData(file, section), "thumbnail");
        } catch (const FormatError&) {
            // A thumbnail that does not decode is passed over.
        }
    }
    return thumbnail;
}

}  // namespace

CharacterNames ReadCharacterNames(std::span<const std::uint8_t> data, int languageNumber) {
    LanguageTexts own;
    LanguageTexts english;
    if (data.size() >= 4 && data[0] == 0xFE && data[1] == 0xFF) {
        try {
            for (const auto& entry : ReadStringTable(data, "CTSS")) english.add(entry.value);
        } catch (const FormatError&) {
            // The texts read before the fault stay.
        }
    } else if (data.size() >= 4 && data[0] == 0xFD && data[1] == 0xFF) {
        for (std::size_t i = 3; i + 1 < data.size(); ++i) {
            const int language = data[i + 1];
            if (data[i] != 0 || (language != 1 && language != languageNumber)) continue;
            const std::string text = cTextAt(data, i + 2);
            (language == languageNumber ? own : english).add(text);
        }
    }
    if (languageNumber == 1) english = own;
    return {own.count > 0 ? own.name : english.name, own.count > 1 ? own.bio : english.bio};
}

std::pair<std::string, std::string> SplitSkinEntry(const std::string& value) {
    const auto comma = value.find(',');
    const std::string mesh = comma == std::string::npos ? value : value.substr(0, comma);
    const std::string rest = comma == std::string::npos ? value : value.substr(comma + 1);
    const auto equals = rest.find('=');
    return {mesh, equals == std::string::npos ? rest : rest.substr(equals + 1)};
}

LoadedCharacter ReadCharacter(std::span<const std::uint8_t> file, const std::string& fileName,
                              const CharacterLoadContext& context) {
    LoadedCharacter loaded;
    Sim& sim = loaded.sim;
    sim.FileName = fileName;
    const ChunkList chunks = ReadChunkList(file);
    loaded.damaged = chunks.damaged;

    if (const Section* objd = FindChunk(chunks, "OBJD")) {
        sim.GUID = textAt(file, static_cast<std::size_t>(objd->ChunkOffset) + kGuidOffset, 4);
    }
    if (const Section* ctss = FindChunk(chunks, "CTSS")) {
        CharacterNames names = ReadCharacterNames(ChunkData(file, *ctss), context.languageNumber);
        sim.FirstName = names.firstName;
        sim.Bio = names.bio;
    }
    loaded.thumbnail = lastThumbnail(file, chunks);

    const auto bodyStrings = findBodyStrings(file);
    if (bodyStrings) {
        sim.AgeGroup = bodyStrings->ageGroup;
        sim.BodyStringsHead = bodyStrings->head;
        applyBodyStrings(*bodyStrings, context.expansionLevel, sim);
    } else {
        sim.AgeGroup.clear();
    }

    const NeighborhoodImage& image = *context.neighbourhood;
    readFamily(image, sim);
    const auto neighbour = image.neighbourRecordOf(fileName);
    loaded.damaged = loaded.damaged || neighbour.damaged;
    sim.NeighborEntryPos = static_cast<std::int32_t>(neighbour.position);
    if (neighbour.position != 0) {
        readPersonData(image, neighbour.position, context.hasFameFolders, sim);
    }
    if (bodyStrings && !tookPajamas(*bodyStrings, context.expansionLevel)) {
        defaultPajamas(context, sim);
    }
    repair(sim);
    if (loaded.damaged) {
        sim.Modified = true;
    }
    return loaded;
}

}  // namespace corvane
