#include "skins/SkinListing.h"

#include "platform/AsciiText.h"
#include "platform/TextLines.h"
#include "skins/FolderListingCache.h"
#include "skins/MeshCheckCache.h"
#include "skins/WildcardMask.h"

#include <algorithm>
#include <array>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace corvane {

namespace {

// A file (or folder) of the skin folders that the walk found for a mask.
struct Found {
    std::filesystem::path path;
    std::string name;  // as on disk
    bool isFolder = false;
};

const std::vector<FarRecordDetails>& entriesOf(const std::optional<std::vector<FarRecordDetails>>& list) {
    static const std::vector<FarRecordDetails> none;
    return list ? *list : none;
}

// The name less its last `count` characters (the extension, or for archive
// character entries ".cmx" and the binary extension).
std::string withoutLast(const std::string& name, std::size_t count) {
    return name.size() > count ? name.substr(0, name.size() - count) : std::string();
}

std::string key(const std::string& entry) {
    return ToLowerAscii(Trimmed(entry));
}

// A found name is a candidate only when it begins with the mask's first
// character. Masks beginning with "*" are the formal hands': they also admit
// hand skins, whose names begin with "h" or "g". For meshes this lists the
// player's own loose formal hands beside the archive's (the game's rule
// listed only the archive's); they are still checked and go through the same
// deletions as every other mesh.
bool admittedByFirstCharacter(std::string_view mask, std::string_view name) {
    if (mask.empty() || name.empty()) return false;
    const char first = LowerAscii(mask.front());
    const char own = LowerAscii(name.front());
    return own == first || (first == '*' && (own == 'h' || own == 'g'));
}

// The search folders' entries matching the mask, folders included, then the
// plain files directly in each fallback folder (not their subfolders), in
// folder order. The first character is tested first: it turns most names away
// at once. A file reached again through a link is listed once; FIFOs, sockets
// and devices are left out (the skin checks name them).
std::vector<Found> walkFolders(const SkinFolders& folders, std::string_view mask) {
    std::vector<Found> found;
    std::set<FileIdentity> listed;
    FolderListingCache& cache = SharedFolderListings();
    const auto walk = [&](const std::string& relative, bool plainFilesOnly) {
        const std::filesystem::path folder = cache.resolveExisting(folders.gamePath(), relative);
        const auto listing = folder.empty() ? nullptr : cache.listing(folder);
        if (!listing) return;
        for (const FolderListing::Entry& entry : listing->entries) {
            if (plainFilesOnly && (entry.isFolder || entry.name.starts_with('.'))) continue;
            if (entry.special || !admittedByFirstCharacter(mask, entry.name) || !MatchesMask(mask, entry.name)) continue;
            if (!entry.identity || listed.insert(*entry.identity).second) {
                found.push_back({folder / entry.name, entry.name, entry.isFolder});
            }
        }
    };
    for (const std::string& relative : folders.SearchFolders()) walk(relative, false);
    for (const std::string& relative : SkinFolders::FallbackFolders()) walk(relative, true);
    return found;
}

// The walk's meshes that pass the character-file check, as base names; a
// refused file is said through `dialogs` and left out.
std::vector<std::string> checkedMeshNames(const SkinSources& sources, std::string_view mask, Dialogs* dialogs) {
    std::vector<std::string> names;
    MeshCheckCache& checks = SharedMeshChecks();
    checks.useCatalogue(sources.catalogue);
    for (const Found& candidate : walkFolders(sources.folders, mask)) {
        // A folder is never a character file (and cannot be read as one).
        if (candidate.isFolder) continue;
        if (checks.checkForListing(candidate.path, dialogs)) {
            names.push_back(withoutLast(candidate.name, 4));
        }
    }
    return names;
}

void appendArchiveCharacterFiles(const SkinSources& sources, std::string_view mask, std::vector<std::string>& names) {
    std::vector<std::string> matched;
    MatchArchiveEntries(entriesOf(sources.catalogue.ArchiveCharacterEntries), mask, matched);
    for (const std::string& name : matched) names.push_back(withoutLast(name, 8));
}

// The first `positions` characters of the mask that are not "*" must be the
// entry's, letter case ignored.
bool fitsPositions(const std::string& lowerEntry, std::string_view mask, int positions) {
    const std::size_t checked = std::min(static_cast<std::size_t>(std::max(positions, 0)), mask.size());
    for (std::size_t i = 0; i < checked; ++i) {
        if (mask[i] == '*') continue;
        if (i >= lowerEntry.size() || lowerEntry[i] != LowerAscii(mask[i])) return false;
    }
    return true;
}

// The mesh list's deletions: the censored and accessory kinds ("c2a", "c2c",
// "c2o"), names that break the checked positions of the mask, and repeated
// names. The game walks the list bottom-up and deletes an entry while an
// equal one is left, so of equal entries the one nearer the top stays; one
// pass top-down with the names seen so far gives the same list.
std::vector<std::string> keepListableMeshes(std::vector<std::string> entries, std::string_view mask, int positions) {
    std::vector<std::string> kept;
    std::unordered_set<std::string> seen;
    for (std::string& entry : entries) {
        const std::string lower = key(entry);
        if (lower.starts_with("c2a") || lower.starts_with("c2c") || lower.starts_with("c2o")) continue;
        if (!fitsPositions(lower, mask, positions)) continue;
        if (!seen.insert(lower).second) continue;
        kept.push_back(std::move(entry));
    }
    return kept;
}

// An index from 0 to count - 2: the last entry of two or more is never drawn.
int randomIndex(std::size_t count, std::mt19937& random) {
    if (count == 0) return -1;
    if (count == 1) return 0;
    return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 2)(random);
}

