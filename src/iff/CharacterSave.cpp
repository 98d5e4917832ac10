#include "iff/CharacterSave.h"

#include "app/StyledMessageDlg.h"
#include "iff/BodyStringsWriter.h"
#include "iff/CharacterFileRewrite.h"
#include "iff/CharacterImageFile.h"
#include "iff/FamilyUpdate.h"
#include "iff/NamesChunkWriter.h"
#include "iff/NeighbourhoodValuesUpdate.h"
#include "iff/PajamaTextureQuestion.h"
#include "neighbourhoods/GameFileWrite.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"

#include <algorithm>
#include <optional>
#include <exception>
#include <system_error>

namespace corvane {

namespace {

// A character whose new file is written, waiting for the neighbourhood.
struct SavedCharacter {
    std::size_t index;
    Sim* sim;
    std::filesystem::path file;
    std::vector<std::uint8_t> oldBytes;  // to put back when the neighbourhood cannot be written
    std::optional<std::vector<std::uint8_t>> newImages;
    RewrittenCharacter rewritten;
    std::filesystem::path imageFile;
};

// The work for one neighbourhood's characters. neighborhood.iff is read once
// and written once, after the character files: each character's values go
// in only when its own file was written, so a failure leaves neither of its
// files changed, and a failing neighbourhood puts the character files back.
class CharacterSaver {
public:
    CharacterSaver(CharacterList& list, const CharacterSaveSettings& settings, CharacterSaveServices& services)
        : list_(list),
          settings_(settings),
          services_(services),
          folders_(settings.gameFolder, settings.expansionLevel),
          installed_(folders_, services.skinCatalogue()),
          neighbourhoodFile_(ResolveCaseInsensitive(settings.neighbourhoodFolder, "neighborhood.iff")) {}

    // False (and said) when neighborhood.iff cannot be read: then no character can be saved.
    bool readNeighbourhood() {
        try {
            neighbourhoodBefore_ = ReadFileBytes(neighbourhoodFile_);
            return true;
        } catch (const std::exception&) {
            report(LangStr(7010) + " : Loading Neighborhood.iff for editing");
            return false;
        }
    }

    void saveCharacterFile(std::size_t index) {
        Sim& sim = *list_.entries()[index].sim;
        std::string step;
        try {
            saved_.push_back(writeCharacterFile(index, sim, step));
        } catch (const DamagedCharacterFile&) {
            report(LangStr(7010) + " : " + sim.FileName + " " + LangStr(7169));
        } catch (const std::exception&) {
            report(LangStr(7010) + " : " + sim.FileName + step);
        }
    }

    // The saved characters' values, written into neighborhood.iff at once.
    void writeNeighbourhood() {
        std::vector<std::uint8_t> bytes = neighbourhoodBefore_;
        std::string step = "Updating Neighborhood.iff";
        bool changed = false;
        for (const SavedCharacter& saved : saved_) {
            changed = UpdateNeighborhoodValues(bytes, *saved.sim, settings_.expansionLevel, step) || changed;
        }
        if (!changed) return;
        try {
            step = "Saving Neighborhood.iff";
            WriteGameFile(neighbourhoodFile_, bytes, settings_.gameFolder);
        } catch (const std::exception&) {
            report(LangStr(7010) + " : " + step);
            putCharacterFilesBack();
        }
    }

    // Flags, thumbnails and waiting images of the saved characters, then the pajama question.
    void finishSaved() {
        for (const SavedCharacter& saved : saved_) {
            try {
                finish(saved);
            } catch (const std::exception&) {
                report(LangStr(7010) + " : " + saved.sim->FileName + "Cleaning up Stream");
            }
        }
    }

