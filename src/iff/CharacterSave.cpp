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
#include <exception>
#include <system_error>

namespace corvane {

namespace {

// What a failure reports: the step under way, and whose file it concerns.
struct SaveStep {
    std::string name;
    bool inCharacterFile = false;

    void set(std::string stepName, bool characterFile) {
        name = std::move(stepName);
        inCharacterFile = characterFile;
    }
};

// The work for one neighbourhood's characters.
class CharacterSaver {
public:
    CharacterSaver(CharacterList& list, const CharacterSaveSettings& settings, CharacterSaveServices& services)
        : list_(list),
          settings_(settings),
          services_(services),
          folders_(settings.gameFolder, settings.expansionLevel),
          installed_(folders_, services.skinCatalogue()),
          neighbourhoodFile_(ResolveCaseInsensitive(settings.neighbourhoodFolder, "neighborhood.iff")) {}

    void saveCharacter(std::size_t index) {
        Sim& sim = *list_.entries()[index].sim;
        SaveStep step;
        try {
            save(index, sim, step);
        } catch (const DamagedCharacterFile&) {
            report(LangStr(7010) + " : " + sim.FileName + " " + LangStr(7169));
        } catch (const std::exception&) {
            report(LangStr(7010) + " : " + (step.inCharacterFile ? sim.FileName : std::string()) + step.name);
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
    // Everything is built in memory first; only then are the two files
    // written, and the neighbourhood put back when the character file fails,
    // so that a failure leaves both files as they were.
    void save(std::size_t index, Sim& sim, SaveStep& step) {
        step.set("Loading character file", true);
        const auto characterFile =
            ResolveCaseInsensitive(settings_.neighbourhoodFolder, "Characters\\" + sim.FileName + ".iff");
        const std::vector<std::uint8_t> old = ReadFileBytes(characterFile);

        step.set("Creating new skin data", true);
        const BodyStringEntries bodyStrings = BuildBodyStrings(sim, settings_.expansionLevel, installed_);
        CharacterFileParts parts;
        parts.bodyStrings = MakeBodyStringsChunk(sim.BodyStringsHead, bodyStrings.values);
        parts.resetThumbnail = sim.ResetThumbnail || bodyStrings.headMissing;
        parts.expansionLevel = settings_.expansionLevel;
        step.set("Creating new name/bio strings", true);
        parts.names = MakeNamesChunk(sim, settings_.languageNumber);

        step.set("Second Pass through section data", true);
        const auto imageFile = CharacterImageFile(settings_.applicationFolder, sim.FileName);
        if (std::filesystem::is_regular_file(imageFile)) parts.newImages = ReadFileBytes(imageFile);
        const RewrittenCharacter rewritten = RewriteCharacterFile(old, parts);

        step.set("Loading Neighborhood.iff for editing", false);
        const std::vector<std::uint8_t> neighbourhoodBefore = ReadFileBytes(neighbourhoodFile_);
        std::vector<std::uint8_t> neighbourhood = neighbourhoodBefore;
        const bool neighbourhoodChanged =
            UpdateNeighborhoodBytes(neighbourhood, sim, settings_.expansionLevel, step.name);
        if (neighbourhoodChanged) {
            step.set("Saving Neighborhood.iff", false);
            WriteGameFile(neighbourhoodFile_, neighbourhood, settings_.gameFolder);
        }

        step.set("Saving new character file", true);
        try {
            WriteGameFile(characterFile, rewritten.bytes, settings_.gameFolder);
        } catch (...) {
            if (neighbourhoodChanged) WriteGameFile(neighbourhoodFile_, neighbourhoodBefore, settings_.gameFolder);
            throw;
        }

        step.set("Cleaning up Stream", true);
        finish(index, sim, rewritten, parts, imageFile);
        AskAboutPajamaTexture(sim, settings_.expansionLevel, folders_, services_.dialogs);
    }

    void finish(std::size_t index, Sim& sim, const RewrittenCharacter& rewritten, const CharacterFileParts& parts,
                const std::filesystem::path& imageFile) {
        sim.Modified = false;
        sim.ResetThumbnail = false;
        if (rewritten.newImagesWritten) {
            if (auto thumbnail = ThumbnailOfCharacterImages(*parts.newImages)) list_.setThumbnail(index, std::move(thumbnail));
        }
        if (rewritten.newImagesUsedUp) {
            // The editor's own work file, drawn for this save.
            std::error_code ignored;
            std::filesystem::remove(imageFile, ignored);
        }
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
    for (std::size_t i = 0; i < entries.size(); ++i) {
        services.progress.setPosition(static_cast<int>(i));
        if (entries[i].sim->Modified) saver.saveCharacter(i);
    }
    result.familiesChanged = saver.updateFamilies();
    return result;
}

}  // namespace corvane
