#include "demo/DemoFigures.h"

#include "demo/BlockMesh.h"
#include "demo/DemoSkeletons.h"
#include "demo/DemoTextures.h"

#include <vector>

namespace corvane {

namespace {

FigurePoint raised(const FigurePoint& p, float up, float forward = 0) {
    return {p.x + up, p.y + forward, p.z};
}

BlockEnd around(const FigurePoint& centre, float halfAcross, float halfDeep) {
    return {centre, halfAcross, halfDeep};
}

// A square end of a limb.
BlockEnd limbEnd(const FigurePoint& centre, float half) {
    return {centre, half, half};
}

// A point on the body's middle line at the height of `at`.
FigurePoint onMiddle(const FigurePoint& at, float up = 0) {
    return {at.x + up, 0, 0};
}

// Children are built like adults, slighter, with an adult's head: drawn
// larger than their skeleton, it is the larger head of a child.
float bodyProportion(std::string_view kind) {
    return kind == "child" ? 0.75f : 1.0f;
}

Mesh builtOn(const BlockMesh& blocks, const std::string& name, const std::string& texture, std::string_view kind) {
    return blocks.build(name, texture, [kind](std::string_view bone) { return DemoJoint(kind, bone); });
}

// ---- people

class HumanBody {
public:
    HumanBody(std::string_view kind, const BodyStyle& style)
        : kind_(kind), style_(style), s_(bodyProportion(kind)), w_(s_ * style.girth) {}

    BlockMesh blocks() const {
        BlockMesh mesh(kDemoTextureSize);
        addTrunk(mesh);
        for (const char* side : {"L_", "R_"}) {
            addArm(mesh, side);
            addLeg(mesh, side);
        }
        return mesh;
    }

private:
    FigurePoint joint(std::string_view bone) const { return DemoJoint(kind_, bone); }
    FigurePoint joint(const std::string& side, std::string_view bone) const { return joint(side + std::string(bone)); }

    void addTrunk(BlockMesh& mesh) const {
        using namespace body_areas;
        const FigurePoint hips = joint("L_LEG");
        const FigurePoint spine = joint("SPINE");
        const FigurePoint spine1 = joint("SPINE1");
        const FigurePoint spine2 = joint("SPINE2");
        const FigurePoint neck = joint("NECK");
        if (style_.skirt) {
            const FigurePoint hem = raised(onMiddle(joint("L_LEG1")), 0.15f * s_, 0.02f * s_);
            mesh.add("PELVIS", around(hem, 0.6f * w_, 0.36f * w_),
                     around(onMiddle(spine, 0.05f * s_), 0.38f * w_, 0.23f * w_), BlockPaint::all(kHem));
        } else {
            mesh.add("PELVIS", around(onMiddle(hips, -0.22f * s_), 0.38f * w_, 0.22f * w_),
                     around(onMiddle(spine), 0.4f * w_, 0.22f * w_), BlockPaint::all(kBottom));
        }
        mesh.add("SPINE", around(onMiddle(spine, -0.04f * s_), 0.41f * w_, 0.235f * w_),
                 around(onMiddle(spine, 0.06f * s_), 0.41f * w_, 0.235f * w_), BlockPaint::all(kBelt));
        mesh.add("SPINE", around(onMiddle(spine), 0.37f * w_, 0.21f * w_),
                 around(onMiddle(spine1), 0.4f * w_, 0.23f * w_), BlockPaint::all(kTop));
        const float chestDepth = (style_.skirt ? 0.26f : 0.23f) * w_;
        mesh.add("SPINE1", around(onMiddle(spine1), 0.41f * w_, 0.23f * w_),
                 around(onMiddle(spine2), 0.46f * w_, chestDepth), BlockPaint::all(kTop));
        BlockPaint shoulders = BlockPaint::all(kTop);
        shoulders.front = kTopFront;
        mesh.add("SPINE2", around(onMiddle(spine2), 0.46f * w_, chestDepth),
                 around(onMiddle(neck, -0.02f * s_), 0.4f * w_, 0.2f * w_), shoulders);
        mesh.add("NECK", limbEnd(raised(neck, -0.05f * s_), 0.12f * s_),
                 limbEnd(raised(joint("HEAD"), 0.08f * s_), 0.12f * s_), BlockPaint::all(kSkin));
    }

