#include "iff/NeighborhoodImage.h"

#include "platform/FormatError.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace corvane {

namespace {

constexpr std::size_t kNameSearchStart = 98;  // from the NBRS chunk's offset

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

NeighborhoodImage::NeighborhoodImage(std::vector<std::uint8_t> bytes, std::string fileName)
    : bytes_(std::move(bytes)), fileName_(std::move(fileName)), chunks_(ReadChunkList(bytes_, {}, fileName_)) {}

std::optional<std::uint16_t> NeighborhoodImage::version() const {
    return u16(kVersionOffset);
}

ByteReader NeighborhoodImage::readerAt(std::size_t position) const {
    if (position > bytes_.size()) {
        throw FormatError(fileName_, position, "past the end of the file (" + std::to_string(bytes_.size()) + " bytes)");
    }
    ByteReader reader(bytes_, fileName_);
    reader.seek(position);
    return reader;
}

std::optional<std::int32_t> NeighborhoodImage::i32(std::size_t position) const {
    if (position > bytes_.size() || bytes_.size() - position < 4) return std::nullopt;
    return readerAt(position).i32le();
}

std::optional<std::uint16_t> NeighborhoodImage::u16(std::size_t position) const {
    if (position > bytes_.size() || bytes_.size() - position < 2) return std::nullopt;
    return readerAt(position).u16le();
}

void NeighborhoodImage::indexFamilies() const {
    std::vector<std::size_t> positions;
    const auto* data = reinterpret_cast<const char*>(bytes_.data());
    // Positions 1 .. size - 5, as the game's own scan walks them.
    for (std::size_t p = 1; p + 5 <= bytes_.size();) {
        const void* hit = memmem(data + p, bytes_.size() - 1 - p, "IMAF", 4);
        if (hit == nullptr) break;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (at + 5 > bytes_.size()) break;
        positions.push_back(at);
        p = at + 1;
    }
    imafPositions_ = std::move(positions);
}

std::optional<std::size_t> NeighborhoodImage::familyRecordOf(const std::string& guid) const {
    if (!imafPositions_) indexFamilies();
    if (imafPositions_->empty() || guid.size() != 4) return std::nullopt;
    const auto* data = reinterpret_cast<const char*>(bytes_.data());
    const std::size_t from = imafPositions_->front();
    const std::size_t end = bytes_.size() - 1;  // the last position scanned is size - 5
    // The first place, at or after the first "IMAF", where the GUID stands.
    for (std::size_t p = from; p + 4 <= end;) {
        const void* hit = memmem(data + p, end - p, guid.data(), 4);
        if (hit == nullptr) return std::nullopt;
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        // At an "IMAF" position the scan takes it as a family record, not as the GUID.
        if (!std::binary_search(imafPositions_->begin(), imafPositions_->end(), at)) {
            auto last = std::upper_bound(imafPositions_->begin(), imafPositions_->end(), at);
            return *std::prev(last);
        }
        p = at + 1;
    }
    return std::nullopt;
}

void NeighborhoodImage::indexNeighbours() const {
    const ChunkList upToNeighbours = ReadChunkList(bytes_, "NBRS", fileName_);
    const Section* nbrs = FindChunk(upToNeighbours, "NBRS");
    nbrs_ = NeighbourSearch{nbrs ? static_cast<std::size_t>(nbrs->ChunkOffset) : 0, upToNeighbours.damaged,
                            upToNeighbours.damage};
    if (nbrs == nullptr) return;
    const std::size_t start = static_cast<std::size_t>(nbrs->ChunkOffset) + kNameSearchStart;
    const std::size_t end = std::min(bytes_.size(), static_cast<std::size_t>(nbrs->ChunkOffset) +
                                                        static_cast<std::size_t>(nbrs->ChunkSize));
    if (start >= end) return;
    nbrsStart_ = start;
    nbrsLower_.assign(reinterpret_cast<const char*>(bytes_.data()) + start, end - start);
    std::transform(nbrsLower_.begin(), nbrsLower_.end(), nbrsLower_.begin(), lowerAscii);
}

NeighborhoodImage::NeighbourSearch NeighborhoodImage::neighbourRecordOf(const std::string& fileName) const {
    if (!nbrs_) indexNeighbours();
    if (nbrs_->damaged || fileName.empty()) return {0, nbrs_->damaged, nbrs_->damage};
    std::string wanted(fileName.size(), '\0');
    std::transform(fileName.begin(), fileName.end(), wanted.begin(), lowerAscii);
    wanted.push_back('\0');  // a match counts only with the name's terminating zero byte
    const auto at = nbrsLower_.find(wanted);
    return {at == std::string::npos ? 0 : nbrsStart_ + at, false, {}};
}

const Section* NeighborhoodImage::chunkAt(std::size_t position) const {
    for (const Section& section : chunks_.sections) {
        const auto start = static_cast<std::size_t>(section.ChunkOffset);
        if (position >= start && position < start + static_cast<std::size_t>(section.ChunkSize)) {
            return &section;
        }
    }
    return nullptr;
}

}  // namespace corvane
