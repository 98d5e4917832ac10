#include "render/TexturePictures.h"

#include "platform/AsciiText.h"
#include "platform/BmpCodec.h"
#include "render/MakeThumb.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace corvane {

namespace {

// Enough for the longest texture lists at every picture size, yet bounded for
// installations with tens of thousands of skins.
constexpr std::size_t kMostPictures = 4096;
constexpr std::size_t kMostPixelBytes = std::size_t{64} << 20;

// ---- Archive entries by name ----------------------------------------------

// Lower-cased entry name → index of the first entry of that name, for one
// texture list. The catalogue's lists are rebuilt in place (same address) when
// it is discarded and read again, so the list is recognised by its storage,
// its length and its first and last entries.
class TextureEntryIndex {
public:
    const FarRecordDetails* find(const std::vector<FarRecordDetails>& entries, const std::string& wantedLower) {
        std::lock_guard lock(mutex_);
        if (!describes(entries)) {
            rebuild(entries);
        }
        auto found = firstByName_.find(wantedLower);
        if (found != firstByName_.end() && ToLowerAscii(entries[found->second].EntryName) != wantedLower) {
            rebuild(entries);  // changed in place after all
            found = firstByName_.find(wantedLower);
        }
        return found == firstByName_.end() ? nullptr : &entries[found->second];
    }

private:
    static bool sameEntry(const FarRecordDetails& a, const FarRecordDetails& b) {
        return a.Offset == b.Offset && a.Size == b.Size && a.EntryName == b.EntryName && a.ArchivePath == b.ArchivePath;
    }

    bool describes(const std::vector<FarRecordDetails>& entries) const {
        if (list_ != &entries || data_ != entries.data() || size_ != entries.size()) {
            return false;
        }
        return entries.empty() || (sameEntry(first_, entries.front()) && sameEntry(last_, entries.back()));
    }

    void rebuild(const std::vector<FarRecordDetails>& entries) {
        firstByName_.clear();
        firstByName_.reserve(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            firstByName_.emplace(ToLowerAscii(entries[i].EntryName), i);  // keeps the first of a name
        }
        list_ = &entries;
        data_ = entries.data();
        size_ = entries.size();
        first_ = entries.empty() ? FarRecordDetails{} : entries.front();
        last_ = entries.empty() ? FarRecordDetails{} : entries.back();
    }

    std::mutex mutex_;
    const std::vector<FarRecordDetails>* list_ = nullptr;
    const FarRecordDetails* data_ = nullptr;
    std::size_t size_ = 0;
    FarRecordDetails first_;
    FarRecordDetails last_;
    std::unordered_map<std::string, std::size_t> firstByName_;
};

TextureEntryIndex& SharedTextureEntryIndex() {
    static TextureEntryIndex index;
    return index;
}

// ---- Kept pictures ---------------------------------------------------------

struct PictureKey {
    std::string file;               // the loose file, or the archive
    std::int64_t entryOffset = -1;  // the entry's offset in the archive; −1 for a loose file
    int size = 0;

    bool operator==(const PictureKey&) const = default;
};

struct PictureKeyHash {
    std::size_t operator()(const PictureKey& key) const {
        std::size_t hash = std::hash<std::string>{}(key.file);
        hash ^= std::hash<std::int64_t>{}(key.entryOffset) + 0x9e3779b97f4a7c15u + (hash << 6) + (hash >> 2);
        hash ^= std::hash<int>{}(key.size) + 0x9e3779b97f4a7c15u + (hash << 6) + (hash >> 2);
        return hash;
    }
};

// What the file was when its picture was made.
struct FileStamp {
    std::uintmax_t bytes = 0;
    std::filesystem::file_time_type modified;

    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> StampOf(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(file, error);
    if (error) {
        return std::nullopt;
    }
    const auto modified = std::filesystem::last_write_time(file, error);
    if (error) {
        return std::nullopt;
    }
    return FileStamp{bytes, modified};
}

std::size_t PixelBytes(const Bitmap& picture) { return picture.pixels.size() * sizeof(Rgb); }

// Least recently used pictures leave first.
class PictureCache {
public:
    std::optional<Bitmap> find(const PictureKey& key, const FileStamp& stamp) {
        std::lock_guard lock(mutex_);
        const auto found = pictures_.find(key);
        if (found == pictures_.end() || !(found->second.stamp == stamp)) {
            return std::nullopt;
        }
        recent_.splice(recent_.begin(), recent_, found->second.use);
        return found->second.picture;
    }

    void store(const PictureKey& key, const FileStamp& stamp, const Bitmap& picture) {
        std::lock_guard lock(mutex_);
        const auto found = pictures_.find(key);
        if (found != pictures_.end()) {
            forget(found);
        }
        recent_.push_front(key);
        pictures_.emplace(key, Kept{stamp, picture, recent_.begin()});
        pixelBytes_ += PixelBytes(picture);
        while (pictures_.size() > kMostPictures || (pixelBytes_ > kMostPixelBytes && pictures_.size() > 1)) {
            forget(pictures_.find(recent_.back()));
        }
    }

    void clear() {
        std::lock_guard lock(mutex_);
        pictures_.clear();
        recent_.clear();
        pixelBytes_ = 0;
    }

private:
    struct Kept {
        FileStamp stamp;
        Bitmap picture;
        std::list<PictureKey>::iterator use;
    };
    using Map = std::unordered_map<PictureKey, Kept, PictureKeyHash>;

    void forget(Map::iterator kept) {
        pixelBytes_ -= PixelBytes(kept->second.picture);
        recent_.erase(kept->second.use);
        pictures_.erase(kept);
    }

