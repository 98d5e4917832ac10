// `corvane3d-cli render` on the demo installation with one file damaged: a
// model left out is named on stderr with its file and cause, and the picture
// is still drawn; a skeleton that leaves nothing to draw fails the command,
// naming the skeleton's file and line.
#include "cli/RenderCommand.h"

#include "app/Settings.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "platform/Progress.h"
#include "render/PreviewComposition.h"
#include "skins/SkinCatalogueBuilder.h"
#include "support/ScriptedDialogs.h"
#include "unit/cli/DemoGameTest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>

namespace corvane::cli {
namespace {

// What the command writes to std::cerr while it lives.
class StderrCapture {
public:
    StderrCapture() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~StderrCapture() { std::cerr.rdbuf(old_); }
    std::string text() const { return text_.str(); }

private:
    std::ostringstream text_;
    std::streambuf* old_;
};

// The lines that name a model left out (the loading's own notes pass by).
std::vector<std::string> leftOutLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.find(": left out ") != std::string::npos) lines.push_back(line);
    }
    return lines;
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class RenderCommandTest : public DemoGameTest {
protected:
    CliArguments renderArgs() const {
        CliArguments a = args({"UserData", "User00001"});
        a.outFile = (folder.path() / "victor.png").string();
        a.size = "64x64";
        return a;
    }

    // Victor's everyday meshes, the head first: where the preview reads them from.
    std::vector<PreviewMesh> victorsMeshes() const {
        (void)args({});
        const SkinFolders folders(AppSettings().GamePath, AppSettings().ExpansionLevel);
        SilentProgress progress;
        LoadSkinData(GameSkinCatalogue(), folders, progress);
        const CharacterList list = OpenCharacterList("UserData");
        const Sim& victor = FindCharacter(list, "User00001", "UserData");
        test::ScriptedDialogs dialogs;
        return CollectPreviewMeshes(SlotsForOutfit(victor, Outfit::Everyday), folders, GameSkinCatalogue(), dialogs);
    }
};

TEST_F(RenderCommandTest, AModelLeftOutIsNamedOnStderrAndTheRestIsDrawn) {
    const struct {
        const char* fault;
        bool texture;         // else the mesh
        const char* content;  // nullptr: the installation stays sound
    } cases[] = {
        {"sound", false, nullptr},
        {"mesh_not_a_mesh", false, "not a mesh\r\n"},
        {"texture_not_a_bitmap", true, "BM but no picture"},
    };
    const std::vector<PreviewMesh> meshes = victorsMeshes();
    ASSERT_GE(meshes.size(), 2u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const PreviewMesh& damaged = meshes.front();
        const std::filesystem::path file = c.texture ? damaged.texturePath : damaged.meshPath;
        if (c.content == nullptr) {
            StderrCapture err;
            std::ostringstream out;
            EXPECT_EQ(RunRender(renderArgs(), out), 0);
            EXPECT_NE(out.str().find("\t" + std::to_string(meshes.size()) + " meshes"), std::string::npos) << out.str();
            EXPECT_EQ(leftOutLines(err.text()), std::vector<std::string>{});
            continue;
        }
        // A loose file comes before the archives' copy.
        const bool existed = std::filesystem::exists(file);
        std::string kept;
        if (existed) {
            std::ifstream in(file, std::ios::binary);
            kept.assign(std::istreambuf_iterator<char>(in), {});
        }
        writeText(file, c.content);

        // A texture may dress more than one mesh (both hands): each is left out.
        std::vector<std::string> expected;
        for (const PreviewMesh& mesh : meshes) {
            if ((c.texture ? mesh.texturePath : mesh.meshPath) != file.string()) continue;
            expected.insert(expected.begin(), "User00001: left out " +
                                                  std::filesystem::path(mesh.meshPath).stem().string() + ": " +
                                                  file.string() + " at offset ");
        }
        StderrCapture err;
        std::ostringstream out;
        EXPECT_EQ(RunRender(renderArgs(), out), 0);
        EXPECT_NE(out.str().find("\t" + std::to_string(meshes.size() - expected.size()) + " meshes"),
                  std::string::npos)
            << out.str();
        const std::vector<std::string> said = leftOutLines(err.text());
        ASSERT_EQ(said.size(), expected.size()) << err.text();
        for (std::size_t i = 0; i < said.size(); ++i) {
            EXPECT_EQ(said[i].rfind(expected[i], 0), 0u) << said[i];
        }

        if (existed) {
            writeText(file, kept);
        } else {
            std::filesystem::remove(file);
        }
    }
}

TEST_F(RenderCommandTest, WritesPngOrJpegByTheFileExtensionAndRefusesOthers) {
    const struct {
        const char* file;
        std::string start;  // the file's first bytes; empty: refused, nothing written
    } cases[] = {
        {"victor.png", "\x89PNG\r\n"},
        {"victor.jpg", "\xFF\xD8\xFF"},
        {"victor.JPEG", "\xFF\xD8\xFF"},
        {"victor.gif", ""},
        {"victor", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        CliArguments a = renderArgs();
        a.outFile = (folder.path() / c.file).string();
        std::ostringstream out;
        if (c.start.empty()) {
            EXPECT_THROW(RunRender(a, out), std::invalid_argument);
            EXPECT_FALSE(std::filesystem::exists(*a.outFile));
            continue;
        }
        EXPECT_EQ(RunRender(a, out), 0);
        std::ifstream in(*a.outFile, std::ios::binary);
        std::string start(c.start.size(), '\0');
        in.read(start.data(), static_cast<std::streamsize>(start.size()));
        EXPECT_EQ(start, c.start);
    }
}

TEST_F(RenderCommandTest, ADamagedSkeletonFailsNamingItsFileAndLine) {
    const std::filesystem::path skeleton = game / "GameData" / "Skins" / "adult-skeleton.cmx";
    writeText(skeleton, "// demo\r\nadult-skeleton\r\n0\r\nadult\r\nmany\r\n");
    StderrCapture err;
    std::ostringstream out;
    try {
        RunRender(renderArgs(), out);
        ADD_FAILURE() << "drawn";
    } catch (const GameDataError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "nothing of User00001 can be drawn: skeleton adult-skeleton.cmx is damaged (" + skeleton.string() +
                      " at offset 4: line 4: \"many\" is not a whole number); no model can be posed");
    }
    EXPECT_TRUE(out.str().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "victor.png"));
}

}  // namespace
}  // namespace corvane::cli
