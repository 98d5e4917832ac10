#pragma once

// Small skeletons and meshes built in code for the preview's tests.
#include "demo/SkinFileWriters.h"
#include "render/Skeleton.h"
#include "render/SknModel.h"
#include "skins/FarArchive.h"
#include "skins/SkinCatalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace corvane::render_test {

inline SkeletonBone boneOf(const std::string& name, const std::string& parent, TVector3 translation,
                           TQuaternion rotation) {
    SkeletonBone bone;
    bone.name = name;
    bone.parent = parent;
    bone.propertyName = "name";
    bone.propertyValue = "x";
    bone.translation[0] = translation.x;
    bone.translation[1] = translation.y;
    bone.translation[2] = translation.z;
    bone.rotation[0] = rotation.x;
    bone.rotation[1] = rotation.y;
    bone.rotation[2] = rotation.z;
    bone.rotation[3] = rotation.w;
    return bone;
}

// A skeleton file of the kind, with its property block where the game puts
// it: on an adult's second bone, on a child's first.
inline Skeleton skeletonOf(const std::string& kind, std::vector<SkeletonBone> bones) {
    const std::size_t propertyBone = kind == "adult" ? 1 : kind == "child" ? 0 : bones.size();
    if (propertyBone < bones.size()) {
        bones[propertyBone].hasProperty = true;
    }
    return Skeleton{kind, std::move(bones)};
}

inline TSkeleton toBone(const SkeletonBone& bone) {
    return {bone.name,
            bone.parent,
            {bone.translation[0], bone.translation[1], bone.translation[2]},
            {bone.rotation[0], bone.rotation[1], bone.rotation[2], bone.rotation[3]}};
}

// A quarter turn about z: (x, y, z) becomes (−y, x, z).
inline TQuaternion quarterTurnAboutZ(float scale = 1.0f) {
    const float half = std::sqrt(0.5f);
    return {0, 0, half * scale, half * scale};
}

inline constexpr TQuaternion kIdentity{0, 0, 0, 1};

// A catalogue whose lists all hold every entry of one archive: each lookup
// filters by name itself.
inline SkinCatalogue catalogueOfArchive(const std::filesystem::path& archive) {
    std::vector<FarRecordDetails> entries;
    for (const FarDirectoryEntry& entry : ReadFarDirectory(archive)) {
        entries.push_back({entry.size, entry.size2, entry.offset, archive, entry.entryName});
    }
    SkinCatalogue catalogue;
    catalogue.ArchiveMeshEntries = entries;
    catalogue.ArchiveCharacterEntries = entries;
    catalogue.ArchiveTextureEntries = entries;
    catalogue.SknFileList.emplace();
    return catalogue;
}

inline void expectNear(const TVector3& actual, const TVector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace corvane::render_test
