// `corvane3d-cli pictures` on the demo installation: the six pictures as
// 8-bit BMP files named after their labels, in a folder made when missing.
#include "cli/PicturesCommand.h"

#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "unit/cli/DemoGameTest.h"

#include <gtest/gtest.h>

#include <sstream>

namespace corvane::cli {
namespace {

class PicturesCommandTest : public DemoGameTest {};

TEST_F(PicturesCommandTest, WritesSixEightBitBmpFilesNamedAfterTheirLabels) {
    const struct {
        const char* file;
        int width, height;
    } expected[] = {
        {"web_image.bmp", 45, 45},    {"thumbnail.bmp", 25, 25},  {"speech_med.bmp", 16, 16},
        {"speech_large.bmp", 32, 32}, {"rel_images.bmp", 200, 40}, {"faces.bmp", 105, 41},
    };
    const std::filesystem::path out = folder.path() / "pictures" / "victor";
    CliArguments a = args({"UserData", "User00001"});
    a.outFile = out.string();
    std::ostringstream said;
    ASSERT_EQ(RunPictures(a, said), 0);
    std::string lines;
    for (const auto& e : expected) {
        SCOPED_TRACE(e.file);
        const std::filesystem::path file = out / e.file;
        lines += file.string() + "\t" + std::to_string(e.width) + "x" + std::to_string(e.height) + "\n";
        ASSERT_TRUE(std::filesystem::exists(file));
        const Bitmap picture = DecodeBmp(ReadFileBytes(file), e.file);
        EXPECT_EQ(picture.bitDepth, 8);
        EXPECT_EQ(picture.width, e.width);
        EXPECT_EQ(picture.height, e.height);
    }
    EXPECT_EQ(said.str(), lines);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 6) << "no temporary file is left behind";
}

}  // namespace
}  // namespace corvane::cli
