// Opening the body page of an adult man on the large installation: the mesh
// list, then the texture list of the mesh it selects. The listings as built
// (shared folder listings, cached character-file checks, one pass for
// repeated names) run beside the same work done the literal way: every folder
// listed again on every call, every candidate's character file read and
// checked, and each entry compared with every other for repeated names.
#include "BigInstallation.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/BmpCodec.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/Progress.h"
#include "platform/TextLines.h"
#include "render/ArchivedTexture.h"
#include "render/MakeThumb.h"
#include "render/TexturePictures.h"
#include "skins/CharacterFileCheck.h"
#include "skins/FolderListingCache.h"
#include "skins/MeshCheckCache.h"
#include "skins/SkinListing.h"
#include "skins/WildcardMask.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using corvane::SkinList;

const std::filesystem::path& bigGame() {
    static const bench::BigInstallation game([](corvane::GameBuilder& builder) {
        bench::WriteLooseSkins(builder);
        bench::WriteSkinArchives(builder);
    });
    return game.root();
}

// The man wears loose body 4998 (a "mafit" body of series 998) and its texture.
const std::string kStoredMesh = "b998mafit_4998";
const std::string kStoredTexture = "b998mafitlgt_4998";

struct BodyPage {
    corvane::SkinFolders folders{bigGame(), 7};
    corvane::SkinCatalogue catalogue;
    corvane::SkinCodes codes;  // an adult man of light skin, fit
    corvane::TextureOwner owner;

    BodyPage() {
        corvane::SilentProgress quiet;
        corvane::LoadSkinData(catalogue, folders, quiet);
        codes.ExpansionLevel = 7;
        paintListedTextures();
    }
    // The listed textures become real 256-pixel pictures, as players' skins are.
    void paintListedTextures() const {
        std::mt19937 random(1);
        const corvane::SkinSources sources{folders, catalogue};
        const SkinList meshes = corvane::FillMeshList(sources, kStoredMesh + ".cmx", meshMask(), 6, random, nullptr);
        const SkinList textures = corvane::FillTextureList(sources, kStoredTexture + ".bmp", textureMask(meshes), owner);
        const auto picture = corvane::EncodeBmp24(corvane::Bitmap(256, 256, corvane::Rgb{120, 80, 60}));
        for (const std::string& entry : textures.entries) {
            const auto file = folders.FindSkinFile(entry, ".bmp");
            if (!file.empty()) corvane::ReplaceFileAtomically(file, {reinterpret_cast<const char*>(picture.data()), picture.size()});
        }
    }
    std::string meshMask() const { return corvane::MeshMask(corvane::SkinSlot::Body, codes); }
    std::string textureMask(const SkinList& meshes) const {
        const auto& mesh = meshes.entries.at(static_cast<std::size_t>(meshes.selected));
        return corvane::TextureMask(corvane::SkinSlot::Body, codes, corvane::SeriesOf(mesh));
    }
};

struct OpenedPage {
    SkinList meshes;
    SkinList textures;
};

constexpr int kListPictureSize = 40;

// The page's 40-pixel pictures of the texture entries, kept between openings
// and made on all cores.
void makeEntryPictures(const BodyPage& page, const SkinList& textures) {
    benchmark::DoNotOptimize(corvane::TexturePictures(page.folders, page.catalogue, textures.entries, kListPictureSize));
}

// Each picture made anew, one after the other: the loose file through the
// thumbnail loader, else the archive entry decoded and fitted.
void makeEntryPicturesLiterally(const BodyPage& page, const SkinList& textures) {
    for (const std::string& entry : textures.entries) {
        corvane::Bitmap picture;
        try {
            const auto loose = page.folders.FindSkinFile(entry, ".bmp");
            if (!loose.empty()) {
                corvane::ThumbnailFromFile(loose, picture, kListPictureSize);
            } else if (auto archived = corvane::LoadArchivedTexture(page.catalogue, entry)) {
                corvane::ResampleToFit(*archived, picture, kListPictureSize);
            }
        } catch (const std::exception&) {
            // The page shows its placeholder.
        }
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}

OpenedPage openCached(const BodyPage& page) {
    std::mt19937 random(1);
    const corvane::SkinSources sources{page.folders, page.catalogue};
    OpenedPage opened;
    opened.meshes = corvane::FillMeshList(sources, kStoredMesh + ".cmx", page.meshMask(), 6, random, nullptr);
    opened.textures = corvane::FillTextureList(sources, kStoredTexture + ".bmp", page.textureMask(opened.meshes), page.owner);
    makeEntryPictures(page, opened.textures);
    return opened;
}

// ---- The literal way ----

struct Found {
    std::filesystem::path path;
    std::string name;
};

std::string key(const std::string& entry) {
    return corvane::ToLowerAscii(corvane::Trimmed(entry));
}

// Each search folder listed for the mask, then each fallback folder's plain
// files, every call; the first-character rule of a mask that does not begin
// with "*".
std::vector<Found> literalWalk(const BodyPage& page, const std::string& mask) {
    std::vector<Found> found;
    const auto take = [&](const std::string& relative, bool plainOnly) {
        const auto folder = corvane::ResolveCaseInsensitive(page.folders.gamePath(), relative);
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            std::error_code typeError;
            if (plainOnly && (!it->is_regular_file(typeError) || name.starts_with('.'))) continue;
            if (corvane::LowerAscii(name.front()) != corvane::LowerAscii(mask.front())) continue;
            if (corvane::MatchesMask(mask, name)) found.push_back({it->path(), std::move(name)});
        }
    };
    for (const std::string& relative : page.folders.SearchFolders()) take(relative, false);
    for (const std::string& relative : corvane::SkinFolders::FallbackFolders()) take(relative, true);
    return found;
}

