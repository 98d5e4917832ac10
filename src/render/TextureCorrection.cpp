#include "render/TextureCorrection.h"

#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "render/JpegCodec.h"

namespace corvane {

Bitmap ColourCorrected(const Bitmap& texture) {
    return JpegRoundTrip8(texture, kGameImageColours);
}

CorrectedTexture CorrectTextureFile(const std::filesystem::path& file) {
    CorrectedTexture texture;
    texture.original = LoadBmpWithSizeFix(ReadFileBytes(file), file.string());
    texture.corrected = ColourCorrected(texture.original);
    texture.bytes = EncodeBmp8(texture.corrected);
    return texture;
}

}  // namespace corvane
