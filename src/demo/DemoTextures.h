#pragma once

#include "demo/BlockMesh.h"
#include "platform/Bitmap.h"

#include <cstdint>
#include <vector>

namespace corvane {

// The textures of the demo's figures, drawn in code. Each kind of part has
// one layout of areas that its meshes paint their blocks from; the colours
// make the character.

inline constexpr int kDemoTextureSize = 64;

// Bodies of people: clothes, skin and shoes.
namespace body_areas {
inline constexpr TextureArea kTop{0, 0, 16, 16};        // shirt, blouse, dress
inline constexpr TextureArea kTopFront{16, 0, 32, 16};  // the same with its collar or neckline
inline constexpr TextureArea kBottom{32, 0, 48, 16};    // trousers, shorts, skirt
inline constexpr TextureArea kHem{32, 16, 48, 32};      // the same where it ends
inline constexpr TextureArea kShoe{48, 0, 64, 16};
inline constexpr TextureArea kSkin{0, 16, 16, 32};
inline constexpr TextureArea kBelt{16, 16, 32, 32};
}  // namespace body_areas

// Heads: the face in front, hair above and behind.
namespace head_areas {
inline constexpr TextureArea kFace{0, 0, 32, 32};
inline constexpr TextureArea kSide{32, 0, 48, 32};  // hair down to the jaw, then skin
inline constexpr TextureArea kBack{48, 0, 64, 32};
inline constexpr TextureArea kHair{0, 32, 16, 48};
inline constexpr TextureArea kSkin{16, 32, 32, 48};
}  // namespace head_areas

// Hands: skin with the gaps between the fingers.
namespace hand_areas {
inline constexpr TextureArea kSkin{0, 0, 32, 32};
inline constexpr TextureArea kFingers{32, 0, 64, 32};
}  // namespace hand_areas

// Dogs and cats: coat, face and muzzle.
namespace coat_areas {
inline constexpr TextureArea kFur{0, 0, 16, 16};
inline constexpr TextureArea kDark{16, 0, 32, 16};  // ears, tail
inline constexpr TextureArea kBelly{32, 0, 48, 16};
inline constexpr TextureArea kPaw{48, 0, 64, 16};
inline constexpr TextureArea kFace{0, 16, 32, 48};
inline constexpr TextureArea kMuzzle{32, 16, 48, 32};  // the nose on top
inline constexpr TextureArea kInnerEar{48, 16, 64, 32};
}  // namespace coat_areas

struct OutfitColours {
    Rgb top;
    Rgb trim;  // collar, buttons, neckline edge
    Rgb bottom;
    Rgb shoes;
    Rgb belt;
    Rgb skin;
    bool openNeck = false;  // a neckline showing skin rather than a collar
};

struct HeadColours {
    Rgb skin;
    Rgb hair;
    Rgb eyes;
    Rgb lips;
};

struct CoatColours {
    Rgb fur;
    Rgb dark;
    Rgb belly;
    Rgb nose;
    Rgb eyes;
    Rgb innerEar;
    bool striped = false;  // a tabby's bands
    bool slitPupils = false;
};

// Skin tones of the demo's people, as the game names them in its file names:
// "lgt", "med" and "drk".
inline constexpr Rgb kLightSkin{236, 196, 160};
inline constexpr Rgb kMediumSkin{196, 142, 98};
inline constexpr Rgb kDarkSkin{112, 74, 50};

Bitmap BodyTexture(const OutfitColours& colours);
Bitmap HeadTexture(const HeadColours& colours);
Bitmap HandTexture(const Rgb& skin);
Bitmap CoatTexture(const CoatColours& colours);

// The picture with a palette of its own colours, as the game's 8-bit textures
// are. A picture of more than 256 colours is reduced: colours that agree in
// their high bits share one entry, their average.
Bitmap PalettedTexture(const Bitmap& picture);
// The texture file the game expects: the picture as an 8-bit BMP.
std::vector<std::uint8_t> TextureFileBytes(const Bitmap& picture);

}  // namespace corvane
