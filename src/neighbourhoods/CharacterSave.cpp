#include "neighbourhoods/CharacterSave.h"

#include "iff/CharacterFileRewrite.h"
#include "iff/CharacterImageFile.h"
#include "iff/IffContainer.h"
#include "neighbourhoods/BodyStringsWriter.h"
#include "neighbourhoods/FamilyUpdate.h"
#include "neighbourhoods/GameFileWrite.h"
#include "neighbourhoods/InterruptedSaveReport.h"
#include "neighbourhoods/NamesChunkWriter.h"
#include "neighbourhoods/NeighbourhoodValuesUpdate.h"
#include "neighbourhoods/PajamaTextureQuestion.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/DurableWrite.h"
#include "platform/FileBytes.h"
#include "platform/FileStamp.h"
#include "platform/LanguageModule.h"
#include "platform/SilentDialogs.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TextLines.h"

#include <algorithm>
#include <map>
#include <exception>
#include <optional>
#include <set>
#include <system_error>

namespace corvane {

namespace {

std::vector<std::string> installedNames(const std::vector<InstalledGameFile>& files) {
    std::vector<std::string> names;
    for (const InstalledGameFile& file : files) names.push_back(file.file.filename().string());
    return names;
}

// A character whose new file is built, waiting to be written with the others.
struct StagedCharacter {
    std::size_t index;
    Sim* sim;
    std::filesystem::path file;
    std::optional<std::vector<std::uint8_t>> newImages;
    RewrittenCharacter rewritten;
    std::filesystem::path imageFile;
};

// The work for one neighbourhood's characters. Everything is built in memory
// first: each character's new file and its values in neighborhood.iff, then
// the household moves and family names. Then all files are written together
// or not at all. A character whose steps fail, or whose files were read as
// damaged, is left out whole: neither its file nor its values change.
class CharacterSaver {
public:
    CharacterSaver(CharacterList& list, const CharacterSaveSettings& settings, CharacterSaveServices& services)
        : list_(list),
          settings_(settings),
          services_(services),
          folders_(settings.gameFolder, settings.expansionLevel),
          installed_(folders_, services.skinCatalogue(), installedNames(settings.additions.files)),
          neighbourhoodFile_(ResolveCaseInsensitive(settings.neighbourhoodFolder, "neighborhood.iff")) {}

    // False (and said) when neighborhood.iff cannot be read or is damaged:
    // then no character can be saved.
    bool readNeighbourhood() {
        const std::string step = "Loading Neighborhood.iff for editing";
        try {
            neighbourhoodBefore_ = ReadFileBytes(neighbourhoodFile_);
        } catch (const std::exception& failure) {
            report(LangStr(7010) + " : " + step, failure.what());
            return false;
        }
        // Changed since it was opened, and damaged now: never rewritten.
        const ChunkList chunks = ReadChunkList(neighbourhoodBefore_, {}, neighbourhoodFile_.filename().string());
        if (chunks.damaged) {
            report(LangStr(7010) + " : " + step, chunks.damage + " " + LangStr(7169));
            return false;
        }
        neighbourhood_ = neighbourhoodBefore_;
        return true;
    }

    // When a file the save would write was changed by another program since
    // it was read, the neighbourhood is read again and the user's changes are
    // carried over onto it; a value both changed is settled first. Every
    // question comes before the save writes any file, so what it writes is
    // what the answers were about. False when nothing is to be saved: a
    // question was cancelled, or the files can no longer be read.
    bool mergeChangedFiles(CharacterSaveResult& result) {
        bool changed = changedSinceRead(list_.neighbourhoodStamp(), neighbourhoodFile_);
        for (Sim* sim : list_.sims()) {
            if (!sim->Modified || sim->isDamaged()) continue;
            changed = changedSinceRead(sim->FileStampAsRead, characterFileOf(*sim)) || changed;
        }
        if (!changed) return true;
        NeighbourhoodLoadSettings reading = settings_.reading;
        reading.folder = settings_.neighbourhoodFolder;
        const ConflictSettler ask = [this](const ConflictOnDisk& conflict) {
            return AskAboutConflict(services_.dialogs, settings_.languageNumber, conflict);
        };
        const ChangedFilesMerge merge =
            MergeChangedFiles(list_, reading, services_.settleConflict ? services_.settleConflict : ask);
        if (merge.cancelled) return unanswered(result);
        if (!merge.failure.empty()) {
            report(LangStr(7010) + " : " + neighbourhoodFile_.string(), merge.failure);
            return false;
        }
        // The files as read again are what the save may overwrite.
        agreed_[neighbourhoodFile_] = list_.neighbourhoodStamp();
        for (Sim* sim : list_.sims()) {
            if (sim->Modified && !sim->isDamaged()) agreed_[characterFileOf(*sim)] = sim->FileStampAsRead;
        }
        merged_ = true;
        return true;
    }

