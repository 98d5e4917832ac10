#include "render/ArchivedTexture.h"

#include "platform/AsciiText.h"
#include "platform/BmpCodec.h"

#include <algorithm>

namespace corvane {

namespace {

const FarRecordDetails* firstTextureEntry(const SkinCatalogue& catalogue, const std::string& baseName) {
    if (!catalogue.ArchiveTextureEntries) {
        return nullptr;
    }
    const std::string wanted = ToLowerAscii(baseName + ".bmp");
    const auto& entries = *catalogue.ArchiveTextureEntries;
    const auto entry = std::find_if(entries.begin(), entries.end(),
                                    [&](const FarRecordDetails& e) { return ToLowerAscii(e.EntryName) == wanted; });
    return entry == entries.end() ? nullptr : &*entry;
}

}  // namespace

bool ArchiveHasTexture(const SkinCatalogue& catalogue, const std::string& baseName) {
    return firstTextureEntry(catalogue, baseName) != nullptr;
}

std::optional<Bitmap> LoadArchivedTexture(const SkinCatalogue& catalogue, const std::string& baseName) {
    const FarRecordDetails* entry = firstTextureEntry(catalogue, baseName);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return LoadBmpWithSizeFix(ReadArchiveEntry(*entry), entry->EntryName);
}

}  // namespace corvane