    // A short sleeve over the upper arm, the forearm bare.
    void addArm(BlockMesh& mesh, const std::string& side) const {
        using namespace body_areas;
        const FigurePoint shoulder = joint(side, "ARM1");
        const FigurePoint elbow = joint(side, "ARM2");
        const FigurePoint wrist = joint(side, "HAND");
        mesh.add(side + "ARM1", limbEnd(elbow, 0.1f * w_), limbEnd(raised(shoulder, 0.05f * s_), 0.13f * w_),
                 BlockPaint::all(kTop));
        mesh.add(side + "ARM2", around(wrist, 0.07f * s_, 0.08f * s_), around(elbow, 0.09f * s_, 0.095f * s_),
                 BlockPaint::all(kSkin));
    }

    void addLeg(BlockMesh& mesh, const std::string& side) const {
        using namespace body_areas;
        const FigurePoint hip = joint(side, "LEG");
        const FigurePoint knee = joint(side, "LEG1");
        const FigurePoint ankle = joint(side, "FOOT");
        const FigurePoint toe = joint(side, "TOE0");
        const float g = style_.girth;
        // Trousers end at the ankle, shorts at the knee; under a skirt the thighs are bare.
        const TextureArea thigh = style_.skirt ? kSkin : style_.bareShins ? kHem : kBottom;
        mesh.add(side + "LEG", limbEnd(knee, 0.145f * s_ * g), limbEnd(raised(hip, 0.1f * s_), 0.17f * s_ * g),
                 BlockPaint::all(thigh));
        mesh.add(side + "LEG1", around(raised(ankle, 0.05f * s_), 0.1f * s_, 0.11f * s_),
                 limbEnd(knee, 0.145f * s_ * g), BlockPaint::all(style_.bareShins ? kSkin : kHem));
        const float sole = ankle.x - 0.25f * s_;
        const FigurePoint underFoot{sole, ankle.y + 0.03f * s_, ankle.z};
        mesh.add(side + "FOOT", around(underFoot, 0.12f * s_, 0.18f * s_),
                 around(raised(underFoot, 0.35f * s_), 0.11f * s_, 0.15f * s_), BlockPaint::all(kShoe));
        const FigurePoint toeCap{sole, toe.y, toe.z};
        mesh.add(side + "TOE0", around(toeCap, 0.115f * s_, 0.1f * s_),
                 around(raised(toeCap, 0.15f * s_), 0.1f * s_, 0.09f * s_), BlockPaint::all(kShoe));
    }

    std::string_view kind_;
    BodyStyle style_;
    float s_;  // proportion of an adult's size
    float w_;  // width of the trunk and sleeves
};

// ---- animals

struct QuadrupedLook {
    float trunkHalfWidth;
    float trunkHalfHeight;
    float legHalf;  // half thickness of an upper leg
    float headHalf;
    float muzzleLength;
    bool pointedEars;
    float tailHalf;
    std::vector<FigurePoint> tail;  // the tail's line from its root, relative to TAIL
};

class Quadruped {
public:
    Quadruped(std::string_view kind, const QuadrupedLook& look) : kind_(kind), look_(look) {}

    BlockMesh blocks() const {
        BlockMesh mesh(kDemoTextureSize);
        addTrunk(mesh);
        addHead(mesh);
        addTail(mesh);
        for (const char* side : {"L_", "R_"}) {
            addFrontLeg(mesh, side);
            addHindLeg(mesh, side);
        }
        return mesh;
    }

private:
    FigurePoint joint(std::string_view bone) const { return DemoJoint(kind_, bone); }
    FigurePoint joint(const std::string& side, std::string_view bone) const { return joint(side + std::string(bone)); }

    // From the tail to the neck in four pieces along y; the chest is deeper.
    // A trunk block's depth axis points down, so its "front" is the belly.
    void addTrunk(BlockMesh& mesh) const {
        using namespace coat_areas;
        BlockPaint coat = BlockPaint::all(kFur);
        coat.front = kBelly;
        const float w = look_.trunkHalfWidth;
        const float h = look_.trunkHalfHeight;
        const float lower = -0.2f * h;  // the trunk hangs a little below the spine
        auto section = [&](std::string_view bone, float rearY, float frontY, float depth) {
            const FigurePoint at = joint(bone);
            mesh.add(bone, around({at.x + lower, rearY, 0}, w, h * depth),
                     around({at.x + lower, frontY, 0}, w, h * depth), coat);
        };
        section("PELVIS", joint("TAIL").y - 0.04f, joint("SPINE").y, 1.0f);
        section("SPINE", joint("SPINE").y, joint("SPINE1").y, 1.0f);
        section("SPINE1", joint("SPINE1").y, joint("SPINE2").y, 1.12f);
        section("SPINE2", joint("SPINE2").y, joint("NECK").y + 0.05f, 1.12f);
    }