    std::mutex mutex_;
    std::list<PictureKey> recent_;  // most recently used first
    Map pictures_;
    std::size_t pixelBytes_ = 0;
};

PictureCache& SharedPictureCache() {
    static PictureCache cache;
    return cache;
}

// ---- Making pictures -------------------------------------------------------

// One picture to make, with everything the worker needs copied in, so no
// worker touches the catalogue or the folder listings.
struct PictureJob {
    std::size_t entry = 0;  // the first list entry that asked for it
    PictureKey key;
    std::optional<FileStamp> stamp;
    std::filesystem::path looseFile;
    std::optional<FarRecordDetails> archiveEntry;
    std::optional<Bitmap> picture;
};

// Nothing when the file cannot be read or decoded, or the picture would be empty.
std::optional<Bitmap> MakePicture(const PictureJob& job) noexcept {
    try {
        Bitmap picture;
        if (job.archiveEntry) {
            const Bitmap texture = LoadBmpWithSizeFix(ReadArchiveEntry(*job.archiveEntry), job.archiveEntry->EntryName);
            ResampleToFit(texture, picture, job.key.size);
        } else {
            ThumbnailFromFile(job.looseFile, picture, job.key.size);
        }
        if (picture.empty()) {
            return std::nullopt;
        }
        return picture;
    } catch (...) {
        return std::nullopt;
    }
}

// Every job, on the calling thread and as many workers as there are further cores.
void MakePictures(std::vector<PictureJob>& jobs) {
    std::atomic<std::size_t> next{0};
    auto work = [&jobs, &next]() noexcept {
        for (std::size_t j = next++; j < jobs.size(); j = next++) {
            jobs[j].picture = MakePicture(jobs[j]);
        }
    };
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers = std::min(cores, jobs.size()) - (jobs.empty() ? 0 : 1);
    std::vector<std::thread> workers;
    try {
        workers.reserve(helpers);
        for (std::size_t i = 0; i < helpers; ++i) {
            workers.emplace_back(work);
        }
    } catch (...) {
        // Fewer workers than cores: the ones started and this thread share the jobs.
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
}

PictureJob JobFor(const TexturePictureSource& source, int size) {
    PictureJob job;
    job.key.size = size;
    if (source.archiveEntry == nullptr) {
        job.looseFile = source.looseFile;
        job.key.file = source.looseFile.string();
        job.stamp = StampOf(source.looseFile);
    } else {
        job.archiveEntry = *source.archiveEntry;
        job.key.file = source.archiveEntry->ArchivePath.string();
        job.key.entryOffset = source.archiveEntry->Offset;
        job.stamp = StampOf(source.archiveEntry->ArchivePath);
    }
    return job;
}

}  // namespace

TexturePictureSource FindTexturePictureSource(const SkinFolders& folders, const SkinCatalogue& catalogue,
                                              const std::string& baseName) {
    TexturePictureSource source;
    source.looseFile = folders.FindSkinFile(baseName, ".bmp");
    if (source.looseFile.empty() && catalogue.ArchiveTextureEntries) {
        source.archiveEntry =
            SharedTextureEntryIndex().find(*catalogue.ArchiveTextureEntries, ToLowerAscii(baseName + ".bmp"));
    }
    return source;
}

std::vector<std::optional<Bitmap>> TexturePictures(const SkinFolders& folders, const SkinCatalogue& catalogue,
                                                   const std::vector<std::string>& baseNames, int size) {
    std::vector<std::optional<Bitmap>> pictures(baseNames.size());
    if (size < 1) {
        return pictures;
    }
    PictureCache& cache = SharedPictureCache();
    std::vector<PictureJob> jobs;
    std::unordered_map<PictureKey, std::size_t, PictureKeyHash> jobOfKey;
    std::vector<std::pair<std::size_t, std::size_t>> repeats;  // (list entry, job) of a picture asked twice
    for (std::size_t i = 0; i < baseNames.size(); ++i) {
        try {
            const TexturePictureSource source = FindTexturePictureSource(folders, catalogue, baseNames[i]);
            if (source.looseFile.empty() && source.archiveEntry == nullptr) {
                continue;
            }
            PictureJob job = JobFor(source, size);
            if (job.stamp) {
                pictures[i] = cache.find(job.key, *job.stamp);
                if (pictures[i]) {
                    continue;
                }
            }
            const auto [known, added] = jobOfKey.emplace(job.key, jobs.size());
            if (!added) {
                repeats.emplace_back(i, known->second);
                continue;
            }
            job.entry = i;
            jobs.push_back(std::move(job));
        } catch (...) {
            // This entry gets no picture; the others go on.
        }
    }
    MakePictures(jobs);
    for (PictureJob& job : jobs) {
        if (job.picture && job.stamp) {
            try {
                cache.store(job.key, *job.stamp, *job.picture);
            } catch (...) {
                // Not kept; shown all the same.
            }
        }
        pictures[job.entry] = std::move(job.picture);
    }
    for (const auto& [entry, job] : repeats) {
        try {
            pictures[entry] = pictures[jobs[job].entry];
        } catch (...) {
            // No room for a copy: this entry gets no picture.
        }
    }
    return pictures;
}

std::optional<Bitmap> TexturePicture(const SkinFolders& folders, const SkinCatalogue& catalogue,
                                     const std::string& baseName, int size) {
    return TexturePictures(folders, catalogue, {baseName}, size).front();
}

void ClearTexturePictureCache() { SharedPictureCache().clear(); }

}  // namespace corvane
