#include "skins/SkinText.h"

#include "platform/TextLines.h"

namespace corvane {

std::optional<SkinText> ReadSkinText(const SkinFolders& folders, const SkinCatalogue& catalogue, const std::string& name,
                                     std::string_view extension, ArchivedSkinLines fromArchive,
                                     std::string* archiveFault) {
    SkinText text;
    text.file = folders.FindSkinFile(name, extension);
    if (!text.file.empty()) {
        text.lines = ReadTextFileLines(text.file);
        return text;
    }
    if (!fromArchive(catalogue, name, text.lines, archiveFault)) return std::nullopt;
    return text;
}

}  // namespace corvane
