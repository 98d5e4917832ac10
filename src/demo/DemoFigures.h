#pragma once

#include "demo/SkinFileWriters.h"

#include <string>
#include <string_view>

namespace corvane {

// The low-poly parts of the demo's characters: meshes bound to the bones of
// the demo skeleton of their kind ("adult", "child", "dog", "kat"; see
// DemoSkeletons) and painted from the layouts of DemoTextures. The mesh's
// default texture is `texture`.

// How a person's body is cut and dressed.
struct BodyStyle {
    bool skirt = false;      // a skirt or dress to the knees in place of trousers
    bool bareShins = false;  // shorts or a skirt: the shins show skin
    float girth = 1.0f;      // 1 for a fit body, more for a fat one
};

// Hips, torso, neck, arms and legs with shoes, but neither head nor hands:
// on PELVIS, the spine, NECK, the arm and the leg bones.
Mesh HumanBodyMesh(const std::string& name, const std::string& texture, std::string_view kind, const BodyStyle& style);

// The skull with its face, a cap of hair and the nose, on HEAD.
Mesh HeadMesh(const std::string& name, const std::string& texture, std::string_view kind);

// An open hand hanging from the wrist, thumb to the front, on L_HAND or
// R_HAND. Made in the wrist's own space, so it hangs right on adults and
// children alike; a child's ("child") is smaller, in the proportion of its body.
enum class HandSide { Left, Right };
Mesh HandMesh(const std::string& name, const std::string& texture, HandSide side, std::string_view kind);

// Whole animals: trunk, legs, neck and head with muzzle and ears, and tail.
Mesh DogMesh(const std::string& name, const std::string& texture);
Mesh CatMesh(const std::string& name, const std::string& texture);

}  // namespace corvane
