#pragma once

#include "platform/Bitmap.h"
#include "platform/Dialogs.h"
#include "render/Quaternions.h"
#include "render/Skeleton.h"
#include "skins/SkinCatalogue.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

/*
 SKN mesh text, as the preview reads it (lines counted from 0):

   0 mesh name (not read), 1 default texture (not read), 2 bone count B
   B bone names (exact, no trimming)
   F, then F faces           "a b c"        vertex indices
   N, then N bindings        "i first count j k"   binding n belongs to bone name n
   T, then T coordinates     "u v"
   D, then D blends          "vertex weight"
   V, then V vertices        "px py pz nx ny nz"

 Body meshes hold V = T + D: the D blend vertices follow the T drawn ones, lie
 in no binding and are used by no face.
*/

// One binding of the mesh: the vertices [firstVertex, firstVertex + vertexCount) hang on `boneName`.
struct TGroupData {
    std::int32_t boneIndex = 0;  // first integer of the binding line, not interpreted
    std::string boneName;
    std::int32_t firstVertex = 0;
    std::int32_t vertexCount = 0;
    std::int32_t firstBlend = 0;  // fourth and fifth integers, not interpreted
    std::int32_t blendCount = 0;
};

struct TTextureCoordinate {
    float u = 0;
    float v = 0;  // already flipped: 1 − v of the file
};

struct TBlendEntry {
    std::int32_t vertex = 0;
    float weight = 0;
};

// A bone rotation of a pose library; the preview's libraries stay empty.
struct TPoseRotations {
    std::string bone;
    TQuaternion rotation;
};

struct TPoseLibrary {
    std::string name;
    bool child = false;
    std::vector<TPoseRotations> rotations;
};

using TFace = std::array<std::int32_t, 3>;

// One mesh of the dressed character as the preview draws it: its vertices in
// model space, in the preview pose, with its own copy of the skeleton.
struct TSKNModel {
    std::filesystem::path meshPath;     // if no file is there, its base name is looked up in the archives
    std::filesystem::path texturePath;  // likewise
    std::string skeletonName;           // bare file name, "adult-skeleton.cmx"
    std::filesystem::path posePath;     // kept, never opened
    SkeletonKind kind = Adult;
    std::vector<TSkeleton> bones;
    TPoseLibrary poseLibrary;
    bool loaded = false;
    std::vector<TFace> faces;
    std::vector<TVector3> positions;
    std::vector<TVector3> normals;
    std::vector<TTextureCoordinate> textureCoordinates;
    std::vector<TBlendEntry> blends;
    std::uint32_t texture = 0;  // texture name of the drawing layer; nothing here sets it
    std::vector<TGroupData> bindings;
};

// Replaces the mesh fields of `model` (faces, positions, normals, texture
// coordinates, blends, bindings) with those of the mesh lines, unposed.
// Throws FormatError naming `fileName` and the line when a line is missing,
// a number does not parse, a count is negative, there are more binding lines
// than bone names, or a face uses a vertex that does not exist, has no texture
// coordinate or lies in no binding. Vertices that no face uses need neither.
void ParseSknModel(const std::vector<std::string>& lines, const std::string& fileName, TSKNModel& model);

// Carries every vertex that a binding covers into model space on the model's
// skeleton (the first binding whose range holds it names its bone); the
// others stay as read.
void PoseSknModel(TSKNModel& model);

// The scale a mesh is drawn at: animals 2.5, children 1.2, adults 1.
float DrawScale(SkeletonKind kind);

// The vertex indices of a face in the order they are drawn: third, second, first.
TFace FaceCornersInDrawOrder(const TFace& face);

struct LoadedSknModel {
    TSKNModel model;
    Bitmap texture;  // decoded; the drawing layer makes its texture from it
};

// Reads the mesh at the model's mesh path (else the archived mesh of its base
// name) and its texture (the file through the size fix, else the archived
// texture of its base name), parses and poses the mesh. `model` must carry
// its paths and a loaded skeleton. When the mesh or the texture is nowhere,
// says "CV3D Error, Unable to locate <path with .skn or .bmp>" and returns
// nothing. Throws FormatError for a malformed mesh or texture, and
// std::runtime_error when a file or archive cannot be read.
std::optional<LoadedSknModel> LoadSknModel(TSKNModel model, const SkinCatalogue& catalogue, Dialogs& dialogs);

}  // namespace corvane
