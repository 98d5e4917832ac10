#pragma once

#include "demo/DemoSkeletons.h"
#include "demo/SkinFileWriters.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// A rectangle of a texture, in pixels from the top left of the picture.
struct TextureArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The texture areas a block shows on its six sides. "Front" is the side that
// faces the viewer on an upright block; the top of each side area lies at the
// block's top end.
struct BlockPaint {
    TextureArea front;
    TextureArea back;
    TextureArea right;
    TextureArea left;
    TextureArea top;
    TextureArea bottom;

    static BlockPaint all(const TextureArea& area) { return {area, area, area, area, area, area}; }
};

// One end of a block: a rectangle around `centre`, reaching `halfAcross` to
// either side and `halfDeep` to the front and the back.
struct BlockEnd {
    FigurePoint centre;
    float halfAcross = 0;
    float halfDeep = 0;
};

// Low-poly meshes made of blocks: six-sided solids from a bottom end to a top
// end (a box, a tapered limb, a skirt), each bound to one bone and painted
// from areas of one square texture. Blocks run from their lower (or rear) end
// to their upper (or front) end; their across axis is the figure's z, tilted
// as the block is, and their depth axis is square to both: to the front on
// an upright block, downward on one that runs forward.
class BlockMesh {
public:
    explicit BlockMesh(int textureSize) : textureSize_(textureSize) {}

    // Figure-space points of the block's ends. An end of zero size makes a
    // point, as for an ear.
    void add(std::string_view bone, const BlockEnd& bottom, const BlockEnd& top, const BlockPaint& paint);

    // The mesh: one binding per bone in the order the bones first appear, each
    // vertex in its bone's space (its figure-space point less `jointOf` the
    // bone), each side its own four vertices with their texture coordinates.
    Mesh build(const std::string& name, const std::string& texture,
               const std::function<FigurePoint(std::string_view)>& jointOf) const;

private:
    struct Vertex {
        FigurePoint position;
        FigurePoint normal;
        float u;
        float v;
    };
    struct Side {
        std::string bone;
        std::array<Vertex, 4> corners;
    };

    void addSide(std::string_view bone, const std::array<FigurePoint, 4>& corners, const FigurePoint& blockCentre,
                 const TextureArea& area);

    int textureSize_;
    std::vector<Side> sides_;
};

}  // namespace corvane
