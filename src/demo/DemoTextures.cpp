#include "demo/DemoTextures.h"

#include "platform/BmpCodec.h"

#include <algorithm>
#include <array>
#include <map>

namespace corvane {

namespace {

Rgb shaded(const Rgb& colour, float factor) {
    auto channel = [factor](std::uint8_t c) {
        return static_cast<std::uint8_t>(std::clamp(static_cast<float>(c) * factor, 0.0f, 255.0f));
    };
    return {channel(colour.r), channel(colour.g), channel(colour.b)};
}

// Paints inside one area of a texture, in coordinates relative to the area.
// Features are at least two pixels wide: the preview passes every texture
// through a JPEG round trip, which blurs single pixels of colour away.
class AreaPainter {
public:
    AreaPainter(Bitmap& picture, const TextureArea& area) : picture_(picture), area_(area) {}

    int width() const { return area_.right - area_.left; }
    int height() const { return area_.bottom - area_.top; }

    void rect(int left, int top, int right, int bottom, const Rgb& colour) {
        for (int y = std::max(top, 0); y < std::min(bottom, height()); ++y) {
            for (int x = std::max(left, 0); x < std::min(right, width()); ++x) {
                picture_.set(area_.left + x, area_.top + y, colour);
            }
        }
    }
    void fill(const Rgb& colour) { rect(0, 0, width(), height(), colour); }
    // Rows `top` to `bottom` of a mirror-image pair of marks, `inset` pixels
    // in from the sides and `wide` pixels wide.
    void pair(int inset, int wide, int top, int bottom, const Rgb& colour) {
        rect(inset, top, inset + wide, bottom, colour);
        rect(width() - inset - wide, top, width() - inset, bottom, colour);
    }

private:
    Bitmap& picture_;
    TextureArea area_;
};

void paintCollar(AreaPainter& front, const OutfitColours& c) {
    if (c.openNeck) {
        for (int row = 0; row < 6; ++row) front.rect(4 + row, row, front.width() - 4 - row, row + 1, c.skin);
        front.rect(2, 0, front.width() - 2, 2, c.trim);
        front.rect(6, 2, front.width() - 6, 3, c.trim);
        return;
    }
    front.rect(0, 0, front.width(), 3, c.trim);
    for (int row = 3; row < 6; ++row) front.rect(row + 2, row, front.width() - row - 2, row + 1, c.trim);
    for (int button = 7; button < front.height(); button += 4) front.rect(7, button, 9, button + 2, c.trim);
}

}  // namespace

Bitmap BodyTexture(const OutfitColours& c) {
    using namespace body_areas;
    Bitmap picture(kDemoTextureSize, kDemoTextureSize, c.skin);
    AreaPainter(picture, kTop).fill(c.top);
    AreaPainter front(picture, kTopFront);
    front.fill(c.top);
    paintCollar(front, c);
    AreaPainter(picture, kBottom).fill(c.bottom);
    AreaPainter hem(picture, kHem);
    hem.fill(c.bottom);
    hem.rect(0, hem.height() - 2, hem.width(), hem.height(), shaded(c.bottom, 0.7f));
    AreaPainter shoe(picture, kShoe);
    shoe.fill(c.shoes);
    shoe.rect(0, shoe.height() - 4, shoe.width(), shoe.height(), shaded(c.shoes, 0.5f));  // the sole
    AreaPainter(picture, kSkin).fill(c.skin);
    AreaPainter belt(picture, kBelt);
    belt.fill(c.belt);
    belt.rect(5, 4, 11, 12, {214, 180, 60});  // the buckle
    return picture;
}

Bitmap HeadTexture(const HeadColours& c) {
    using namespace head_areas;
    Bitmap picture(kDemoTextureSize, kDemoTextureSize, c.skin);
    AreaPainter face(picture, kFace);
    face.fill(c.skin);
    face.rect(0, 0, face.width(), 8, c.hair);
    face.pair(0, 5, 8, 12, c.hair);                 // framing the face at the temples
    face.pair(7, 6, 11, 12, shaded(c.hair, 0.8f));  // brows
    face.pair(7, 6, 13, 16, {250, 250, 250});       // the whites of the eyes
    face.pair(9, 3, 13, 16, c.eyes);
    face.rect(15, 17, 17, 21, shaded(c.skin, 0.82f));  // the nose's shadow
    face.rect(12, 23, 20, 25, c.lips);
    AreaPainter side(picture, kSide);
    side.fill(c.skin);
    side.rect(0, 0, side.width(), 22, c.hair);
    AreaPainter back(picture, kBack);
    back.fill(c.hair);
    back.rect(0, back.height() - 3, back.width(), back.height(), shaded(c.hair, 0.8f));
    AreaPainter(picture, kHair).fill(c.hair);
    AreaPainter(picture, kSkin).fill(c.skin);
    return picture;
}

Bitmap HandTexture(const Rgb& skin) {
    using namespace hand_areas;
    Bitmap picture(kDemoTextureSize, kDemoTextureSize, skin);
    AreaPainter fingers(picture, kFingers);
    for (int gap = 7; gap < fingers.width() - 4; gap += 8)
        fingers.rect(gap, 0, gap + 2, fingers.height() - 4, shaded(skin, 0.75f));
    return picture;
}

Bitmap CoatTexture(const CoatColours& c) {
    using namespace coat_areas;
    Bitmap picture(kDemoTextureSize, kDemoTextureSize, c.fur);
    AreaPainter fur(picture, kFur);
    fur.fill(c.fur);
    if (c.striped) {
        for (int band = 1; band < fur.height(); band += 5) fur.rect(0, band, fur.width(), band + 2, c.dark);
    }
    AreaPainter(picture, kDark).fill(c.dark);
    AreaPainter(picture, kBelly).fill(c.belly);
    AreaPainter(picture, kPaw).fill(c.belly);
    AreaPainter face(picture, kFace);
    face.fill(c.fur);
    if (c.striped) {
        for (int stripe = 10; stripe < 22; stripe += 5) face.rect(stripe, 0, stripe + 2, 8, c.dark);
    }
    face.rect(6, 20, face.width() - 6, face.height(), c.belly);  // the light cheeks and chin
    face.pair(6, 6, 11, 17, c.eyes);
    if (c.slitPupils) {
        face.pair(8, 2, 11, 17, {20, 20, 20});
    } else {
        face.pair(7, 2, 12, 14, {250, 250, 250});  // a glint
    }
    AreaPainter muzzle(picture, kMuzzle);
    muzzle.fill(c.belly);
    muzzle.rect(4, 1, 12, 6, c.nose);
    muzzle.rect(7, 6, 9, 10, shaded(c.belly, 0.6f));
    muzzle.rect(4, 10, 12, 12, shaded(c.belly, 0.6f));
    AreaPainter(picture, kInnerEar).fill(c.innerEar);
    return picture;
}

Bitmap PalettedTexture(const Bitmap& picture) {
    if (picture.hasIndices()) return picture;
    // Dropping low bits until the colours fit ends at six bits dropped at the
    // latest: 4 × 4 × 4 colours are left then.
    for (int dropped = 0; dropped < 8; ++dropped) {
        std::map<std::array<int, 3>, std::uint8_t> entries;
        std::vector<std::array<long, 4>> sums;  // red, green, blue, pixels of each entry
        std::vector<std::uint8_t> indices;
        indices.reserve(picture.pixels.size());
        for (const Rgb& colour : picture.pixels) {
            const std::array<int, 3> key{colour.r >> dropped, colour.g >> dropped, colour.b >> dropped};
            auto found = entries.find(key);
            if (found == entries.end()) {
                if (entries.size() == 256) break;
                found = entries.emplace(key, static_cast<std::uint8_t>(entries.size())).first;
                sums.push_back({0, 0, 0, 0});
            }
            std::array<long, 4>& sum = sums[found->second];
            sum[0] += colour.r;
            sum[1] += colour.g;
            sum[2] += colour.b;
            ++sum[3];
            indices.push_back(found->second);
        }
        if (indices.size() != picture.pixels.size()) continue;
        std::vector<Rgb> palette;
        palette.reserve(sums.size());
        for (const std::array<long, 4>& sum : sums) {
            palette.push_back({static_cast<std::uint8_t>(sum[0] / sum[3]), static_cast<std::uint8_t>(sum[1] / sum[3]),
                               static_cast<std::uint8_t>(sum[2] / sum[3])});
        }
        return Bitmap::fromIndices(picture.width, picture.height, std::move(palette), std::move(indices));
    }
    return picture;  // not reached: 8 bits dropped leave one colour
}

std::vector<std::uint8_t> TextureFileBytes(const Bitmap& picture) {
    return EncodeBmp8(PalettedTexture(picture));
}

}  // namespace corvane
