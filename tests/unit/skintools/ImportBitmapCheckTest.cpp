#include "skintools/ImportBitmapCheck.h"

#include "unit/bitmap/BmpFixture.h"
#include "unit/skintools/SkinToolFixture.h"

namespace corvane {
namespace {

class ImportBitmapCheckTest : public test::SkinToolTest {
protected:
    // A 4-bit bitmap of that size: about a quarter of an 8-bit one's bytes.
    static std::vector<std::uint8_t> bitmap4(int width, int height) {
        test::BmpFixture bmp;
        bmp.width = width;
        bmp.height = height;
        bmp.bitCount = 4;
        bmp.palette = test::DistinctPalette(16);
        const std::vector<std::vector<std::uint32_t>> rows(static_cast<std::size_t>(height),
                                                           std::vector<std::uint32_t>(static_cast<std::size_t>(width), 3));
        bmp.pixelData = test::PackRows(rows, 4, false);
        return bmp.bytes();
    }
};

TEST_F(ImportBitmapCheckTest, JudgesSizeDepthAndDimensions) {
    std::vector<std::uint8_t> paddedEightBit = bitmap8(64, 64);
    paddedEightBit.resize(paddedEightBit.size() + 60000, 0);  // an 8-bit file passes whatever it weighs
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        ImportBitmapVerdict verdict;
        int width, height, depth;
        bool acceptedAfterCorrection;
    } cases[] = {
        // 48 KB: 128 x 128 + 54 = 16438 is below 48 x 1000 - 5000.
        {"true-colour.bmp", EncodeBmp24(Bitmap(128, 128)), ImportBitmapVerdict::TooLarge, 128, 128, 24, false},
        // 8 KB: 16438 is at least 8 x 1000 - 5000.
        {"sixteen-colours.bmp", bitmap4(128, 128), ImportBitmapVerdict::Accepted, 128, 128, 4, true},
        {"wide.bmp", bitmap8(256, 200), ImportBitmapVerdict::WrongDimensions, 256, 200, 8, false},
        {"one-side.BMP", bitmap8(1, 4), ImportBitmapVerdict::WrongDimensions, 1, 4, 8, false},
        {"padded.bmp", paddedEightBit, ImportBitmapVerdict::Accepted, 64, 64, 8, false},
        {"largest.bmp", bitmap8(1024, 2), ImportBitmapVerdict::Accepted, 1024, 2, 8, true},
    };
    for (const auto& c : cases) {
        const ImportBitmapCheck check = CheckImportBitmap(writeBitmap(c.name, c.bytes));
        EXPECT_EQ(check.verdict, c.verdict) << c.name;
        EXPECT_EQ(check.width, c.width) << c.name;
        EXPECT_EQ(check.height, c.height) << c.name;
        EXPECT_EQ(check.depth, c.depth) << c.name;
        EXPECT_EQ(check.allowance, static_cast<std::int64_t>(c.bytes.size() / 1024) * 1000 - 5000) << c.name;
        EXPECT_EQ(AcceptedAfterCorrection(check), c.acceptedAfterCorrection) << c.name;
    }
}

TEST_F(ImportBitmapCheckTest, RefusesWhatIsNoBitmap) {
    EXPECT_EQ(CheckImportBitmap(folder.path() / "missing.bmp").verdict, ImportBitmapVerdict::NotABitmap);
    EXPECT_EQ(CheckImportBitmap(writeBitmap("picture.png", bitmap8(64, 64))).verdict, ImportBitmapVerdict::NotABitmap);
    const std::filesystem::path damaged = writeBitmap("damaged.bmp", {'B', 'M', 1, 2});
    const ImportBitmapCheck check = CheckImportBitmap(damaged);
    EXPECT_EQ(check.verdict, ImportBitmapVerdict::Unreadable);
    EXPECT_NE(check.cause.find(damaged.string()), std::string::npos) << check.cause;
    EXPECT_FALSE(AcceptedAfterCorrection(check));
}

TEST_F(ImportBitmapCheckTest, TellsWhyAndOffersTheCorrection) {
    const std::filesystem::path wide = writeBitmap("wide.bmp", bitmap8(256, 200));
    dialogs.answer(mrOk);
    EXPECT_FALSE(TellImportBitmapCheck(CheckImportBitmap(wide), dialogs));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, LangStr(7141) + " 256 X 200)");
    EXPECT_EQ(dialogs.messages()[0].caption, LangStr(5022));

    const std::filesystem::path large = writeBitmap("large.bmp", EncodeBmp24(Bitmap(128, 128)));
    const ImportBitmapCheck check = CheckImportBitmap(large);
    dialogs.forgetShown();
    dialogs.answer(mrYes).answer(mrNo);
    EXPECT_TRUE(TellImportBitmapCheck(check, dialogs));
    EXPECT_FALSE(TellImportBitmapCheck(check, dialogs));
    EXPECT_EQ(dialogs.messageTexts(), (std::vector<std::string>{LangStr(8067), LangStr(8067)}));

    const ProblemRecordDetails record = ColourCorrectionRecord(check, large);
    EXPECT_EQ(record.FileName, "large.bmp");
    EXPECT_EQ(record.Folder, large.parent_path().string() + "/");
    EXPECT_EQ(record.Description, "large.bmp\n24 " + LangStr(7143) + "\n" + LangStr(7144));
    EXPECT_EQ(record.Kind, "Bitmap");
}

}  // namespace
}  // namespace corvane
