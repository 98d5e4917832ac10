#include "demo/CharacterFileWriter.h"

#include "demo/IffFileWriter.h"
#include "iff/IffContainer.h"
#include "iff/StringTable.h"
#include "platform/BmpCodec.h"

namespace corvane {

namespace {

std::vector<std::uint8_t> objectData(std::uint32_t guid) {
    std::vector<std::uint8_t> data(200, 0);
    data[0] = 138;  // version
    data[8] = 2;    // object type: a person
    for (int i = 0; i < 4; ++i) data[28 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(guid >> (8 * i));
    return data;
}

std::vector<std::uint8_t> namesData(const CharacterFileSpec& spec) {
    std::vector<StringTableEntry> entries;
    for (const auto& [language, texts] : spec.names) {
        entries.push_back({language, texts.first, {}});
        entries.push_back({language, texts.second, {}});
    }
    if (!spec.namesWithoutLanguages) {
        return WriteStringTable(entries);
    }
    std::vector<std::uint8_t> data{0xFE, 0xFF, static_cast<std::uint8_t>(entries.size()), 0};
    for (const auto& entry : entries) {
        data.insert(data.end(), entry.value.begin(), entry.value.end());
        data.insert(data.end(), {0, 0});
    }
    return data;
}

std::vector<std::uint8_t> thumbnailData() {
    Bitmap picture(25, 25, {200, 150, 90});
    for (int i = 0; i < 25; ++i) picture.set(i, i, {20, 20, 120});
    auto bytes = EncodeBmp24(picture);
    bytes[2] = bytes[3] = bytes[4] = bytes[5] = 0;  // the game leaves the file size out
    return bytes;
}

std::string skin(const std::string& mesh, const std::string& key, const std::string& texture) {
    return mesh + "," + key + "=" + texture;
}

}  // namespace

std::vector<std::string> StandardBodyStrings(const std::string& ageGroup, int level, const std::string& bodySize,
                                             const std::string& tone) {
    const bool child = ageGroup == "child";
    const std::string a = child ? "c" : "a";
    const std::string size = child ? "chd" : bodySize;
    const std::string body = "b001m" + a + size;
    std::vector<std::string> strings{
        ageGroup,
        skin(body + "_01", "BODY", body + tone + "_casual"),
        skin("c001m" + a + "_bob", "HEAD", "c001m" + a + tone + "_bob"),
    };
    for (int i = 3; i <= 11; ++i) strings.push_back("carried" + std::to_string(i));
    strings.push_back("male");
    strings.push_back(child ? "9" : "27");
    strings.push_back(tone);
    strings.push_back(skin("nm" + size + "_01", "BODYNAKED", "nm" + size + tone + "_01"));
    strings.push_back(skin("u001m" + a + size + "_swim", "BODY", "u001m" + a + size + tone + "_swim"));
    for (const char* hand : {"hmlo", "hmro", "hmlp", "hmrp", "hmlc", "hmrc"}) {
        strings.push_back(skin(hand, "HAND", std::string("hua") + hand[3] + tone));
    }
    for (int i = 23; i <= 26; ++i) strings.push_back("carried" + std::to_string(i));
    strings.push_back(skin("f001m" + a + size + "_old", "BODY", "f001m" + a + size + tone + "_old"));
    strings.push_back(skin("gmlo", "HAND", "huao" + tone));
    strings.push_back(skin("gmro", "HAND", "huao" + tone));
    const std::size_t count = level <= 2 ? 30 : level == 3 ? 33 : level <= 5 ? 34 : 35;
    std::vector<std::string> newer{
        skin("f002m" + a + size + "_suit", "BODY", "f002m" + a + size + tone + "_suit"),
        skin("s001m" + a + size + "_trunks", "BODY", "s001m" + a + size + tone + "_trunks"),
        skin("l001m" + a + size + "_pj", "BODY", "l001m" + a + size + tone + "_pj"),
        skin("w001m" + a + size + "_coat", "BODY", "w001m" + a + size + tone + "_coat"),
        skin("h001m" + a + size + "_chic", "BODY", "h001m" + a + size + tone + "_chic"),
    };
    for (std::size_t i = 0; strings.size() < count; ++i) strings.push_back(newer[i]);
    if (ageGroup == "dog" || ageGroup == "kat") {
        // Pets have no head, hands or outfits of their own.
        strings[2] = "NONE";
        for (std::size_t i : {15, 16, 17, 18, 19, 20, 21, 22, 27, 28, 29}) strings[i] = "";
        for (std::size_t i = 30; i < strings.size(); ++i) strings[i] = "NONE";
    }
    return strings;
}

std::vector<std::uint8_t> MakeCharacterFile(const CharacterFileSpec& spec) {
    const std::string label = spec.fileName + " - " + spec.names.begin()->second.first;
    std::vector<StringTableEntry> body;
    for (const std::string& value : spec.bodyStrings) body.push_back({1, value, {}});
    std::vector<std::vector<std::uint8_t>> chunks{
        MakeChunk("OBJD", 128, 0, label, objectData(spec.guid)),
        MakeChunk("CTSS", 2000, 0, "", namesData(spec)),
        MakeChunk("STR#", 200, 0, "", WriteStringTable(body)),
        MakeChunk("STR#", 256, 0, "", WriteStringTable({{1, "synthetic", {}}})),
        MakeChunk("SLOT", 128, 0, "", std::vector<std::uint8_t>(300, 0xA3)),
    };
    if (!spec.images.empty()) {
        chunks.push_back(spec.images);
        return MakeIffFile(chunks);
    }
    const auto picture = thumbnailData();
    for (const char* kind : {"faces", "rel. images"}) {
        chunks.push_back(MakeChunk("BMP_", 2002, 0, kind, picture));
    }
    if (spec.thumbnail) {
        chunks.push_back(MakeChunk("BMP_", 2004, 0, "thumbnail", picture));
    }
    return MakeIffFile(chunks);
}

}  // namespace corvane
