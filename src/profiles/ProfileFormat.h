#pragma once

#include "sim/Sim.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace corvane {

/*
 A character profile (.cvp): XML 1.0 in UTF-8.

   <Corvane_Profile xmlns:dt="urn:schemas-microsoft-com:datatypes">
     <SimRecord DateTime="…" ExpansionLevel="7" Rating="T" Warning="False">
       45 value elements   <Neat dt:dt="Int">800</Neat>, <FirstName dt:dt="string">…</FirstName>
       32 skin elements    <BodyMesh dt:dt="string">b001mafit_01</BodyMesh>
       BinData…            <BinData dt:dt="bin.base64" FileName="b001mafit_01.cmx">…</BinData>
       BmpData (0 or 1)    the character file's BMP_ chunks, web_image left out
       CVPCredits          <CVPCredits dt:dt="string">…</CVPCredits>
     </SimRecord>
   </Corvane_Profile>

 Type names ("string", "Int", "bin.base64") are compared ignoring letter case.
*/

inline constexpr std::string_view kProfileRoot = "Corvane_Profile";
inline constexpr std::string_view kProfileRecord = "SimRecord";
inline constexpr std::string_view kDataTypesNamespace = "urn:schemas-microsoft-com:datatypes";
inline constexpr std::string_view kProfileExtension = ".cvp";

enum class ProfileValueType { String, Int };

// One value element: its name, its type and the record's field it holds.
struct ProfileValueElement {
    std::string_view name;
    ProfileValueType type;
    std::variant<std::int32_t Sim::*, std::string Sim::*> field;
};

// The 45 value elements in the order a profile holds them.
const std::array<ProfileValueElement, 45>& ProfileValueElements();

// One skin element (a string): the field it holds and the extension of its file.
struct ProfileSkinElement {
    std::string_view name;
    std::string Sim::*field;
    std::string_view extension;  // ".cmx" for meshes, ".bmp" for textures
};

// The 32 skin elements in the order a profile holds them.
const std::array<ProfileSkinElement, 32>& ProfileSkinElements();

// One file of a profile's preview: an image cell or a check box.
struct ProfilePreviewItem {
    enum class Kind { Image, CharacterFile, Mesh };
    Kind kind;
    std::string fileName;
    std::size_t position;  // the preview's tag: in the file list (export) or among SimRecord's children (import)
};

// Files (name, position) in the order the preview shows them: textures
// (never "x.bmp"), then character files, then meshes, each kind in the given
// order; other files are not offered. Extensions ignore letter case.
std::vector<ProfilePreviewItem> ProfilePreviewOrder(const std::vector<std::pair<std::string, std::size_t>>& files);

}  // namespace corvane
