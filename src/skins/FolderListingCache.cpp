#include "skins/FolderListingCache.h"

#include "platform/AsciiText.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <system_error>

namespace corvane {

namespace {

std::shared_ptr<const FolderListing> readFolder(const std::filesystem::path& folder) {
    auto listing = std::make_shared<FolderListing>();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        FolderListing::Entry entry{name, ToLowerAscii(name), false, std::nullopt, std::nullopt};
        if (const std::optional<PathStatus> status = StatusOf(it->path())) {
            entry.identity = status->identity;
            entry.isFolder = status->special == SpecialFileKind::Folder;
            if (!entry.isFolder) entry.special = status->special;
        }
        listing->entries.push_back(std::move(entry));
    }
    std::sort(listing->entries.begin(), listing->entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    for (std::size_t i = 0; i < listing->entries.size(); ++i) {
        listing->firstByLower.emplace(listing->entries[i].lowerName, i);
        listing->byName.emplace(listing->entries[i].name, i);
    }
    return listing;
}

std::vector<std::string> components(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

}  // namespace

std::shared_ptr<const FolderListing> FolderListingCache::listing(const std::filesystem::path& folder) {
    std::error_code ec;
    const auto modified = std::filesystem::last_write_time(folder, ec);
    if (ec || !std::filesystem::is_directory(folder, ec)) {
        folders_.erase(folder.string());
        return nullptr;
    }
    Cached& cached = folders_[folder.string()];
    if (!cached.listing || cached.modified != modified) {
        cached.listing = readFolder(folder);
        cached.modified = modified;
    }
    return cached.listing;
}

std::filesystem::path FolderListingCache::resolveExisting(const std::filesystem::path& base, std::string_view relative) {
    std::filesystem::path current = base;
    for (const std::string& part : components(relative)) {
        auto folder = listing(current);
        if (!folder) {
            return {};
        }
        const FolderListing::Entry* entry = folder->find(part);
        if (entry == nullptr) {
            return {};
        }
        current /= entry->name;
    }
    return current;
}

const FolderListing::Entry* FolderListing::find(const std::string& name) const {
    if (auto exact = byName.find(name); exact != byName.end()) {
        return &entries[exact->second];
    }
    auto other = firstByLower.find(ToLowerAscii(name));
    return other == firstByLower.end() ? nullptr : &entries[other->second];
}

FolderListingCache& SharedFolderListings() {
    static FolderListingCache cache;
    return cache;
}

}  // namespace corvane
