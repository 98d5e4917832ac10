// Writes the seed corpus of every fuzz target: a few sound files per target,
// made by the GameBuilder's writers, into <folder>/<target>/. A target's
// folder is emptied first, so every run starts from the same seeds.
//   seed_corpus build/fuzz/corpus
#include "FuzzNeighbourhood.h"
#include "demo/CharacterFileWriter.h"
#include "demo/DemoFigures.h"
#include "demo/DemoSkeletons.h"
#include "demo/DemoTextures.h"
#include "demo/FarArchiveWriter.h"
#include "demo/GameBuilder.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "demo/SkinFileWriters.h"
#include "platform/Base64.h"
#include "platform/BmpCodec.h"
#include "platform/LittleEndian.h"
#include "platform/WineRegistryFile.h"
#include "profiles/ProfileExport.h"
#include "render/JpegCodec.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using corvane::GameBuilder;

// The seeds of one target, by file name.
using Seeds = std::map<std::string, Bytes>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The same bytes behind a first byte that chooses the reader.
Bytes chosen(std::uint8_t reader, const Bytes& bytes) {
    Bytes out{reader};
    out.insert(out.end(), bytes.begin(), bytes.end());
    return out;
}

Bytes characterFile(const std::string& fileName, std::uint32_t guid, const std::string& ageGroup, int level) {
    corvane::CharacterFileSpec spec;
    spec.fileName = fileName;
    spec.guid = guid;
    spec.bodyStrings = corvane::StandardBodyStrings(ageGroup, level);
    return corvane::MakeCharacterFile(spec);
}

Seeds neighbourhoods() {
    Seeds seeds;
    for (int level : {0, 3, 6, 7}) {
        seeds["neighborhood-level" + std::to_string(level) + ".iff"] =
            corvane::MakeNeighbourhoodFile(corvane::fuzz::TwoHouseholds(level));
    }
    corvane::NeighbourhoodFileSpec lonely;
    lonely.neighbours.push_back({});
    seeds["neighborhood-no-families.iff"] = corvane::MakeNeighbourhoodFile(lonely);
    corvane::NeighbourhoodFileSpec full = corvane::fuzz::TwoHouseholds(7);
    for (std::uint32_t guid = 0x10; guid < 0x17; ++guid) full.families[1].members.push_back(guid);
    seeds["neighborhood-full-household.iff"] = corvane::MakeNeighbourhoodFile(full);
    return seeds;
}

Seeds characters() {
    Seeds seeds;
    seeds["adult.iff"] = corvane::fuzz::CharacterFileOf(corvane::fuzz::kNeighbours[0], 7);
    seeds["child.iff"] = characterFile("User00002", 0x05060708, "child", 3);
    seeds["dog.iff"] = characterFile("User00003", 0x090A0B0C, "dog", 7);
    return seeds;
}

corvane::Mesh bodyMesh() {
    return corvane::HumanBodyMesh("xskin-b001mafit_01-PELVIS-BODY", "b001mafitlgt_01", "adult", {});
}

std::vector<corvane::Mesh> meshes() {
    return {corvane::SampleBodyMesh("xskin-sample-PELVIS-BODY", "sample"), bodyMesh(),
            corvane::HandMesh("xskin-h001mafit_01-R_HAND-HAND", "huao", corvane::HandSide::Right, "adult")};
}

corvane::Suit suit() {
    return corvane::SampleSuit("b001mafit_01", "PELVIS", "xskin-b001mafit_01-PELVIS-BODY");
}

std::vector<corvane::Skeleton> skeletons() {
    std::vector<corvane::Skeleton> all;
    for (std::string_view kind : corvane::kDemoSkeletonKinds) all.push_back(corvane::DemoSkeleton(kind));
    return all;
}

std::vector<corvane::Bitmap> textures() {
    const corvane::OutfitColours outfit{{40, 60, 160}, {200, 200, 200}, {30, 30, 30},
                                        {90, 50, 20},  {10, 10, 10},    corvane::kLightSkin};
    const corvane::HeadColours head{corvane::kLightSkin, {60, 40, 20}, {30, 90, 160}, {180, 80, 80}};
    return {corvane::BodyTexture(outfit), corvane::HeadTexture(head), corvane::HandTexture(corvane::kLightSkin)};
}

