#include "platform/AtomicFile.h"

#include "platform/DurableWrite.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace corvane {

std::string ReadTextFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("Cannot read " + file.string() + ": " + std::strerror(errno));
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw std::runtime_error("Cannot read " + file.string());
    }
    return content;
}

void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content) {
    const std::filesystem::path target = WriteTarget(file);
    const std::filesystem::path temporary = SiblingTemporaryName(target);
    WriteTemporaryFile(temporary, content, target);
    try {
        MoveOver(temporary, target);
    } catch (...) {
        DiscardTemporary(temporary);
        throw;
    }
    FlushFolderEntries(target.parent_path());
}

}  // namespace corvane
