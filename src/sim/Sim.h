#pragma once

#include "platform/FileStamp.h"
#include "skins/SlotPatterns.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// One relationship of a character toward another character of the neighbourhood.
struct SimRelationShip {
    std::int32_t TargetID = 0;      // the other character's NeighborID
    std::string TargetFirstName;
    std::string TargetLastName;
    std::int32_t Daily = 0;         // -100..100
    std::int32_t Lifetime = 0;      // -100..100
    std::int32_t Crush = 0;         // 1: has a crush
    std::int32_t Love = 0;          // 1: in love
    std::int32_t ValueCount = 0;    // values the file's record holds: Daily, Crush, Lifetime, Love in that order
    std::int32_t RecordPos = 0;     // position of the record's target-id field in neighborhood.iff

    friend bool operator==(const SimRelationShip&, const SimRelationShip&) = default;
};

// One character of the open neighbourhood. Texts are bytes in the game's
// code page; person-data values (16-bit in the file) are held zero-extended,
// so 0xFFFF reads as 65535.
struct Sim {
    std::string FileName;              // "User00001", without ".iff"
    std::int32_t NeighborID = 0;
    std::int32_t NeighborEntryPos = 0;  // 0: no neighbour entry was found
    std::string FirstName;
    std::string Bio;

    // Personality, skills and interests, 0..1000.
    std::int32_t Nice = 0, Active = 0, Playful = 0, Outgoing = 0, Neat = 0;
    std::int32_t Cleaning = 0, Cooking = 0, Charisma = 0, Mechanical = 0;
    std::int32_t Exercise = 0, Food = 0, Creativity = 0, Parties = 0, Body = 0, Logic = 0;
    std::int32_t Style = 0, Hollywood = 0, Travel = 0, Money = 0, Politics = 0, Sixties = 0;
    std::int32_t Weather = 0, Sports = 0, Music = 0, Outdoors = 0, Technology = 0, Romance = 0;

    std::int32_t Career = 0;    // 0 none, 1..10 and 12..21 careers, 65535 a child at school
    std::int32_t JobLevel = 0;  // 0..9
    std::int32_t Age = 27;      // 9 child, 27 adult; below 10 counts as a child
    std::string AgeGroup = "adult";  // "adult", "child", "dog", "kat"
    std::int32_t SkinColor = 1;      // 1 light, 2 dark, 3 medium
    std::string SkinTone = "lgt";    // goes with SkinColor
    std::int32_t FamilyNumber = 0;
    std::int32_t JobPerformance = 0;  // 0..100
    std::int32_t Gender = 0;          // 0/1 male/female; 2/3 dog; 4/5 cat
    std::int32_t HauntAddress = 0;
    std::int32_t Ghost = 0;
    std::int32_t FameScore = 0;              // 0..1000
    std::int32_t FameStarPower = 0;          // half stars, 0..10
    std::int32_t FameStarHighWatermark = 0;  // half stars, never below FameStarPower
    std::string LastName;
    std::string GUID;  // the four raw GUID bytes of the character object
    std::int32_t FamilyChunkPos = 0;
    std::int32_t HouseNumber = 0;  // 0: the family has no house
    std::int32_t FamilyCash = 0;
    std::int32_t FamilyAssets = 0;

    // The skins: base names of character files (Mesh) and textures (Texture).
    std::string BodyMesh, BodyTexture, HeadMesh, HeadTexture, NudeMesh, NudeTexture, SwimMesh, SwimTexture;
    std::string OpenLHandMesh, OpenLHandTexture, OpenRHandMesh, OpenRHandTexture;
    std::string PointingLHandMesh, PointingLHandTexture, PointingRHandMesh, PointingRHandTexture;
    std::string CloseLHandMesh, CloseLHandTexture, CloseRHandMesh, CloseRHandTexture;
    std::string FormalMesh, FormalTexture, WinterMesh, WinterTexture, FashionMesh, FashionTexture;
    std::string FormalLHandMesh, FormalLHandTexture, FormalRHandMesh, FormalRHandTexture;
    std::string PajamaMesh, PajamaTexture;

    std::array<std::string, 9> BodyString3to11;   // body-strings entries 3..11, carried verbatim
    std::array<std::string, 4> BodyString23to26;  // entries 23..26, carried verbatim
    std::string GenderWord;  // entry 12 as loaded; written back when Gender has no word of its own
    std::string BodyStringsHead;                  // first 80 bytes of the body-strings chunk
    std::int32_t ThumbnailIndex = 0;
    std::string BodySize = "fit";  // "fit", "fat", "skn", "tnr", "chd"
    std::int32_t SkinAge = 27;     // the age whose skins the character wears
    std::int32_t PersonDataValues = 80;  // length of the person-data array: 80 (older records) or 256

    std::vector<SimRelationShip> Relationships;

    bool Modified = false;
    bool LastNameChanged = false;
    bool FamilyChanged = false;
    bool ResetThumbnail = false;

    // Why the character's files were read as damaged ("User00002.iff: the
    // body strings end inside entry 7 at offset 3120"); empty when sound. A
    // damaged character can be looked at, but its files are never rewritten.
    std::string Damage;

    // The character file's size and modification time when it was read (or
    // last saved): a save that finds the file otherwise asks before it
    // overwrites it. Nothing when unknown; such a file is not checked.
    std::optional<FileStamp> FileStampAsRead;

    // Without a neighbour entry nothing of the person data or relationships
    // may ever be written to neighborhood.iff.
    bool hasNeighbourEntry() const { return NeighborEntryPos != 0; }
    bool isDamaged() const { return !Damage.empty(); }

    // The relationship toward `targetId`, or nullptr.
    SimRelationShip* relationshipTo(std::int32_t targetId);

    friend bool operator==(const Sim&, const Sim&) = default;
};

// The 32 skin fields by their names, in their fixed order.
struct SkinField {
    std::string_view name;
    std::string Sim::*field;
};
const std::array<SkinField, 32>& SkinFields();

// What of the character decides which skins fit it.
SkinCodes SkinCodesOf(const Sim& sim, int expansionLevel);

// A GUID as its four bytes in file order, each as two lower-case hex digits.
std::string GuidAsHex(const std::string& guid);

// The character of `neighborId` among `characters`, or nullptr.
Sim* FindSimByNeighborID(const std::vector<std::unique_ptr<Sim>>& characters, std::int32_t neighborId);

}  // namespace corvane
