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
    backedUp_.push_back(file);
}

void GameFileSave::install(const InstalledGameFile& file) {
    files_.add(file.file, file.bytes, ReplacedContent::ToTrash);
}

InterruptedSave GameFileSave::commit() {
    for (const std::filesystem::path& file : backedUp_) {
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

void InstallGameFiles(const std::vector<InstalledGameFile>& files) {
    GameFileSave save({});  // no backup copies: what a file replaces goes to the Trash
    for (const InstalledGameFile& file : files) save.install(file);
    save.commit();
}

InterruptedSave FinishInterruptedGameSave() {
    return FinishInterruptedSave(SaveJournalFile(), [] { RemoveUnfinishedBackupCopies(ApplicationFolder() / "AutoBackup"); });
}

}  // namespace corvane