Bytes archive() {
    const auto sample = meshes().front();
    return corvane::MakeFarArchive({{"Skins\\xskin-sample-PELVIS-BODY.bmf", corvane::BinaryMesh(sample)},
                                    {"Skins\\b001mafit_01.cmx.bcf", corvane::BinaryCharacterFile(suit())},
                                    {"Skeletons\\adult-skeleton.cmx.bcf", corvane::BinarySkeleton(skeletons()[0])},
                                    {"Textures\\sample.bmp", corvane::EncodeBmp24(textures()[2])}});
}

// An archive's directory region: what follows its directory offset.
Bytes directoryOf(const Bytes& far) {
    const auto offset = corvane::U32LeAt(far, 12).value_or(0);
    return Bytes(far.begin() + offset, far.end());
}

Seeds binarySkins(bool withArchive) {
    Seeds seeds;
    seeds["suit.bcf"] = chosen(0, corvane::BinaryCharacterFile(suit()));
    for (const corvane::Skeleton& skeleton : skeletons()) {
        seeds[skeleton.kind + "-skeleton.bcf"] = chosen(1, corvane::BinarySkeleton(skeleton));
    }
    if (withArchive) {
        const auto all = meshes();
        for (std::size_t i = 0; i < all.size(); ++i) {
            seeds["mesh" + std::to_string(i) + ".bmf"] = chosen(2, corvane::BinaryMesh(all[i]));
        }
        seeds["directory.far"] = chosen(3, directoryOf(archive()));
    }
    return seeds;
}

Seeds registryHives() {
    const std::string key = "Software\\Maxis\\The Sims";
    corvane::WineRegistryFile hive(
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n"
        "[Software\\\\Maxis\\\\The Sims] 1600000000\n#time=1d6a0b0c0d0e0f0\n");
    hive.writeString(key, "SIMS_DATA", "C:\\Program Files\\Maxis\\The Sims\\");
    hive.writeString(key, "SIMS_LANGUAGE", "USEnglish");
    hive.writeString(key, "", "default");
    corvane::WineRegistryFile wow(
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
        "[Software\\\\Wow6432Node\\\\Maxis\\\\The Sims] 1600000000\n\"Count\"=dword:00000001\n"
        "\"Blob\"=hex:00,01,02,\\\n  03,04\n\"Expanded\"=str(2):\"%ProgramFiles%\"\n");
    wow.writeString("Software\\Wow6432Node\\Maxis\\The Sims", "SIMS_DATA", "D:\\Games\\Sims\\");
    return {{"system.reg", bytesOf(hive.text())}, {"system-wow64.reg", bytesOf(wow.text())}};
}

Seeds languageTables() {
    return {{"CV3Dusen.lng", bytesOf("\xEF\xBB\xBF# Corvane 3D\r\n5010\tOK\r\n5022\tCorvane 3D\r\n"
                                     "7093\tOne line\\nand another\\t with a tab \\\\ and a backslash\r\n")},
            {"CV3Dfren.lng", bytesOf("5010\tD'accord\n5022\tCorvane 3D\n\n6046\tFortune : \n")}};
}

Seeds textSkins() {
    Seeds seeds;
    for (const corvane::Skeleton& skeleton : skeletons()) {
        seeds[skeleton.kind + "-skeleton.cmx"] = bytesOf(corvane::JoinCrLf(corvane::SkeletonFileLines(skeleton)));
    }
    return seeds;
}

Seeds textMeshes() {
    Seeds seeds;
    const auto all = meshes();
    for (std::size_t i = 0; i < all.size(); ++i) {
        seeds["mesh" + std::to_string(i) + ".skn"] = bytesOf(corvane::JoinCrLf(corvane::MeshFileLines(all[i])));
    }
    return seeds;
}

Seeds bitmaps() {
    Seeds seeds;
    const auto all = textures();
    for (std::size_t i = 0; i < all.size(); ++i) {
        seeds["texture" + std::to_string(i) + "-24.bmp"] = corvane::EncodeBmp24(all[i]);
    }
    const auto paletted = corvane::Bitmap::fromIndices(5, 3, {{0, 0, 0}, {236, 196, 160}, {40, 60, 160}},
                                                       {0, 1, 2, 1, 0, 2, 2, 1, 0, 0, 1, 1, 2, 2, 0});
    seeds["paletted-8.bmp"] = corvane::EncodeBmp8(paletted);
    return seeds;
}