// The lowest index whose entry is the stored name (trimmed, letter case ignored); -1 when none.
int firstEqual(const std::vector<std::string>& entries, const std::string& storedName) {
    const std::string stored = key(storedName);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (key(entries[i]) == stored) return static_cast<int>(i);
    }
    return -1;
}

int meshIndex(const std::vector<std::string>& entries, const std::string& storedName, std::mt19937& random) {
    int index = firstEqual(entries, storedName);
    if (index <= 0) {
        const std::string stem = key(withoutLast(storedName, 4));
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (key(entries[i]).starts_with(stem)) {
                index = static_cast<int>(i);
                break;
            }
        }
    }
    return index >= 0 ? index : randomIndex(entries.size(), random);
}

bool caseBlindLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

// Archive hand textures that never suit a character: costume hands, and hands
// of another skin tone (a name without a tone there suits everyone).
bool handTextureSuits(const std::string& lowerName, const TextureOwner& owner) {
    static constexpr std::array<std::string_view, 6> kCostumes{"_mads", "_bear1", "_pinkg", "_boxer", "hobo", "hero"};
    for (std::string_view costume : kCostumes) {
        if (lowerName.find(costume) != std::string::npos) return false;
    }
    if (owner.gender == 0 && lowerName.find("bride") != std::string::npos) return false;
    const std::string tone = lowerName.size() >= 7 ? lowerName.substr(4, 3) : std::string();
    const bool isTone = tone == "lgt" || tone == "med" || tone == "drk";
    return !isTone || tone == owner.tone;
}

bool isHandSkin(const std::string& lowerName) {
    return lowerName.starts_with('h') || lowerName.starts_with('g');
}

// The texture list's deletions, walked bottom-up while another entry is left:
// repeated names (the one nearer the top stays), and for the formal hands'
// "*" masks hand textures that are not open hands or are of the other gender.
std::vector<std::string> keepListableTextures(const std::vector<std::string>& entries, std::string_view mask,
                                              const TextureOwner& owner) {
    std::vector<std::string> keys;
    std::unordered_map<std::string, int> copies;
    for (const std::string& entry : entries) {
        keys.push_back(key(entry));
        ++copies[keys.back()];
    }
    const bool handMask = mask.starts_with('*');
    std::vector<bool> deleted(entries.size(), false);
    std::size_t left = entries.size();
    for (std::size_t i = entries.size(); i-- > 0 && left > 1;) {
        const std::string& e = keys[i];
        bool drop = copies[e] > 1;
        if (!drop && handMask && isHandSkin(e)) {
            const bool openHand = e.find('o') == 3;
            const char gender = e.size() > 1 ? e[1] : '\0';
            drop = !openHand || (owner.gender != 0 && gender == 'm') || (owner.gender == 0 && gender == 'f');
        }
        if (drop) {
            deleted[i] = true;
            --copies[e];
            --left;
        }
    }
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!deleted[i]) kept.push_back(entries[i]);
    }
    return kept;
}

// The entry equal to the stored name; else, walking up from the bottom, the
// last entry that begins with the stored base name, unless an entry that is
// the stored name itself stops the walk first; else the first entry.
int textureIndex(const std::vector<std::string>& entries, const std::string& storedName) {
    if (entries.empty()) return -1;
    int index = firstEqual(entries, storedName);
    if (index <= 0) {
        const std::string stem = key(withoutLast(storedName, 4));
        const std::string stored = key(storedName);
        int found = -1;
        for (std::size_t i = entries.size(); i-- > 0;) {
            const std::string e = key(entries[i]);
            if (!e.starts_with(stem)) continue;
            found = static_cast<int>(i);
            if (e + ".bmp" == stored || e + ".cmx" == stored) break;
        }
        if (found >= 0) index = found;
    }
    return index >= 0 ? index : 0;
}

void addUnlisted(SkinList& list, const std::string& name, bool& added) {
    const std::string wanted = key(name);
    if (std::none_of(list.entries.begin(), list.entries.end(), [&](const std::string& e) { return key(e) == wanted; })) {
        list.entries.push_back(name);
    }
    added = true;
}

}  // namespace