    void stageCharacter(std::size_t index) {
        Sim& sim = *list_.entries()[index].sim;
        if (sim.isDamaged()) {
            refused_.insert(&sim);
            report(LangStr(7010) + " : " + sim.Damage, LangStr(7169));
            return;
        }
        std::string step = "Starting Character Save";
        try {
            StagedCharacter staged = buildCharacterFile(index, sim, step);
            // Last, so that nothing but the values update itself can fail after it.
            step = "Loading Neighborhood.iff for editing";
            try {
                UpdateNeighborhoodValues(neighbourhood_, sim, settings_.expansionLevel, step);
            } catch (const std::exception&) {
                takeBackValues();
                throw;
            }
            staged_.push_back(std::move(staged));
        } catch (const DamagedCharacterFile& damage) {
            refused_.insert(&sim);
            report(LangStr(7010) + " : " + sim.FileName + ".iff: " + damage.what(), LangStr(7169));
        } catch (const std::exception& failure) {
            refused_.insert(&sim);
            report(LangStr(7010) + " : " + sim.FileName + step, failure.what());
        }
    }

    // A character whose household move or family name cannot be written
    // (its family's records are malformed) is left out whole, before any of
    // its files is built: tried quietly on the file as read, in save order.
    void refuseFailingFamilyUpdates() {
        std::vector<std::uint8_t> trial = neighbourhoodBefore_;
        SilentDialogs quiet;
        for (Sim* sim : list_.sims()) {
            if (!changesFamily(*sim)) continue;
            std::string step = "Clearing old section data(1)";
            try {
                if (auto updated = UpdateFamilyBytes(trial, *sim, quiet, step)) trial = std::move(*updated);
            } catch (const std::exception& failure) {
                refused_.insert(sim);
                report(LangStr(7010) + " : " + sim->FileName + step, failure.what());
            }
        }
    }

    // Household moves and family names of the characters not left out, each
    // on the bytes the ones before it left, so that their changes add up.
    void stageFamilies() {
        for (Sim* sim : list_.sims()) {
            if (!changesFamily(*sim)) continue;
            familiesAsked_ = true;
            std::string step = "Clearing old section data(1)";
            try {
                if (auto updated = UpdateFamilyBytes(neighbourhood_, *sim, services_.dialogs, step)) {
                    neighbourhood_ = std::move(*updated);
                }
            } catch (const std::exception& failure) {
                // The trial passed, so the file is not what it was: write nothing at all.
                report(LangStr(7010) + " : " + sim->FileName + step, failure.what());
                abandoned_ = true;
            }
        }
    }

    // Writes every new file at once. False (and said) when nothing was written.
    bool writeFiles() {
        if (abandoned_) return false;
        // Files that come with the characters' values are never written without them.
        if (!settings_.additions.empty() && !refused_.empty()) return false;
        GameFileSave save(settings_.gameFolder);
        for (const InstalledGameFile& file : settings_.additions.files) save.install(file);
        for (const StagedCharacter& staged : staged_) {
            if (changedSinceQuestions(staged.file)) return changedWhileSaving(staged.file);
            save.add(staged.file, staged.rewritten.bytes);
        }
        if (neighbourhood_ != neighbourhoodBefore_) {
            if (changedSinceQuestions(neighbourhoodFile_)) return changedWhileSaving(neighbourhoodFile_);
            save.add(neighbourhoodFile_, neighbourhood_);
        }
        try {
            if (!save.empty()) {
                const InterruptedSave earlier = save.commit();
                if (earlier.outcome != InterruptedSave::Outcome::None) tell(InterruptedSaveText(earlier));
            }
            // As read by this save or as written by it: the next save compares with that.
            list_.setNeighbourhoodStamp(StampOf(neighbourhoodFile_));
            return true;
        } catch (const std::exception& failure) {
            report(LangStr(7010) + " : " + writingStep(failure), failure.what());
            return false;
        }
    }

