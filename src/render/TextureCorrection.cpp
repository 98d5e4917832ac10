#include "render/TextureCorrection.h"

#include "platform/BmpCodec.h"
#include "platform/RegularFile.h"
#include "render/JpegCodec.h"
#include "skintools/TextureCheck.h"

namespace corvane {

Bitmap ColourCorrected(const Bitmap& texture) {
    return JpegRoundTrip8(texture, kGameImageColours);
}

CorrectedTexture CorrectTextureFile(const std::filesystem::path& file) {
    CorrectedTexture texture;
    // Only the bytes the picture needs: a huge file with a small picture in front is not read whole.
    texture.original = LoadBmpWithSizeFix(TextureBytesToDecode(RegularFile(file)), file.string());
    texture.corrected = ColourCorrected(texture.original);
    texture.bytes = EncodeBmp8(texture.corrected);
    return texture;
}

}  // namespace corvane
