#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// Skins of the synthetic game, in the game's text and binary forms.

struct SuitSkin {
    std::string bone;  // "PELVIS", "HEAD", "R_HAND", "L_HAND"
    std::string mesh;  // "xskin-b001mafit_01-PELVIS-BODY"
};

struct Suit {
    std::string name;  // the character file's base name
    std::uint32_t kind = 0;
    std::vector<SuitSkin> skins;
};

struct SkeletonBone {
    std::string name;
    std::string parent;  // "NULL" for the root
    bool hasProperty = false;
    std::string propertyName;
    std::string propertyValue;
    float translation[3] = {0, 0, 0};
    float rotation[4] = {0, 0, 0, 1};
    float wiggle = 0;
};

struct Skeleton {
    std::string kind;  // "adult", "child", "dog", "kat"
    std::vector<SkeletonBone> bones;
};

struct Mesh {
    std::string name;
    std::string texture;
    std::vector<std::string> bones;
    std::vector<std::array<std::int32_t, 3>> faces;
    std::vector<std::array<std::int32_t, 5>> bindings;  // bone, first vertex, count, first blend, blend count
    std::vector<std::array<float, 2>> coordinates;
    std::vector<std::array<std::int32_t, 2>> blends;    // vertex, weight (of 32768)
    std::vector<std::array<float, 6>> vertices;         // position, normal
};

// The text forms, as lines (written with CR LF like the game's files).
std::vector<std::string> CharacterFileLines(const Suit& suit);
std::vector<std::string> SkeletonFileLines(const Skeleton& skeleton);
std::vector<std::string> MeshFileLines(const Mesh& mesh);
std::string JoinCrLf(const std::vector<std::string>& lines);

// The binary forms the game keeps in its archives.
std::vector<std::uint8_t> BinaryCharacterFile(const Suit& suit);
std::vector<std::uint8_t> BinarySkeleton(const Skeleton& skeleton);
std::vector<std::uint8_t> BinaryMesh(const Mesh& mesh);

// A small but complete body mesh on the pelvis, and the suit that wears it.
Mesh SampleBodyMesh(const std::string& name, const std::string& texture);
Suit SampleSuit(const std::string& name, const std::string& bone, const std::string& mesh);

}  // namespace corvane
