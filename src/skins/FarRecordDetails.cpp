#include "skins/FarRecordDetails.h"

#include "platform/FormatError.h"

#include <fstream>
#include <stdexcept>

namespace corvane {

std::vector<std::uint8_t> ReadArchiveEntry(const FarRecordDetails& entry) {
    std::ifstream in(entry.ArchivePath, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read the archive " + entry.ArchivePath.string());
    }
    in.seekg(0, std::ios::end);
    const auto archiveSize = static_cast<std::int64_t>(in.tellg());
    if (entry.Offset < 0 || entry.Size < 0 || std::int64_t{entry.Offset} + entry.Size > archiveSize) {
        throw FormatError(entry.ArchivePath.string(), static_cast<std::uint64_t>(entry.Offset < 0 ? 0 : entry.Offset),
                          "entry " + entry.EntryName + " of " + std::to_string(entry.Size) +
                              " bytes lies outside the archive");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(entry.Size));
    in.seekg(entry.Offset);
    in.read(reinterpret_cast<char*>(bytes.data()), entry.Size);
    if (!in) {
        throw std::runtime_error("cannot read " + entry.EntryName + " from " + entry.ArchivePath.string());
    }
    return bytes;
}

}  // namespace corvane