void MatchArchiveEntries(const std::vector<FarRecordDetails>& entries, std::string_view mask,
                         std::vector<std::string>& result) {
    for (const FarRecordDetails& entry : entries) {
        const std::string& name = entry.EntryName;
        if (mask.size() < 5) {
            result.push_back(name);
            continue;
        }
        if (name.starts_with("c2o") || name.starts_with("a2o")) continue;
        bool matches = true;
        for (std::size_t i = 0; i + 5 < mask.size() && matches; ++i) {
            matches = mask[i] == '*' || (i < name.size() && LowerAscii(mask[i]) == LowerAscii(name[i]));
        }
        if (matches) result.push_back(name);
    }
}

SkinList FillMeshList(const SkinSources& sources, const std::string& storedName, const std::string& mask,
                      int checkedPositions, std::mt19937& random, Dialogs* dialogs) {
    std::vector<std::string> box = checkedMeshNames(sources, mask, dialogs);
    appendArchiveCharacterFiles(sources, mask, box);
    // The page's combo box keeps its entries sorted; the deletions walk it in that order.
    std::stable_sort(box.begin(), box.end(), caseBlindLess);
    SkinList list;
    list.entries = keepListableMeshes(std::move(box), mask, checkedPositions);
    list.selected = meshIndex(list.entries, storedName, random);
    return list;
}

std::vector<std::string> RandomSkinCandidates(const SkinSources& sources, const std::string& mask, Dialogs* dialogs) {
    std::vector<std::string> names = checkedMeshNames(sources, mask, dialogs);
    // Character entries whatever the mask: texture masks draw on loose files only.
    appendArchiveCharacterFiles(sources, mask, names);
    const char first = mask.empty() ? '\0' : LowerAscii(mask.front());
    const int positions = first == '*' || first == 'h' ? 4 : 6;
    return keepListableMeshes(std::move(names), mask, positions);
}

// Every candidate alike: a makeover that could never draw the last one would
// give everybody the same head where two are installed.
std::string DrawRandomSkin(const std::vector<std::string>& candidates, std::mt19937& random) {
    if (candidates.empty()) return {};
    return candidates[std::uniform_int_distribution<std::size_t>(0, candidates.size() - 1)(random)];
}

std::string PickRandomSkin(const SkinSources& sources, const std::string& mask, std::mt19937& random,
                           Dialogs* dialogs) {
    return DrawRandomSkin(RandomSkinCandidates(sources, mask, dialogs), random);
}

SkinList FillTextureList(const SkinSources& sources, const std::string& storedName, const std::string& mask,
                         const TextureOwner& owner) {
    std::vector<std::string> box;
    for (const Found& found : walkFolders(sources.folders, mask)) {
        box.push_back(withoutLast(found.name, 4));
    }
    std::vector<std::string> matched;
    MatchArchiveEntries(entriesOf(sources.catalogue.ArchiveTextureEntries), mask, matched);
    for (const std::string& name : matched) {
        const std::string lower = ToLowerAscii(name);
        if (!isHandSkin(lower) || handTextureSuits(lower, owner)) box.push_back(withoutLast(name, 4));
    }
    SkinList list;
    list.entries = keepListableTextures(box, mask, owner);
    list.selected = textureIndex(list.entries, storedName);
    return list;
}

SkinList PageTextureList(const SkinSources& sources, SkinSlot slot, const SkinCodes& codes, const std::string& mesh,
                         const std::string& storedTexture, const TextureOwner& owner) {
    const std::string mask = TextureMask(slot, codes, SeriesOf(mesh));
    if (mask.empty()) return {};
    const bool child = AgeLetter(codes) == 'c';
    const int level = codes.ExpansionLevel;
    const std::optional<std::string> named = DefaultTexture(slot, codes);
    const bool nudeByDefault = slot == SkinSlot::Nude && (child || (level != 3 && level != 4));
    std::string preselection;
    if (named && (nudeByDefault || Trimmed(storedTexture).empty())) {
        preselection = *named + ".bmp";
    } else if (!Trimmed(storedTexture).empty()) {
        preselection = Trimmed(storedTexture) + ".bmp";
    }
    SkinList list = FillTextureList(sources, preselection, mask, owner);

    // The "_01" textures that go with every older pajama and nude mesh are
    // offered even when the mask does not find them (once: a listed one is
    // not repeated).
    const std::string gender(1, GenderLetter(codes));
    const std::string tone = SkinToneWord(codes);
    bool added = false;
    if (slot == SkinSlot::Sleepwear && (child || level < 3)) {
        addUnlisted(list, "Pajama" + gender + tone + "_01", added);
    }
    if (slot == SkinSlot::Nude && !child && (level < 3 || level > 4)) {
        addUnlisted(list, "n" + gender + codes.BodySize + tone + "_01", added);
    }
    if (added && list.selected < 0) list.selected = 0;
    return list;
}

}  // namespace corvane
