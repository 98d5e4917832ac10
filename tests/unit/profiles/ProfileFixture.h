#pragma once

#include "TestPaths.h"
#include "demo/CharacterFileWriter.h"
#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "iff/IffContainer.h"
#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "profiles/ProfileExport.h"
#include "profiles/ProfileImport.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

// A game with a few loose skins and a character wearing some of them.
class ProfileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetLanguageModule(LanguageModule::load(CORVANE_LANG_DIR "/CV3Dusen.lng")); }
    static void TearDownTestSuite() { SetLanguageModule(LanguageModule()); }

    // A character file whose one mesh wears `texture`, with its mesh and texture, in GameData/Skins of `builder`.
    static void writeSuit(GameBuilder& builder, const std::string& cmx, const std::string& texture) {
        const std::string mesh = "xskin-" + cmx + "-PELVIS-BODY";
        builder.writeText("GameData\\Skins\\" + cmx + ".cmx", JoinCrLf(CharacterFileLines(SampleSuit(cmx, "PELVIS", mesh))));
        builder.writeText("GameData\\Skins\\" + mesh + ".skn", JoinCrLf(MeshFileLines(SampleBodyMesh(mesh, texture))));
        if (texture != "x") writeTexture(builder, texture);
    }
    // A texture of 2 x 2 pixels whose colour tells it from others of other names.
    static void writeTexture(GameBuilder& builder, const std::string& texture) {
        const std::uint8_t shade = static_cast<std::uint8_t>(texture.size() * 7);
        builder.writeFile("GameData\\Skins\\" + texture + ".bmp", EncodeBmp24(Bitmap(2, 2, Rgb{shade, 0, 0xFF})));
    }

    // Victor: a body suit whose mesh wears the body texture, a head wearing "x", the same body texture on his pajamas.
    static Sim victor() {
        Sim sim;
        sim.FileName = "User00001";
        sim.NeighborEntryPos = 100;  // its values live in neighborhood.iff
        sim.PersonDataValues = 256;  // with fame
        sim.FirstName = "\xC9tienne";  // in code page 1252
        sim.Bio = "Line one\r\nline two";
        sim.Neat = 800;
        sim.Romance = 321;
        sim.Career = 12;
        sim.JobLevel = 3;
        sim.FameScore = 400;
        sim.FameStarPower = 3;
        sim.FameStarHighWatermark = 5;
        sim.BodyMesh = "b001mafit_01";
        sim.BodyTexture = "B001MAFITLGT_01";
        sim.HeadMesh = "c001ma_bob";
        sim.HeadTexture = "c001malgt_bob";
        sim.PajamaMesh = "missing_pj";
        sim.PajamaTexture = "b001mafitlgt_01";
        sim.WinterMesh = "w001mafit_01";
        sim.WinterTexture = "w001mafitlgt_01";
        return sim;
    }
    static void writeVictorsSkins(GameBuilder& builder) {
        writeSuit(builder, "b001mafit_01", "b001mafitlgt_01");
        writeSuit(builder, "c001ma_bob", "x");
        writeTexture(builder, "c001malgt_bob");
        writeSuit(builder, "w001mafit_01", "w001mafitlgt_01");
    }

    // A BMP_ chunk labelled `label` holding `size` bytes.
    static std::vector<std::uint8_t> imageChunk(const std::string& label, std::size_t size, std::uint8_t fill) {
        const std::vector<std::uint8_t> data(size, fill);
        return MakeChunk("BMP_", 0x200, 0, label, data);
    }

    static Document openWith(std::unique_ptr<Sim> sim) {
        Document document(7);
        std::vector<std::unique_ptr<Sim>> characters;
        characters.push_back(std::move(sim));
        document.open(std::move(characters), std::vector<std::optional<Bitmap>>(1), nullptr);
        document.select(0);
        return document;
    }

    // The file names of a folder with each file's bytes.
    static std::map<std::string, std::vector<std::uint8_t>> filesOf(const std::filesystem::path& folder) {
        std::map<std::string, std::vector<std::uint8_t>> files;
        if (!std::filesystem::exists(folder)) return files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) {
                files[std::filesystem::relative(entry.path(), folder).string()] = ReadFileBytes(entry.path());
            }
        }
        return files;
    }

    test::TempDir temp;
    // The save journal and the Trash of the test's own.
    test::EnvOverride appHome{"CORVANE_HOME", (temp.path() / "app").string()};
    test::EnvOverride dataHome{"XDG_DATA_HOME", (temp.path() / "data").string()};
    GameBuilder game{temp.path() / "game"};
    std::filesystem::path skins = temp.path() / "game" / "GameData" / "Skins";
};

// The profile text without the line of `element`.
inline std::string WithoutElement(std::string text, const std::string& element) {
    const auto at = text.find("<" + element + " ");
    if (at == std::string::npos) return text;
    const auto lineStart = text.rfind('\n', at) + 1;
    const auto lineEnd = text.find('\n', at);
    text.erase(lineStart, lineEnd + 1 - lineStart);
    return text;
}

// The text with the first `from` replaced by `to`; `from` must be there.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

inline std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

}  // namespace corvane
