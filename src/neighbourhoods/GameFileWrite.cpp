#include "neighbourhoods/GameFileWrite.h"

#include "neighbourhoods/AutoBackup.h"
#include "platform/AppFolder.h"
#include "platform/DurableWrite.h"

namespace corvane {

std::filesystem::path SaveJournalFile() {
    return ApplicationFolder() / "SaveJournal.txt";
}

GameFileSave::GameFileSave(std::filesystem::path gameFolder)
    : gameFolder_(std::move(gameFolder)), files_(SaveJournalFile()) {}

void GameFileSave::add(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    files_.add(file, bytes);
}

InterruptedSave GameFileSave::commit() {
    for (const std::filesystem::path& file : files_.files()) {
        try {
            EditorAutoBackup(gameFolder_).keepOriginal(file);
        } catch (const std::exception& failure) {
            throw FileWriteError(WriteTarget(file), std::string(failure.what()) + "; no file was changed");
        }
    }
    return files_.commit();
}

void WriteGameFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                   const std::filesystem::path& gameFolder) {
    GameFileSave save(gameFolder);
    save.add(file, bytes);
    save.commit();
}

InterruptedSave FinishInterruptedGameSave() {
    return FinishInterruptedSave(SaveJournalFile(), [] { RemoveUnfinishedBackupCopies(ApplicationFolder() / "AutoBackup"); });
}

}  // namespace corvane
