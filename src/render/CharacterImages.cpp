#include "render/CharacterImages.h"

#include "iff/CharacterImageFile.h"
#include "platform/AtomicFile.h"
#include "render/JpegCodec.h"
#include "render/PreviewComposition.h"

#include <cstddef>
#include <string_view>

namespace corvane {

namespace {

// The pictures the game can do without: a failure leaves them out.
constexpr std::size_t kRequiredImages = 4;

// The picture's tiles drawn one by one and laid side by side, left to right.
Bitmap drawStrip(const CharacterImageSpec& spec, const std::vector<ModelWithTexture>& models,
                 const GlProcLookup& lookup) {
    const int tileWidth = spec.width / static_cast<int>(spec.tiles.size());
    Bitmap strip(spec.width, spec.height);
    for (std::size_t i = 0; i < spec.tiles.size(); ++i) {
        const Bitmap tile = RenderOffscreen(models, tileWidth, spec.height, spec.tiles[i], lookup);
        const int left = static_cast<int>(i) * tileWidth;
        for (int y = 0; y < spec.height; ++y) {
            for (int x = 0; x < tileWidth; ++x) {
                strip.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(spec.width) +
                             static_cast<std::size_t>(left + x)] = tile.at(x, y);
            }
        }
    }
    return strip;
}

}  // namespace

std::vector<CharacterImage> RenderCharacterImages(const std::vector<ModelWithTexture>& models,
                                                  const GlProcLookup& lookup) {
    if (models.empty()) throw std::runtime_error("the character's pictures need at least one model to draw");
    const std::vector<CharacterImageSpec>& table = CharacterImageTable();
    std::vector<CharacterImage> images;
    for (std::size_t i = 0; i < table.size(); ++i) {
        try {
            images.push_back({&table[i], JpegRoundTrip8(drawStrip(table[i], models, lookup), kGameImageColours)});
        } catch (const std::exception&) {
            if (i < kRequiredImages) throw;
        }
    }
    return images;
}

std::vector<std::uint8_t> CharacterImageChunks(const std::vector<CharacterImage>& images) {
    std::vector<std::uint8_t> chunks;
    for (const CharacterImage& image : images) {
        const auto chunk = ImageChunk(image.spec->chunkId, image.spec->label, image.picture);
        chunks.insert(chunks.end(), chunk.begin(), chunk.end());
    }
    return chunks;
}

PreviewModelSet LoadEverydayModels(const Sim& sim, const SkinFolders& folders, const SkinCatalogue& catalogue,
                                   Dialogs& dialogs, const std::filesystem::path& applicationFolder) {
    const auto meshes = CollectPreviewMeshes(SlotsForOutfit(sim, Outfit::Everyday), folders, catalogue, dialogs);
    PreviewModelSet set =
        LoadPreviewModels(meshes, SkeletonFileFor(sim), sim.Age < 10, folders, catalogue, applicationFolder, dialogs);
    if (set.models.empty()) {
        std::string why = set.leftOut.empty() ? std::string("the character wears no mesh") : set.leftOut.front();
        for (std::size_t i = 1; i < set.leftOut.size(); ++i) why += "; " + set.leftOut[i];
        throw NothingToDraw("nothing of " + sim.FileName + " can be drawn: " + why);
    }
    return set;
}

std::vector<ModelWithTexture> ModelsToDraw(const PreviewModelSet& set) {
    std::vector<ModelWithTexture> models;
    models.reserve(set.models.size());
    for (const LoadedSknModel& one : set.models) models.push_back({&one.model, &one.texture});
    return models;
}

std::vector<CharacterImage> DrawCharacterImages(const Sim& sim, const SkinFolders& folders,
                                                const SkinCatalogue& catalogue, Dialogs& dialogs,
                                                const GlProcLookup& lookup,
                                                const std::filesystem::path& applicationFolder) {
    const PreviewModelSet set = LoadEverydayModels(sim, folders, catalogue, dialogs, applicationFolder);
    return RenderCharacterImages(ModelsToDraw(set), lookup);
}

void MakeCharacterImages(const Sim& sim, const SkinFolders& folders, const SkinCatalogue& catalogue, Dialogs& dialogs,
                         const GlProcLookup& lookup, const std::filesystem::path& applicationFolder) {
    const auto chunks =
        CharacterImageChunks(DrawCharacterImages(sim, folders, catalogue, dialogs, lookup, applicationFolder));
    std::filesystem::create_directories(applicationFolder);
    ReplaceFileAtomically(CharacterImageFile(applicationFolder, sim.FileName),
                          std::string_view(reinterpret_cast<const char*>(chunks.data()), chunks.size()));
}

}  // namespace corvane
