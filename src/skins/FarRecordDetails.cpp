#include "skins/FarRecordDetails.h"

#include "platform/FormatError.h"
#include "platform/RegularFile.h"

#include <stdexcept>

namespace corvane {

std::vector<std::uint8_t> ReadArchiveEntry(const FarRecordDetails& entry) {
    const RegularFile archive(entry.ArchivePath);
    const auto archiveSize = static_cast<std::int64_t>(archive.size());
    if (entry.Offset < 0 || entry.Size < 0 || std::int64_t{entry.Offset} + entry.Size > archiveSize) {
        throw FormatError(entry.ArchivePath.string(), static_cast<std::uint64_t>(entry.Offset < 0 ? 0 : entry.Offset),
                          "entry " + entry.EntryName + " of " + std::to_string(entry.Size) +
                              " bytes lies outside the archive of " + std::to_string(archiveSize) + " bytes");
    }
    std::vector<std::uint8_t> bytes =
        archive.read(static_cast<std::uint64_t>(entry.Offset), static_cast<std::size_t>(entry.Size));
    if (bytes.size() != static_cast<std::size_t>(entry.Size)) {
        throw FormatError(entry.ArchivePath.string(), static_cast<std::uint64_t>(entry.Offset),
                          "entry " + entry.EntryName + " ends early: the archive shrank while it was read");
    }
    return bytes;
}

}  // namespace corvane
