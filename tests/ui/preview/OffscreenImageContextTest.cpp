// The character's pictures drawn inside the editor, in a context of their
// own beside the preview's: the pictures are made and the preview draws on
// as before. Fails, never skips, when no context can be made.
#include "render/ui/OffscreenImageContext.h"

#include "iff/CharacterImageFile.h"
#include "iff/IffContainer.h"
#include "platform/AppFolder.h"
#include "platform/FileBytes.h"
#include "platform/Progress.h"
#include "render/CharacterImages.h"
#include "render/ui/Tf3DUIGL.h"
#include "skins/SkinCatalogueBuilder.h"
#include "support/ui/DemoEditorTest.h"

#include <QApplication>
#include <QOpenGLContext>

namespace corvane {
namespace {

class OffscreenImageContextTest : public test::DemoEditorTest {
protected:
    // What the preview shows now, drawn afresh.
    QImage previewPicture() const {
        QApplication::processEvents();
        return window->f3DUIGL->grabFramebuffer();
    }
    const SkinCatalogue& catalogue() {
        const SkinFolders folders(AppSettings().GamePath, AppSettings().ExpansionLevel);
        SilentProgress progress;
        if (!GameSkinCatalogue().complete()) LoadSkinData(GameSkinCatalogue(), folders, progress);
        return GameSkinCatalogue();
    }
};

int countBmpChunks(const std::filesystem::path& characterFile) {
    const auto bytes = ReadFileBytes(characterFile);
    int count = 0;
    for (const Section& s : ReadChunkList(bytes).sections) count += s.ChunkType == "BMP_" ? 1 : 0;
    return count;
}

TEST_F(OffscreenImageContextTest, PicturesMadeBesideThePreviewLeaveItDrawingAsBefore) {
    const Sim& victor = open("User00001", "btnSkillsPersonality");
    ASSERT_TRUE(window->f3DUIGL->isVisible());
    ASSERT_FALSE(window->f3DUIGL->failed());
    const QImage before = previewPicture();
    ASSERT_FALSE(before.isNull());
    ASSERT_NE(before.pixel(before.width() / 2, before.height() / 2), before.pixel(1, 1))
        << "the preview shows Victor in front of its background";

    const SkinFolders folders(AppSettings().GamePath, AppSettings().ExpansionLevel);
    {
        OffscreenImageContext pictures;
        MakeCharacterImages(victor, folders, catalogue(), dialogs, pictures.procLookup(), ApplicationFolder());
    }
    const auto made = ReadFileBytes(CharacterImageFile(ApplicationFolder(), "User00001"));
    const std::optional<Bitmap> thumbnail = ThumbnailOfCharacterImages(made);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->width, 25);
    EXPECT_EQ(previewPicture(), before) << "the preview draws on with its own textures";

    // Made while the preview's context is current, that context is current again afterwards.
    window->f3DUIGL->withContext([&] {
        QOpenGLContext* preview = QOpenGLContext::currentContext();
        ASSERT_NE(preview, nullptr);
        {
            OffscreenImageContext pictures;
            EXPECT_NE(QOpenGLContext::currentContext(), preview);
            const PreviewModelSet set = LoadEverydayModels(victor, folders, catalogue(), dialogs, ApplicationFolder());
            EXPECT_EQ(RenderCharacterImages(ModelsToDraw(set), pictures.procLookup()).size(), 6u);
        }
        EXPECT_EQ(QOpenGLContext::currentContext(), preview);
    });
    EXPECT_EQ(previewPicture(), before);

    // The demo's portraits drawn in this process too, without a display of
    // their own: one thread has one current context of one kind, so Qt's goes first.
    if (QOpenGLContext* current = QOpenGLContext::currentContext()) current->doneCurrent();
    const std::filesystem::path portraits =
        EnsureDemoInstallation(folder.path() / "portraits", DemoPortraits::Drawn) / "UserData" / "Characters";
    EXPECT_EQ(countBmpChunks(portraits / "User00001.iff"), 6);
    EXPECT_EQ(previewPicture(), before);
}

}  // namespace
}  // namespace corvane