bool fitsSixPositions(const std::string& e, const std::string& mask) {
    for (std::size_t i = 0; i < 6 && i < mask.size(); ++i) {
        if (mask[i] != '*' && (i >= e.size() || e[i] != corvane::LowerAscii(mask[i]))) return false;
    }
    return true;
}

// True when another entry of the box equals entry i, compared afresh.
bool repeated(const std::vector<std::string>& box, std::size_t i) {
    const std::string e = key(box[i]);
    for (std::size_t j = 0; j < box.size(); ++j) {
        if (j != i && key(box[j]) == e) return true;
    }
    return false;
}

SkinList literalMeshList(const BodyPage& page, const corvane::KnownMeshes& meshes) {
    const std::string mask = page.meshMask();
    std::vector<std::string> box;
    for (const Found& candidate : literalWalk(page, mask)) {
        if (corvane::CheckCharacterFile(candidate.path, corvane::CheckMode::Listing, meshes, nullptr, nullptr)) {
            box.push_back(candidate.name.substr(0, candidate.name.size() - 4));
        }
    }
    std::vector<std::string> matched;
    corvane::MatchArchiveEntries(*page.catalogue.ArchiveCharacterEntries, mask, matched);
    for (const std::string& name : matched) box.push_back(name.substr(0, name.size() - 8));
    std::stable_sort(box.begin(), box.end(), [](const std::string& a, const std::string& b) { return key(a) < key(b); });
    for (std::size_t i = box.size(); i-- > 0;) {
        const std::string e = key(box[i]);
        const bool excluded = e.starts_with("c2a") || e.starts_with("c2c") || e.starts_with("c2o");
        if (excluded || !fitsSixPositions(e, mask) || repeated(box, i)) box.erase(box.begin() + static_cast<long>(i));
    }
    SkinList list{box, -1};
    const std::string stem = key(kStoredMesh);
    for (std::size_t i = 0; i < box.size() && list.selected < 0; ++i) {
        if (key(box[i]).starts_with(stem)) list.selected = static_cast<int>(i);
    }
    return list;
}

// The body page's texture masks never meet the rules of the hands.
SkinList literalTextureList(const BodyPage& page, const SkinList& meshes) {
    const std::string mask = page.textureMask(meshes);
    std::vector<std::string> box;
    for (const Found& found : literalWalk(page, mask)) box.push_back(found.name.substr(0, found.name.size() - 4));
    std::vector<std::string> matched;
    corvane::MatchArchiveEntries(*page.catalogue.ArchiveTextureEntries, mask, matched);
    for (const std::string& name : matched) box.push_back(name.substr(0, name.size() - 4));
    for (std::size_t i = box.size(); i-- > 0 && box.size() > 1;) {
        if (repeated(box, i)) box.erase(box.begin() + static_cast<long>(i));
    }
    SkinList list{box, box.empty() ? -1 : 0};
    const std::string stored = key(kStoredTexture + ".bmp");
    for (std::size_t i = box.size(); i-- > 0;) {
        const std::string e = key(box[i]);
        if (!e.starts_with(key(kStoredTexture))) continue;
        list.selected = static_cast<int>(i);
        if (e + ".bmp" == stored) break;
    }
    return list;
}

OpenedPage openLiterally(const BodyPage& page, const corvane::KnownMeshes& meshes) {
    OpenedPage opened;
    opened.meshes = literalMeshList(page, meshes);
    opened.textures = literalTextureList(page, opened.meshes);
    makeEntryPicturesLiterally(page, opened.textures);
    return opened;
}

bool samePage(const OpenedPage& a, const OpenedPage& b) {
    return a.meshes.entries == b.meshes.entries && a.meshes.selected == b.meshes.selected &&
           a.textures.entries == b.textures.entries && a.textures.selected == b.textures.selected;
}

void count(benchmark::State& state, const OpenedPage& opened) {
    state.counters["meshes"] = static_cast<double>(opened.meshes.entries.size());
    state.counters["textures"] = static_cast<double>(opened.textures.entries.size());
}

// The page opened again: folder listings and checks are current.
void OpenBodyPageCached(benchmark::State& state) {
    const BodyPage page;
    const OpenedPage first = openCached(page);
    if (first.meshes.selected < 0 || first.textures.selected < 0) state.SkipWithError("the man's skins are not listed");
    for (auto _ : state) benchmark::DoNotOptimize(openCached(page));
    count(state, first);
}
BENCHMARK(OpenBodyPageCached)->Unit(benchmark::kMillisecond)->UseRealTime();

// The page opened for the first time in a run: every folder listed and every
// candidate checked once.
void OpenBodyPageFirstTime(benchmark::State& state) {
    const BodyPage page;
    for (auto _ : state) {
        corvane::SharedFolderListings().clear();
        corvane::SharedMeshChecks().clear();
        corvane::ClearTexturePictureCache();
        benchmark::DoNotOptimize(openCached(page));
    }
}
BENCHMARK(OpenBodyPageFirstTime)->Unit(benchmark::kMillisecond)->UseRealTime();

void OpenBodyPageLiteral(benchmark::State& state) {
    const BodyPage page;
    const corvane::KnownMeshes meshes(page.catalogue);
    const OpenedPage literal = openLiterally(page, meshes);
    if (!samePage(literal, openCached(page))) state.SkipWithError("the literal lists differ from the page's");
    for (auto _ : state) benchmark::DoNotOptimize(openLiterally(page, meshes));
    count(state, literal);
}
BENCHMARK(OpenBodyPageLiteral)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