    void addHead(BlockMesh& mesh) const {
        using namespace coat_areas;
        const FigurePoint head = joint("HEAD");
        const float hh = look_.headHalf;
        BlockPaint throat = BlockPaint::all(kFur);
        throat.front = kBelly;
        mesh.add("NECK", limbEnd(joint("NECK"), 0.7f * look_.trunkHalfWidth),
                 limbEnd(raised(head, -0.5f * hh, -0.3f * hh), 0.6f * look_.trunkHalfWidth), throat);
        BlockPaint skull = BlockPaint::all(kFur);
        skull.front = kFace;
        skull.bottom = kBelly;
        mesh.add("HEAD", around(raised(head, -hh), hh, hh), around(raised(head, hh), hh, hh), skull);
        // The muzzle runs forward, so its top end (the nose) faces the viewer.
        BlockPaint muzzle = BlockPaint::all(kBelly);
        muzzle.back = kFur;
        muzzle.top = kMuzzle;
        const FigurePoint snout = raised(head, -0.4f * hh, 0.6f * hh);
        mesh.add("HEAD", around(snout, 0.55f * hh, 0.42f * hh),
                 around(raised(snout, 0, 0.4f * hh + look_.muzzleLength), 0.5f * hh, 0.38f * hh), muzzle);
        for (float side : {-1.0f, 1.0f}) addEar(mesh, head, side);
    }

    void addEar(BlockMesh& mesh, const FigurePoint& head, float side) const {
        using namespace coat_areas;
        const float hh = look_.headHalf;
        if (look_.pointedEars) {
            BlockPaint ear = BlockPaint::all(kFur);
            ear.front = kInnerEar;
            const FigurePoint base{head.x + 0.85f * hh, head.y - 0.1f * hh, side * 0.55f * hh};
            const FigurePoint tip{head.x + 1.75f * hh, head.y - 0.15f * hh, side * 0.62f * hh};
            mesh.add("HEAD", around(base, 0.38f * hh, 0.14f * hh), around(tip, 0, 0), ear);
        } else {
            // Floppy ears hang down the sides of the skull.
            const FigurePoint tip{head.x - 0.7f * hh, head.y - 0.1f * hh, side * (hh + 0.05f)};
            const FigurePoint base{head.x + 0.9f * hh, head.y - 0.1f * hh, side * (hh + 0.03f)};
            mesh.add("HEAD", around(tip, 0.035f, 0.5f * hh), around(base, 0.035f, 0.45f * hh), BlockPaint::all(kDark));
        }
    }

    void addTail(BlockMesh& mesh) const {
        using namespace coat_areas;
        FigurePoint from = joint("TAIL");
        float half = look_.tailHalf;
        for (const FigurePoint& step : look_.tail) {
            const FigurePoint to{from.x + step.x, from.y + step.y, from.z + step.z};
            mesh.add("TAIL", limbEnd(from, half), limbEnd(to, half * 0.75f), BlockPaint::all(kDark));
            from = to;
            half *= 0.75f;
        }
    }

    // Upper leg, lower leg and paw, on the arm bones.
    void addFrontLeg(BlockMesh& mesh, const std::string& side) const {
        using namespace coat_areas;
        const float l = look_.legHalf;
        const FigurePoint elbow = joint(side, "ARM2");
        const FigurePoint wrist = joint(side, "HAND");
        const float ground = joint(side, "FINGER0").x;
        mesh.add(side + "ARM1", limbEnd(elbow, 0.8f * l), limbEnd(raised(joint(side, "ARM1"), 0.15f), l),
                 BlockPaint::all(kFur));
        mesh.add(side + "ARM2", limbEnd(wrist, 0.65f * l), limbEnd(elbow, 0.8f * l), BlockPaint::all(kFur));
        addPaw(mesh, side + "HAND", {ground, wrist.y, wrist.z}, wrist.x - ground);
    }

    // Thigh, shank, hock and paw, on the leg bones.
    void addHindLeg(BlockMesh& mesh, const std::string& side) const {
        using namespace coat_areas;
        const float l = look_.legHalf;
        const FigurePoint knee = joint(side, "LEG1");
        const FigurePoint hock = joint(side, "HORSELINK");
        const FigurePoint paw = joint(side, "FOOT");
        mesh.add(side + "LEG", limbEnd(knee, 1.1f * l), limbEnd(raised(joint(side, "LEG"), 0.15f), 1.5f * l),
                 BlockPaint::all(kFur));
        mesh.add(side + "LEG1", limbEnd(hock, 0.7f * l), limbEnd(knee, 1.0f * l), BlockPaint::all(kFur));
        mesh.add(side + "HORSELINK", limbEnd(raised(paw, 0.05f), 0.65f * l), limbEnd(hock, 0.7f * l),
                 BlockPaint::all(kFur));
        addPaw(mesh, side + "FOOT", paw, 1.4f * l);
    }