    // Flags, thumbnails and waiting images of the saved characters, then the pajama question.
    void finishSaved() {
        for (const StagedCharacter& staged : staged_) {
            try {
                finish(staged);
            } catch (const std::exception& failure) {
                report(LangStr(7010) + " : " + staged.sim->FileName + "Cleaning up Stream", failure.what());
            }
        }
    }

    bool familiesAsked() const { return familiesAsked_; }
    bool mergedChangedFiles() const { return merged_; }

    bool isRefused(const Sim& sim) const { return refused_.contains(&sim); }

    // A save cut off earlier is finished before this one reads anything.
    void finishInterruptedSave() {
        const InterruptedSaveReport earlier = FinishInterruptedSaveAndDescribe();
        if (!earlier.text.empty()) tell(earlier.text);
    }

private:
    // Also notes the file as it is now, for the check just before the write.
    bool changedSinceRead(const std::optional<FileStamp>& asRead, const std::filesystem::path& file) {
        const std::optional<FileStamp> now = StampOf(file);
        agreed_[file] = now;
        return asRead && now != asRead;
    }

    bool changedSinceQuestions(const std::filesystem::path& file) const {
        const auto agreed = agreed_.find(file);
        return agreed != agreed_.end() && StampOf(file) != agreed->second;
    }

    // Another program wrote the file after the questions, while this save
    // ran: nothing is written, and the next save reads it again.
    bool changedWhileSaving(const std::filesystem::path& file) {
        report(LangStr(7010) + " : " + file.string(), LangStr(7196));
        return false;
    }

    // Nothing is saved and nothing given up: the editor stays as it was.
    static bool unanswered(CharacterSaveResult& result) {
        result = CharacterSaveResult{};
        result.asked = true;
        result.unanswered = true;
        return false;
    }

    std::filesystem::path characterFileOf(const Sim& sim) const {
        return ResolveCaseInsensitive(settings_.neighbourhoodFolder, "Characters\\" + sim.FileName + ".iff");
    }

    // A values update that failed part way: the neighbourhood again holds the
    // values of the characters staged so far, and nothing of the failed one.
    // (Rare, so the common path needs no copy of the whole file per character.)
    void takeBackValues() {
        neighbourhood_ = neighbourhoodBefore_;
        std::string step;
        for (const StagedCharacter& staged : staged_) {
            UpdateNeighborhoodValues(neighbourhood_, *staged.sim, settings_.expansionLevel, step);
        }
    }

    bool changesFamily(const Sim& sim) const {
        return (sim.LastNameChanged || sim.FamilyChanged) && !refused_.contains(&sim) && !sim.isDamaged();
    }

    StagedCharacter buildCharacterFile(std::size_t index, Sim& sim, std::string& step) {
        StagedCharacter staged{index, &sim, {}, {}, {}, {}};
        step = "Creating new skin data";
        const BodyStringEntries bodyStrings = BuildBodyStrings(sim, settings_.expansionLevel, installed_);
        CharacterFileParts parts;
        parts.bodyStrings = MakeBodyStringsChunk(sim.BodyStringsHead, bodyStrings.values);
        parts.resetThumbnail = sim.ResetThumbnail || bodyStrings.headMissing;
        parts.expansionLevel = settings_.expansionLevel;
        step = "Creating new name/bio strings";
        parts.names = [&sim, language = settings_.languageNumber](std::span<const std::uint8_t> oldNames) {
            return MakeNamesChunk(sim, language, oldNames);
        };
        // The game's own person files hold no names chunk: one is added only for names to keep.
        parts.addNames = !Trimmed(sim.FirstName).empty() || !sim.Bio.empty();

        step = "Loading character file";
        staged.file = characterFileOf(sim);
        const std::vector<std::uint8_t> oldBytes = ReadFileBytes(staged.file);

        step = "Second Pass through section data";
        staged.imageFile = CharacterImageFile(settings_.applicationFolder, sim.FileName);
        if (const auto given = settings_.additions.images.find(sim.FileName); given != settings_.additions.images.end()) {
            parts.newImages = given->second;
        } else if (std::filesystem::is_regular_file(staged.imageFile)) {
            parts.newImages = ReadFileBytes(staged.imageFile);
        }
        staged.rewritten = RewriteCharacterFile(oldBytes, parts);
        staged.newImages = std::move(parts.newImages);
        step = "Saving new character file";
        return staged;
    }

