#pragma once

#include "cli/CliArguments.h"
#include "sim/CharacterList.h"
#include "sim/Document.h"

#include <filesystem>
#include <string>

namespace corvane::cli {

// The folder of neighbourhood NB, named by its folder ("UserData2") or by the
// number the neighbourhood list shows ("02", "2"); GameDataError when there is none.
std::filesystem::path NeighbourhoodFolder(const std::string& folderName);

// The characters of neighbourhood NB, opened as the editor opens them, in list order.
CharacterList OpenCharacterList(const std::string& folderName);
// The same, opened into a document for editing.
void OpenDocument(const std::string& folderName, Document& document);

// The character of file FILE ("User00001", ".iff" allowed); GameDataError when it is not in the list.
Sim& FindCharacter(const CharacterList& list, std::string file, const std::string& folderName);

// The command's argument at `index`; std::invalid_argument naming `what` when it is missing.
std::string RequiredArgument(const CliArguments& args, std::size_t index, const char* what);

// A text of the game's files in UTF-8, and back.
std::string GameTextToUtf8(const std::string& gameText);
std::string Utf8ToGameText(const std::string& utf8);

}  // namespace corvane::cli