    // Household moves and family names, each read fresh from the file so that
    // the changes of several characters add up.
    bool updateFamilies() {
        bool any = false;
        for (Sim* sim : list_.sims()) {
            if (!sim->LastNameChanged && !sim->FamilyChanged) continue;
            any = true;
            std::string step = "Clearing old section data(1)";
            try {
                UpdateFamilies(neighbourhoodFile_, *sim, services_.dialogs, step, settings_.gameFolder);
            } catch (const std::exception&) {
                report(LangStr(7010) + " : " + step);
            }
        }
        return any;
    }

private:
    SavedCharacter writeCharacterFile(std::size_t index, Sim& sim, std::string& step) {
        SavedCharacter saved{index, &sim, {}, {}, {}, {}, {}};
        step = "Loading character file";
        saved.file = ResolveCaseInsensitive(settings_.neighbourhoodFolder, "Characters\\" + sim.FileName + ".iff");
        saved.oldBytes = ReadFileBytes(saved.file);

        step = "Creating new skin data";
        const BodyStringEntries bodyStrings = BuildBodyStrings(sim, settings_.expansionLevel, installed_);
        CharacterFileParts parts;
        parts.bodyStrings = MakeBodyStringsChunk(sim.BodyStringsHead, bodyStrings.values);
        parts.resetThumbnail = sim.ResetThumbnail || bodyStrings.headMissing;
        parts.expansionLevel = settings_.expansionLevel;
        step = "Creating new name/bio strings";
        parts.names = MakeNamesChunk(sim, settings_.languageNumber);

        step = "Second Pass through section data";
        saved.imageFile = CharacterImageFile(settings_.applicationFolder, sim.FileName);
        if (std::filesystem::is_regular_file(saved.imageFile)) parts.newImages = ReadFileBytes(saved.imageFile);
        saved.rewritten = RewriteCharacterFile(saved.oldBytes, parts);
        saved.newImages = std::move(parts.newImages);

        step = "Saving new character file";
        WriteGameFile(saved.file, saved.rewritten.bytes, settings_.gameFolder);
        return saved;
    }

    void putCharacterFilesBack() {
        for (const SavedCharacter& saved : saved_) {
            try {
                WriteGameFile(saved.file, saved.oldBytes, settings_.gameFolder);
            } catch (const std::exception&) {
                report(LangStr(7010) + " : " + saved.sim->FileName + "Saving new character file");
            }
        }
        saved_.clear();
    }

    void finish(const SavedCharacter& saved) {
        Sim& sim = *saved.sim;
        sim.Modified = false;
        sim.ResetThumbnail = false;
        if (saved.rewritten.newImagesWritten) {
            if (auto thumbnail = ThumbnailOfCharacterImages(*saved.newImages)) list_.setThumbnail(saved.index, std::move(thumbnail));
        }
        if (saved.rewritten.newImagesUsedUp) {
            // The editor's own work file, drawn for this save.
            std::error_code ignored;
            std::filesystem::remove(saved.imageFile, ignored);
        }
        AskAboutPajamaTexture(sim, settings_.expansionLevel, folders_, services_.dialogs);
    }

    void report(const std::string& text) {
        StyledMessageDlg(services_.dialogs, LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
    }

    CharacterList& list_;
    const CharacterSaveSettings& settings_;
    CharacterSaveServices& services_;
    SkinFolders folders_;
    InstalledSkins installed_;
    std::filesystem::path neighbourhoodFile_;
    std::vector<std::uint8_t> neighbourhoodBefore_;
    std::vector<SavedCharacter> saved_;
};

}  // namespace

CharacterSaveResult SaveModifiedCharacters(CharacterList& list, const CharacterSaveSettings& settings,
                                           CharacterSaveServices& services) {
    CharacterSaveResult result;
    const auto& entries = list.entries();
    result.asked = std::any_of(entries.begin(), entries.end(), [](const auto& e) { return e.sim->Modified; });
    if (!result.asked) return result;
    if (StyledMessageDlg(services.dialogs, LangStr(5022), LangStr(8075), MsgKind::None, 0, mrYes, mbYesNo) != mrYes) {
        return result;
    }
    result.saved = true;
    CharacterSaver saver(list, settings, services);
    services.progress.showStatus(LangStr(6150));
    services.progress.setMaximum(static_cast<int>(entries.size()) - 1);
    if (saver.readNeighbourhood()) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            services.progress.setPosition(static_cast<int>(i));
            if (entries[i].sim->Modified) saver.saveCharacterFile(i);
        }
        saver.writeNeighbourhood();
        saver.finishSaved();
    }
    result.familiesChanged = saver.updateFamilies();
    return result;
}

}  // namespace corvane