    // The step whose file could not be written, as the save names its steps.
    std::string writingStep(const std::exception& failure) const {
        const auto* writeError = dynamic_cast<const FileWriteError*>(&failure);
        if (writeError != nullptr) {
            for (const StagedCharacter& staged : staged_) {
                if (WriteTarget(staged.file) == writeError->file()) return staged.sim->FileName + "Saving new character file";
            }
        }
        return "Saving Neighborhood.iff";
    }

    void finish(const StagedCharacter& staged) {
        Sim& sim = *staged.sim;
        sim.Modified = false;
        sim.ResetThumbnail = false;
        sim.FileStampAsRead = StampOf(staged.file);
        if (staged.rewritten.newImagesWritten) {
            if (auto thumbnail = ThumbnailOfCharacterImages(*staged.newImages)) {
                list_.setThumbnail(staged.index, std::move(thumbnail));
            }
        }
        if (staged.rewritten.newImagesUsedUp) {
            // The editor's own work file, drawn for this save.
            std::error_code ignored;
            std::filesystem::remove(staged.imageFile, ignored);
        }
        AskAboutPajamaTexture(sim, settings_.expansionLevel, folders_, services_.dialogs);
    }

    // The save's own message, then what went wrong.
    void report(const std::string& text, const std::string& cause) { tell(text + "\n" + cause); }

    void tell(const std::string& text) {
        StyledMessageDlg(services_.dialogs, LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
    }

    CharacterList& list_;
    const CharacterSaveSettings& settings_;
    CharacterSaveServices& services_;
    SkinFolders folders_;
    InstalledSkins installed_;
    std::filesystem::path neighbourhoodFile_;
    std::vector<std::uint8_t> neighbourhoodBefore_;
    // Each file the save may write, as it was when the questions were asked.
    std::map<std::filesystem::path, std::optional<FileStamp>> agreed_;
    std::vector<std::uint8_t> neighbourhood_;  // with the changes of the characters staged so far
    std::vector<StagedCharacter> staged_;
    std::set<const Sim*> refused_;
    bool familiesAsked_ = false;
    bool abandoned_ = false;
    bool merged_ = false;
};

}  // namespace

CharacterSaveResult SaveModifiedCharacters(CharacterList& list, const CharacterSaveSettings& settings,
                                           CharacterSaveServices& services) {
    CharacterSaveResult result;
    const auto& entries = list.entries();
    result.asked = std::any_of(entries.begin(), entries.end(), [](const auto& e) { return e.sim->Modified; });
    if (!result.asked) return result;
    const ModalResult answer =
        StyledMessageDlg(services.dialogs, LangStr(5022), LangStr(kSaveQuestion), MsgKind::None, 0, mrYes, mbYesNo,
                         kSaveQuestion);
    if (answer != mrYes) {
        result.unanswered = answer != mrNo;
        return result;
    }
    result.saved = true;
    CharacterSaver saver(list, settings, services);
    saver.finishInterruptedSave();
    if (!saver.mergeChangedFiles(result)) return result;
    services.progress.showStatus(LangStr(6150));
    services.progress.setMaximum(static_cast<int>(entries.size()) - 1);
    if (!saver.readNeighbourhood()) return result;
    saver.refuseFailingFamilyUpdates();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        services.progress.setPosition(static_cast<int>(i));
        if (entries[i].sim->Modified && !saver.isRefused(*entries[i].sim)) saver.stageCharacter(i);
    }
    saver.stageFamilies();
    if (saver.writeFiles()) {
        saver.finishSaved();
        result.familiesChanged = saver.familiesAsked();
        result.reloadNeeded = saver.mergedChangedFiles();
        // What the files hold now is where the user's next changes start.
        for (const Sim* sim : list.sims()) {
            if (!sim->Modified) list.setAsRead(*sim, *sim);
        }
    }
    return result;
}

}  // namespace corvane