Seeds jpegs() {
    Seeds seeds;
    const auto all = textures();
    for (std::size_t i = 0; i < all.size(); ++i) {
        seeds["texture" + std::to_string(i) + ".jpg"] = corvane::EncodeJpeg(all[i], 75);
    }
    return seeds;
}

// An element holding `bytes` as a profile embeds a file.
std::string binData(const std::string& fileName, const Bytes& bytes) {
    return "<BinData dt:dt=\"bin.base64\" FileName=\"" + fileName + "\">" + corvane::EncodeBase64(bytes) + "</BinData>\n";
}

Seeds profiles() {
    corvane::Sim adult;
    adult.FileName = "User00001";
    adult.FirstName = "Victor";
    adult.Bio = "Line one\r\nline two";
    adult.Neat = 800;
    adult.Career = 12;
    adult.JobLevel = 3;
    adult.FameScore = 400;
    adult.BodyMesh = "b001mafit_01";
    adult.BodyTexture = "sample";
    corvane::ProfileExportOptions options;
    options.dateTime = "2026-12-11T09:30:00";
    options.credits = "Made for the fuzzer";
    const std::string bare = corvane::BuildProfileText(adult, {}, std::nullopt, options);
    std::string withFiles = bare;
    withFiles.insert(withFiles.find("<CVPCredits"),
                     binData("b001mafit_01.cmx", bytesOf(corvane::JoinCrLf(corvane::CharacterFileLines(suit())))) +
                         binData("xskin-b001mafit_01-PELVIS-BODY.skn",
                                 bytesOf(corvane::JoinCrLf(corvane::MeshFileLines(bodyMesh())))) +
                         binData("sample.bmp", corvane::EncodeBmp24(textures()[2])));
    corvane::Sim child = adult;
    child.AgeGroup = "child";
    child.Age = 9;
    child.SkinAge = 9;
    child.Career = 0;
    child.JobLevel = 0;
    child.BodySize = "chd";
    return {{"adult.cvp", bytesOf(bare)},
            {"adult-with-files.cvp", bytesOf(withFiles)},
            {"child-with-pictures.cvp",
             bytesOf(corvane::BuildProfileText(child, {}, Bytes{'B', 'M', 'P', '_', 0, 0, 0, 16}, options))}};
}

Seeds joined(Seeds a, const Seeds& b) {
    a.insert(b.begin(), b.end());
    return a;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: seed_corpus FOLDER\n";
        return 1;
    }
    try {
        const std::map<std::string, Seeds> targets{
            {"bcf_fuzz", binarySkins(false)},
            {"bmf_fuzz", [] {
                 Seeds seeds;
                 const auto all = meshes();
                 for (std::size_t i = 0; i < all.size(); ++i) {
                     seeds["mesh" + std::to_string(i) + ".bmf"] = corvane::BinaryMesh(all[i]);
                 }
                 return seeds;
             }()},
            {"bmp_fuzz", bitmaps()},
            {"character_fuzz", joined(characters(), neighbourhoods())},
            {"far_fuzz", {{"directory.far", [] {
                               // The reader is given the directory as if it followed a 16-byte header.
                               return directoryOf(archive());
                           }()}}},
            {"iff_fuzz", joined(characters(), neighbourhoods())},
            {"jpeg_fuzz", jpegs()},
            {"language_fuzz", languageTables()},
            {"profile_fuzz", profiles()},
            {"registry_fuzz", registryHives()},
            {"skeleton_fuzz", textSkins()},
            {"skin_binaries_fuzz", binarySkins(true)},
            {"skn_model_fuzz", textMeshes()},
            {"family_update_fuzz", neighbourhoods()},
            {"neighbourhood_values_fuzz", neighbourhoods()},
            {"relationships_fuzz", neighbourhoods()},
        };
        const std::filesystem::path root = argv[1];
        GameBuilder corpus(root);
        for (const auto& [target, seeds] : targets) {
            std::filesystem::remove_all(root / target);
            for (const auto& [name, bytes] : seeds) corpus.writeFile(target + "/" + name, bytes);
        }
    } catch (const std::exception& error) {
        std::cerr << "seed_corpus: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
