#include "neighbourhoods/CharacterLoader.h"

#include "iff/StringTable.h"
#include "neighbourhoods/NeighbourRecordLayout.h"
#include "platform/AsciiText.h"
#include "platform/BmpCodec.h"
#include "platform/ByteReader.h"
#include "platform/FormatError.h"
#include "platform/TextLines.h"

#include <array>
#include <map>
#include <string_view>

namespace corvane {

namespace {

constexpr std::size_t kGuidDataOffset = 28;  // in the OBJD chunk's data
constexpr std::size_t kBodyWordOffset = 81;
constexpr std::size_t kBodyCountOffset = 78;
constexpr std::size_t kBodyEntriesStart = 79;
constexpr std::size_t kBodyStringsHeadSize = 80;

// Up to `count` bytes at `from` (fewer at the end, none past it).
std::string textAt(std::span<const std::uint8_t> bytes, std::size_t from, std::size_t count) {
    if (from >= bytes.size()) return {};
    ByteReader reader(bytes, {});
    reader.seek(from);
    return reader.chars(std::min(count, reader.remaining()));
}

// The zero-terminated text at `from` (to the end when no zero follows).
std::string cTextAt(std::span<const std::uint8_t> bytes, std::size_t from) {
    std::string text;
    if (from >= bytes.size()) return text;
    ByteReader reader(bytes, {});
    reader.seek(from);
    while (!reader.atEnd()) {
        const std::uint8_t c = reader.u8();
        if (c == 0) break;
        text += static_cast<char>(c);
    }
    return text;
}

// The text at the reader's position up to the first pair of zero bytes,
// which the reader moves past. `terminated` is false when no pair follows:
// the text then runs to the last byte but one, and the reader to the end.
std::string textBeforeZeroPair(ByteReader& reader, bool* terminated = nullptr) {
    std::string text;
    bool found = false;
    while (reader.remaining() >= 2) {
        const std::uint8_t c = reader.u8();
        if (c == 0 && reader.u8() == 0) {
            found = true;
            break;
        }
        if (c == 0) reader.seek(reader.position() - 1);
        text += static_cast<char>(c);
    }
    if (!found) reader.seek(reader.size());
    if (terminated != nullptr) *terminated = found;
    return text;
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
    std::string damage;  // why the entries cannot be trusted; empty when they parse
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

// The entries of the body-strings chunk at `hit`: each is the text between
// the first byte 0x01 and the next pair of zero bytes. An entry without that
// pair before the chunk's end, or fewer entries than the chunk's count, make
// the strings damaged.
void readBodyEntries(std::span<const std::uint8_t> file, std::size_t hit, const std::string& fileName,
                     BodyStrings& strings) {
    ByteReader header(file, fileName);
    header.seek(hit + 6);
    const std::size_t length = header.u16be();  // the low 16 bits of the size, as the game reads them
    ByteReader chunk(file.subspan(hit, std::min(length, file.size() - hit)), fileName, hit);
    strings.head = chunk.chars(std::min(kBodyStringsHeadSize, chunk.size()));
    header.seek(hit + kBodyCountOffset);
    strings.count = header.u16le();
    chunk.seek(std::min(kBodyEntriesStart, chunk.size()));
    int index = 0;
    for (; index < strings.count && !chunk.atEnd(); ++index) {
        bool entryStarts = false;
        while (!chunk.atEnd() && !entryStarts) entryStarts = chunk.u8() == 0x01;
        if (!entryStarts) break;
        const std::uint64_t start = chunk.absoluteOffset();
        bool terminated = false;
        strings.entries[index] = textBeforeZeroPair(chunk, &terminated);
        if (!terminated) {
            strings.damage = fileName + ": the body strings end inside entry " + std::to_string(index) +
                             " at offset " + std::to_string(start);
            return;
        }
    }
    if (index < strings.count) {
        strings.damage = fileName + ": the body strings hold " + std::to_string(index) + " of their " +
                         std::to_string(strings.count) + " entries; the chunk at offset " + std::to_string(hit) +
                         " ends at offset " + std::to_string(hit + chunk.size());
    }
}

// The body strings: the last "STR#" in the file whose first text is an age group.
std::optional<BodyStrings> findBodyStrings(std::span<const std::uint8_t> file, const std::string& fileName) {
    if (file.size() < 5) return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    // From the end, at positions size - 4 down to 1, as the game's own scan walks them.
    for (std::size_t from = file.size() - 4; from >= 1;) {
        const std::size_t hit = text.rfind("STR#", from);
        if (hit == std::string_view::npos || hit < 1) break;
        BodyStrings strings;
        if (isBodyWord(textAt(file, hit + kBodyWordOffset, 5), strings.ageGroup) && hit + 80 <= file.size()) {
            readBodyEntries(file, hit, fileName, strings);
            return strings;
        }
        from = hit - 1;
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
    // A string table with one string: its language byte, then the name.
    const auto bytes = image.bytes();
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::size_t table = text.find(std::string_view("\xFD\xFF\x01\x00", 4), familyRecord + 4);
    if (table == std::string_view::npos || table + 5 > bytes.size()) return {};
    ByteReader reader = image.readerAt(table + 5);
    return textBeforeZeroPair(reader);
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

// The array's length from the record's own version word (4: 80 values, 10: 256);
// the game folders decide when the word cannot be read.
int personDataValues(const NeighborhoodImage& image, std::size_t p, bool hasFameFolders) {
    if (p >= 4 && image.i32(p - 4) == 4) return kOlderPersonDataValues;
    if (p >= 8 && image.i32(p - 8) == 10 && image.i32(p - 4) == 9) return kNewerPersonDataValues;
    return hasFameFolders ? kNewerPersonDataValues : kOlderPersonDataValues;
}

std::int32_t personValue(const NeighborhoodImage& image, std::size_t position) {
    auto value = image.u16(position);
    if (!value) {
        throw FormatError(image.fileName(), position,
                          "the neighbour record runs past the end of the file (" + std::to_string(image.size()) +
                              " bytes)");
    }
    return *value;
}

void readPersonData(const NeighborhoodImage& image, std::size_t p, bool hasFameFolders, Sim& sim) {
    sim.PersonDataValues = personDataValues(image, p, hasFameFolders);
    for (const PersonDataField& field : kPersonDataFields) {
        // The fame values stand where a shorter array ends: read only in the longer one.
        if (field.write == PersonDataWrite::Fame && sim.PersonDataValues != kNewerPersonDataValues) continue;
        sim.*field.field = personValue(image, p + static_cast<std::size_t>(field.offset));
    }
    sim.SkinAge = sim.Age;
    sim.NeighborID = personValue(image, p + NeighbourRecordTailFor(sim.PersonDataValues).neighbourId);
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
    if (data.size() < 4) return {};
    ByteReader reader(data, "CTSS");
    const std::uint16_t format = reader.u16le();
    if (format == 0xFFFE) {
        try {
            for (const auto& entry : ReadStringTable(data, "CTSS")) english.add(entry.value);
        } catch (const FormatError&) {
            // A table that does not read gives no names.
        }
    } else if (format == 0xFFFD) {
        // Wherever a zero byte is followed by a wanted language byte, a text follows.
        for (std::size_t i = 3; i + 1 < data.size(); ++i) {
            reader.seek(i);
            if (reader.u8() != 0) continue;
            const int language = reader.u8();
            if (language != 1 && language != languageNumber) continue;
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

namespace {

// The GUID of the character object: 4 bytes, or none when the OBJD chunk is
// too short to hold them (then `damage` says so).
std::string readGuid(std::span<const std::uint8_t> file, const Section& objd, const std::string& fileName,
                     std::string& damage) {
    ByteReader data(ChunkData(file, objd), fileName, static_cast<std::uint64_t>(objd.dataOffset()));
    if (data.size() < kGuidDataOffset + 4) {
        damage = fileName + ": the OBJD chunk at offset " + std::to_string(objd.ChunkOffset) + " holds " +
                 std::to_string(data.size()) + " data bytes, too few for the GUID at data offset 28";
        return {};
    }
    data.seek(kGuidDataOffset);
    return data.chars(4);
}

void addDamage(std::string& all, const std::string& one) {
    if (one.empty()) return;
    all += all.empty() ? one : "; " + one;
}

}  // namespace

LoadedCharacter ReadCharacter(std::span<const std::uint8_t> file, const std::string& fileName,
                              const CharacterLoadContext& context) {
    LoadedCharacter loaded;
    Sim& sim = loaded.sim;
    sim.FileName = fileName;
    const std::string diskName = fileName + ".iff";
    const ChunkList chunks = ReadChunkList(file, {}, diskName);
    addDamage(sim.Damage, chunks.damage);

    if (const Section* objd = FindChunk(chunks, "OBJD")) {
        std::string damage;
        sim.GUID = readGuid(file, *objd, diskName, damage);
        addDamage(sim.Damage, damage);
    } else if (!chunks.damaged) {
        // Without the GUID no family and no neighbour record can be found.
        addDamage(sim.Damage, diskName + ": the file has no OBJD chunk, which holds the character's GUID");
    }
    if (const Section* ctss = FindChunk(chunks, "CTSS")) {
        CharacterNames names = ReadCharacterNames(ChunkData(file, *ctss), context.languageNumber);
        sim.FirstName = names.firstName;
        sim.Bio = names.bio;
    }
    loaded.thumbnail = lastThumbnail(file, chunks);

    const auto bodyStrings = findBodyStrings(file, diskName);
    if (bodyStrings) {
        sim.AgeGroup = bodyStrings->ageGroup;
        sim.BodyStringsHead = bodyStrings->head;
        applyBodyStrings(*bodyStrings, context.expansionLevel, sim);
        addDamage(sim.Damage, bodyStrings->damage);
    } else {
        sim.AgeGroup.clear();
    }

    const NeighborhoodImage& image = *context.neighbourhood;
    readFamily(image, sim);
    const auto neighbour = image.neighbourRecordOf(fileName);
    if (neighbour.damaged) {
        addDamage(sim.Damage, neighbour.damage.empty() ? image.fileName() + ": the chunk list is damaged before NBRS"
                                                        : neighbour.damage);
    }
    sim.NeighborEntryPos = static_cast<std::int32_t>(neighbour.position);
    if (neighbour.position != 0) {
        readPersonData(image, neighbour.position, context.hasFameFolders, sim);
    }
    if (bodyStrings && !tookPajamas(*bodyStrings, context.expansionLevel)) {
        defaultPajamas(context, sim);
    }
    // A damaged character is shown as its files hold it and is never saved:
    // nothing to repair.
    if (!sim.isDamaged()) repair(sim);
    return loaded;
}

}  // namespace corvane
