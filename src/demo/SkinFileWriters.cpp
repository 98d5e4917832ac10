#include "demo/SkinFileWriters.h"
#include "platform/LittleEndian.h"

#include "skins/SkinNumberFormat.h"

#include <bit>

namespace corvane {

namespace {

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    AppendLe(out, value);
}

void appendI32(std::vector<std::uint8_t>& out, std::int32_t value) {
    appendU32(out, static_cast<std::uint32_t>(value));
}

void appendF32(std::vector<std::uint8_t>& out, float value) {
    appendU32(out, std::bit_cast<std::uint32_t>(value));
}

void appendString(std::vector<std::uint8_t>& out, const std::string& text) {
    out.push_back(static_cast<std::uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

std::int32_t count(std::size_t size) {
    return static_cast<std::int32_t>(size);
}

template <typename Record, typename Format>
void appendRecords(std::vector<std::string>& lines, const std::vector<Record>& records, Format format) {
    lines.push_back(std::to_string(records.size()));
    for (const Record& record : records) {
        std::string line;
        for (std::size_t i = 0; i < record.size(); ++i) {
            line += (i == 0 ? "" : " ") + format(record[i]);
        }
        lines.push_back(line);
    }
}

void appendBoneLines(std::vector<std::string>& lines, const SkeletonBone& bone) {
    lines.push_back(bone.name);
    lines.push_back(bone.parent);
    if (bone.hasProperty) {
        lines.insert(lines.end(), {"1", "1", bone.propertyName, bone.propertyValue});
    } else {
        lines.push_back("0");
    }
    lines.push_back(FormatVectorLine(bone.translation, 3));
    lines.push_back(FormatVectorLine(bone.rotation, 4));
    lines.insert(lines.end(), {"8", "0", "1", "0"});
    lines.push_back(FormatTwoDecimals(bone.wiggle));
}

}  // namespace

std::vector<std::string> CharacterFileLines(const Suit& suit) {
    std::vector<std::string> lines{"// Character File. Synthetic game", "version 300", "0", "1", suit.name,
                                   std::to_string(suit.kind), "0", std::to_string(suit.skins.size())};
    for (const SuitSkin& skin : suit.skins) {
        lines.insert(lines.end(), {skin.bone, skin.mesh, "0", "0"});
    }
    lines.push_back("0");
    return lines;
}

std::vector<std::string> SkeletonFileLines(const Skeleton& skeleton) {
    std::vector<std::string> lines{"// Skeleton File. Synthetic game", "version 300", "1", skeleton.kind,
                                   std::to_string(skeleton.bones.size())};
    for (const SkeletonBone& bone : skeleton.bones) {
        appendBoneLines(lines, bone);
    }
    lines.insert(lines.end(), {"0", "0"});
    return lines;
}

std::vector<std::string> MeshFileLines(const Mesh& mesh) {
    std::vector<std::string> lines{mesh.name, mesh.texture, std::to_string(mesh.bones.size())};
    lines.insert(lines.end(), mesh.bones.begin(), mesh.bones.end());
    auto integer = [](std::int32_t v) { return std::to_string(v); };
    auto real = [](float v) { return FormatMeshReal(v); };
    appendRecords(lines, mesh.faces, integer);
    appendRecords(lines, mesh.bindings, integer);
    appendRecords(lines, mesh.coordinates, real);
    appendRecords(lines, mesh.blends, integer);
    appendRecords(lines, mesh.vertices, real);
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

std::vector<std::uint8_t> BinaryCharacterFile(const Suit& suit) {
    std::vector<std::uint8_t> out;
    appendU32(out, 0);  // skeletons
    appendU32(out, 1);  // suits
    appendString(out, suit.name);
    appendU32(out, suit.kind);
    appendU32(out, 0);
    appendU32(out, static_cast<std::uint32_t>(suit.skins.size()));
    for (const SuitSkin& skin : suit.skins) {
        appendString(out, skin.bone);
        appendString(out, skin.mesh);
        appendU32(out, 0);  // censor flags
        appendU32(out, 0);
    }
    appendU32(out, 0);  // skills
    return out;
}

std::vector<std::uint8_t> BinarySkeleton(const Skeleton& skeleton) {
    std::vector<std::uint8_t> out;
    appendU32(out, 1);
    appendString(out, skeleton.kind);
    appendI32(out, count(skeleton.bones.size()));
    for (const SkeletonBone& bone : skeleton.bones) {
        appendString(out, bone.name);
        appendString(out, bone.parent);
        if (bone.hasProperty) {
            appendI32(out, 1);
            appendI32(out, 1);
            appendString(out, bone.propertyName);
            appendString(out, bone.propertyValue);
        } else {
            appendF32(out, 0);
        }
        for (float v : bone.translation) appendF32(out, v);
        for (float v : bone.rotation) appendF32(out, v);
        for (std::int32_t v : {8, 0, 1, 0}) appendI32(out, v);
        appendF32(out, bone.wiggle);
    }
    return out;
}

std::vector<std::uint8_t> BinaryMesh(const Mesh& mesh) {
    std::vector<std::uint8_t> out;
    appendString(out, mesh.name);
    appendString(out, mesh.texture);
    appendU32(out, static_cast<std::uint32_t>(mesh.bones.size()));
    for (const std::string& bone : mesh.bones) appendString(out, bone);
    appendI32(out, count(mesh.faces.size()));
    for (const auto& face : mesh.faces) for (auto v : face) appendI32(out, v);
    appendI32(out, count(mesh.bindings.size()));
    for (const auto& binding : mesh.bindings) for (auto v : binding) appendI32(out, v);
    appendI32(out, count(mesh.coordinates.size()));
    for (const auto& uv : mesh.coordinates) for (auto v : uv) appendF32(out, v);
    appendI32(out, count(mesh.blends.size()));
    for (const auto& blend : mesh.blends) {
        appendI32(out, blend[1]);  // stored weight first
        appendI32(out, blend[0]);
    }
    appendI32(out, count(mesh.vertices.size()));
    for (const auto& vertex : mesh.vertices) for (auto v : vertex) appendF32(out, v);
    return out;
}

Mesh SampleBodyMesh(const std::string& name, const std::string& texture) {
    Mesh mesh;
    mesh.name = name;
    mesh.texture = texture;
    mesh.bones = {"PELVIS"};
    mesh.faces = {{0, 1, 2}};
    mesh.bindings = {{0, 0, 3, -1, 0}};
    mesh.coordinates = {{0.5f, 1.0f}, {0.25f, 0.0f}, {1.0f, 0.5f}};
    mesh.vertices = {{0, 0, 0, 0, 0, 1}, {0.1f, 0, 0, 0, 0, 1}, {0, 0.1f, 0, 0, 0, 1}};
    return mesh;
}

Suit SampleSuit(const std::string& name, const std::string& bone, const std::string& mesh) {
    return Suit{name, 0, {{bone, mesh}}};
}

}  // namespace corvane