    void addPaw(BlockMesh& mesh, const std::string& bone, const FigurePoint& onGround, float height) const {
        const float l = look_.legHalf;
        const FigurePoint sole = raised(onGround, 0, 0.3f * l);
        mesh.add(bone, around(sole, 0.9f * l, 1.3f * l), around(raised(sole, height, -0.2f * l), 0.75f * l, 0.9f * l),
                 BlockPaint::all(coat_areas::kPaw));
    }

    std::string_view kind_;
    QuadrupedLook look_;
};

// ---- hands

// Palm, fingers and thumb, in the wrist's space: the hand hangs down (-x)
// with the palm to the front, so that it shows as a hand from the front,
// the thumb on the side toward the body. `s` is the proportion of an
// adult's hand.
BlockMesh handBlocks(HandSide side, float s) {
    using namespace hand_areas;
    const float inward = side == HandSide::Left ? 1.0f : -1.0f;
    auto at = [s](float x, float y, float z) { return FigurePoint{x * s, y * s, z * s}; };
    BlockPaint palm = BlockPaint::all(kSkin);
    BlockPaint fingers = palm;
    fingers.front = fingers.back = kFingers;
    BlockMesh mesh(kDemoTextureSize);
    const std::string bone = side == HandSide::Left ? "L_HAND" : "R_HAND";
    mesh.add(bone, around(at(-0.18f, 0.01f, 0), 0.085f * s, 0.04f * s), around(at(0.03f, 0, 0), 0.07f * s, 0.04f * s),
             palm);
    mesh.add(bone, around(at(-0.34f, 0.02f, -inward * 0.01f), 0.07f * s, 0.03f * s),
             around(at(-0.18f, 0.01f, 0), 0.08f * s, 0.035f * s), fingers);
    mesh.add(bone, limbEnd(at(-0.2f, 0.03f, inward * 0.13f), 0.025f * s),
             limbEnd(at(-0.06f, 0.02f, inward * 0.07f), 0.03f * s), palm);
    return mesh;
}

}  // namespace

Mesh HumanBodyMesh(const std::string& name, const std::string& texture, std::string_view kind, const BodyStyle& style) {
    return builtOn(HumanBody(kind, style).blocks(), name, texture, kind);
}

Mesh HeadMesh(const std::string& name, const std::string& texture, std::string_view kind) {
    using namespace head_areas;
    // One size for all: a child's head is drawn larger with the rest of it.
    const FigurePoint head = DemoJoint(kind, "HEAD");
    BlockPaint skull{kFace, kBack, kSide, kSide, kHair, kSkin};
    BlockMesh mesh(kDemoTextureSize);
    mesh.add("HEAD", around(raised(head, -0.02f, 0.02f), 0.22f, 0.25f), around(raised(head, 0.6f), 0.27f, 0.28f),
             skull);
    // Hair over the crown, the sides and the back of the head.
    mesh.add("HEAD", around(raised(head, 0.4f, -0.04f), 0.3f, 0.3f), around(raised(head, 0.7f, -0.04f), 0.25f, 0.26f),
             BlockPaint::all(kHair));
    mesh.add("HEAD", around(raised(head, 0.2f, 0.3f), 0.035f, 0.05f), around(raised(head, 0.32f, 0.29f), 0.03f, 0.03f),
             BlockPaint::all(kSkin));
    return builtOn(mesh, name, texture, kind);
}

Mesh HandMesh(const std::string& name, const std::string& texture, HandSide side, std::string_view kind) {
    return handBlocks(side, bodyProportion(kind)).build(name, texture, [](std::string_view) { return FigurePoint{}; });
}

Mesh DogMesh(const std::string& name, const std::string& texture) {
    const QuadrupedLook look{0.22f, 0.22f, 0.08f, 0.19f, 0.28f, false, 0.05f, {{0.25f, -0.2f, 0}, {0.2f, -0.12f, 0}}};
    return builtOn(Quadruped("dog", look).blocks(), name, texture, "dog");
}

Mesh CatMesh(const std::string& name, const std::string& texture) {
    const QuadrupedLook look{0.13f, 0.13f, 0.05f,  0.14f,
                             0.06f, true,  0.035f, {{0.25f, -0.12f, 0}, {0.25f, -0.05f, 0}, {0.12f, 0.08f, 0}}};
    return builtOn(Quadruped("kat", look).blocks(), name, texture, "kat");
}

}  // namespace corvane
