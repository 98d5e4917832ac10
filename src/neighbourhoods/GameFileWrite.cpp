#include "neighbourhoods/GameFileWrite.h"

#include "neighbourhoods/AutoBackup.h"
#include "platform/AtomicFile.h"

#include <string_view>

namespace corvane {

void WriteGameFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                   const std::filesystem::path& gameFolder) {
    EditorAutoBackup(gameFolder).keepOriginal(file);
    ReplaceFileAtomically(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace corvane
