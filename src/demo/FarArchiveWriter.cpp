#include "demo/FarArchiveWriter.h"
#include "platform/LittleEndian.h"

#include <stdexcept>

namespace corvane {

namespace {

void appendU32(std::vector<std::uint8_t>& out, std::size_t value) {
    if (value > 0xFFFFFFFFu) {
        throw std::length_error("a FAR archive holds at most 4 GiB");
    }
    AppendLe(out, static_cast<std::uint32_t>(value));
}

}  // namespace

std::vector<std::uint8_t> MakeFarArchive(const std::vector<FarArchiveFile>& files) {
    std::vector<std::uint8_t> out{'F', 'A', 'R', '!', 'b', 'y', 'A', 'Z'};
    appendU32(out, 1);
    appendU32(out, 0);  // the directory offset, filled in below
    std::vector<std::size_t> offsets;
    for (const FarArchiveFile& file : files) {
        offsets.push_back(out.size());
        out.insert(out.end(), file.bytes.begin(), file.bytes.end());
    }
    const std::size_t directory = out.size();
    PutLe(out, 12, static_cast<std::uint32_t>(directory));
    appendU32(out, files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        appendU32(out, files[i].bytes.size());
        appendU32(out, files[i].bytes.size());
        appendU32(out, offsets[i]);
        appendU32(out, files[i].storedName.size());
        out.insert(out.end(), files[i].storedName.begin(), files[i].storedName.end());
    }
    return out;
}

}  // namespace corvane
