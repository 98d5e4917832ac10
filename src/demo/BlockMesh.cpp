#include "demo/BlockMesh.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

FigurePoint plus(const FigurePoint& a, const FigurePoint& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
FigurePoint minus(const FigurePoint& a, const FigurePoint& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
FigurePoint times(const FigurePoint& a, float factor) {
    return {a.x * factor, a.y * factor, a.z * factor};
}
float dot(const FigurePoint& a, const FigurePoint& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
FigurePoint cross(const FigurePoint& a, const FigurePoint& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float length(const FigurePoint& a) {
    return std::sqrt(dot(a, a));
}
FigurePoint unit(const FigurePoint& a) {
    const float l = length(a);
    return l > 0 ? times(a, 1.0f / l) : a;
}
FigurePoint middle(const std::array<FigurePoint, 4>& corners) {
    return times(plus(plus(corners[0], corners[1]), plus(corners[2], corners[3])), 0.25f);
}

constexpr FigurePoint kFiguresRight{0, 0, 1};
constexpr FigurePoint kFiguresFront{0, 1, 0};
constexpr float kTiny = 1e-6f;

// The block's across axis: the figure's right, made square to the block's
// length (the front, for a block that runs along the right).
FigurePoint acrossAxis(const FigurePoint& along) {
    const FigurePoint hint = std::abs(dot(along, kFiguresRight)) > 0.99f ? kFiguresFront : kFiguresRight;
    return unit(minus(hint, times(along, dot(hint, along))));
}

// Faces outward: the side's own plane where it has one, else away from the
// block's centre (a side that shrank to a line or a point).
FigurePoint outwardNormal(const std::array<FigurePoint, 4>& c, const FigurePoint& blockCentre) {
    const FigurePoint outward = minus(middle(c), blockCentre);
    FigurePoint n = cross(minus(c[1], c[0]), minus(c[3], c[0]));
    if (length(n) < kTiny) n = cross(minus(c[2], c[1]), minus(c[0], c[1]));
    if (length(n) < kTiny) n = cross(minus(c[3], c[2]), minus(c[1], c[2]));
    if (length(n) < kTiny) return unit(outward);
    return unit(dot(n, outward) < 0 ? times(n, -1.0f) : n);
}

}  // namespace

void BlockMesh::add(std::string_view bone, const BlockEnd& bottom, const BlockEnd& top, const BlockPaint& paint) {
    const FigurePoint along = unit(minus(top.centre, bottom.centre));
    const FigurePoint across = acrossAxis(along);
    const FigurePoint deep = cross(across, along);
    // A corner of an end: sa and sd pick the right or left and the front or back.
    auto corner = [&](const BlockEnd& end, float sa, float sd) {
        return plus(end.centre, plus(times(across, sa * end.halfAcross), times(deep, sd * end.halfDeep)));
    };
    const BlockEnd& t = top;
    const BlockEnd& b = bottom;
    const FigurePoint centre = times(plus(top.centre, bottom.centre), 0.5f);
    // Each side's corners from the top left of its picture, clockwise as seen from outside.
    addSide(bone, {corner(t, 1, 1), corner(t, -1, 1), corner(b, -1, 1), corner(b, 1, 1)}, centre, paint.front);
    addSide(bone, {corner(t, -1, -1), corner(t, 1, -1), corner(b, 1, -1), corner(b, -1, -1)}, centre, paint.back);
    addSide(bone, {corner(t, 1, -1), corner(t, 1, 1), corner(b, 1, 1), corner(b, 1, -1)}, centre, paint.right);
    addSide(bone, {corner(t, -1, 1), corner(t, -1, -1), corner(b, -1, -1), corner(b, -1, 1)}, centre, paint.left);
    addSide(bone, {corner(t, 1, -1), corner(t, -1, -1), corner(t, -1, 1), corner(t, 1, 1)}, centre, paint.top);
    addSide(bone, {corner(b, 1, 1), corner(b, -1, 1), corner(b, -1, -1), corner(b, 1, -1)}, centre, paint.bottom);
}

void BlockMesh::addSide(std::string_view bone, const std::array<FigurePoint, 4>& corners,
                        const FigurePoint& blockCentre, const TextureArea& area) {
    // One texel in from the area's edges, so that filtering never picks up
    // the colour next door.
    const float size = static_cast<float>(textureSize_);
    const float left = (static_cast<float>(area.left) + 1) / size;
    const float right = (static_cast<float>(area.right) - 1) / size;
    const float top = (static_cast<float>(area.top) + 1) / size;
    const float bottom = (static_cast<float>(area.bottom) - 1) / size;
    const FigurePoint normal = outwardNormal(corners, blockCentre);
    sides_.push_back({std::string(bone),
                      {Vertex{corners[0], normal, left, top}, Vertex{corners[1], normal, right, top},
                       Vertex{corners[2], normal, right, bottom}, Vertex{corners[3], normal, left, bottom}}});
}

Mesh BlockMesh::build(const std::string& name, const std::string& texture,
                      const std::function<FigurePoint(std::string_view)>& jointOf) const {
    Mesh mesh;
    mesh.name = name;
    mesh.texture = texture;
    for (const Side& side : sides_) {
        if (std::find(mesh.bones.begin(), mesh.bones.end(), side.bone) == mesh.bones.end())
            mesh.bones.push_back(side.bone);
    }
    for (std::size_t bone = 0; bone < mesh.bones.size(); ++bone) {
        const FigurePoint joint = jointOf(mesh.bones[bone]);
        const auto first = static_cast<std::int32_t>(mesh.vertices.size());
        for (const Side& side : sides_) {
            if (side.bone != mesh.bones[bone]) continue;
            const auto base = static_cast<std::int32_t>(mesh.vertices.size());
            for (const Vertex& v : side.corners) {
                const FigurePoint p = minus(v.position, joint);
                mesh.vertices.push_back({p.x, p.y, p.z, v.normal.x, v.normal.y, v.normal.z});
                mesh.coordinates.push_back({v.u, v.v});
            }
            mesh.faces.push_back({base, base + 1, base + 2});
            mesh.faces.push_back({base, base + 2, base + 3});
        }
        const auto count = static_cast<std::int32_t>(mesh.vertices.size()) - first;
        mesh.bindings.push_back({static_cast<std::int32_t>(bone), first, count, -1, 0});
    }
    return mesh;
}

}  // namespace corvane
