#include "neighbourhoods/ChangedFilesMerge.h"

#include "neighbourhoods/NeighbourRecordLayout.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/CodePage.h"
#include "platform/LanguageModule.h"
#include "platform/Progress.h"
#include "platform/SilentDialogs.h"
#include "platform/StyledMessageDlg.h"
#include "sim/EditHistory.h"
#include "sim/SimFields.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {

namespace {

// Values one household shares: its members' records each hold a copy.
bool isHouseholdValue(const FieldConflict& conflict) {
    return conflict.relationshipTarget == 0 && (conflict.field == "FamilyCash" || conflict.field == "LastName");
}

bool isPersonData(std::string_view field) {
    const auto& table = SimFieldTable();
    const auto named = std::find_if(table.begin(), table.end(), [&](const SimField& f) { return f.name == field; });
    if (named == table.end() || !std::holds_alternative<std::int32_t Sim::*>(named->member)) return false;
    const auto member = std::get<std::int32_t Sim::*>(named->member);
    return std::any_of(kPersonDataFields.begin(), kPersonDataFields.end(),
                       [&](const PersonDataField& p) { return p.field == member; });
}

std::string shown(const std::string& gameText, int languageNumber) {
    return CodePageToUtf8(gameText, CodePageForLanguage(languageNumber));
}

// "Victor Marlow (User00001)", or "Household Marlow" for a value the household shares.
std::string ownerText(const ConflictOnDisk& c, int languageNumber) {
    if (isHouseholdValue(c.conflict)) return LangStr(7344) + " " + shown(c.record.LastName, languageNumber);
    return shown(c.record.FirstName + " " + c.record.LastName, languageNumber) + " (" + c.record.FileName + ")";
}

std::string valueText(const std::string& value, bool isText, int languageNumber) {
    return isText ? "\"" + shown(value, languageNumber) + "\"" : value;
}

Sim* findByFileName(const std::vector<std::unique_ptr<Sim>>& records, const std::string& fileName) {
    const auto found = std::find_if(records.begin(), records.end(),
                                    [&](const auto& r) { return EqualsIgnoreCase(r->FileName, fileName); });
    return found == records.end() ? nullptr : found->get();
}

// Asks each conflict once: the members of a household share its answers.
class ConflictAnswers {
public:
    explicit ConflictAnswers(const ConflictSettler& settle) : settle_(settle) {}

    ConflictQuestion forRecord(const Sim& record, const std::filesystem::path& folder) {
        return [this, &record, folder](const FieldConflict& conflict) {
            const std::string owner = isHouseholdValue(conflict) ? std::to_string(record.FamilyNumber) : record.FileName;
            const auto key = std::tuple(owner, conflict.field, conflict.relationshipTarget, conflict.onDisk, conflict.inEditor);
            if (const auto known = answers_.find(key); known != answers_.end()) return known->second;
            const ConflictAnswer answer = settle_({record, conflict, FileHoldingValue(folder, record, conflict)});
            answers_[key] = answer;
            return answer;
        };
    }

private:
    const ConflictSettler& settle_;
    std::map<std::tuple<std::string, std::string, std::int32_t, std::string, std::string>, ConflictAnswer> answers_;
};

}  // namespace

std::filesystem::path FileHoldingValue(const std::filesystem::path& neighbourhoodFolder, const Sim& record,
                                       const FieldConflict& conflict) {
    const bool inNeighbourhood = conflict.relationshipTarget != 0 || conflict.field == "FamilyCash" ||
                                 conflict.field == "HouseNumber" || conflict.field == "FamilyNumber" ||
                                 isPersonData(conflict.field);
    if (inNeighbourhood) return ResolveCaseInsensitive(neighbourhoodFolder, "neighborhood.iff");
    return ResolveCaseInsensitive(neighbourhoodFolder, "Characters\\" + record.FileName + ".iff");
}

ConflictAnswer AskAboutConflict(Dialogs& dialogs, int languageNumber, const ConflictOnDisk& c) {
    std::string field = c.conflict.field;
    if (c.conflict.relationshipTarget != 0) {
        field = LangStr(7345) + " " + shown(c.conflict.targetName, languageNumber) + ": " + field;
    }
    const std::string text = LangStr(7340) + "\n" + c.file.string() + "\n" + ownerText(c, languageNumber) + ": " +
                             field + "\n" + LangStr(7341) + " " +
                             valueText(c.conflict.onDisk, c.conflict.isText, languageNumber) + "\n" + LangStr(7342) +
                             " " + valueText(c.conflict.inEditor, c.conflict.isText, languageNumber) + "\n" +
                             LangStr(7343);
    switch (StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::Warning, 0, mrNone, mbYesNo)) {
        case mrYes: return ConflictAnswer::KeepEditor;
        case mrNo: return ConflictAnswer::KeepDisk;
        default: return ConflictAnswer::Cancel;
    }
}

ChangedFilesMerge MergeChangedFiles(CharacterList& list, NeighbourhoodLoadSettings load, const ConflictSettler& settle) {
    ChangedFilesMerge outcome;
    load.mayMoveFiles = false;
    load.applicationFolder.clear();  // the save's waiting pictures are not leftovers
    SilentDialogs quiet;
    SilentProgress progress;
    OpenedNeighbourhood fresh = OpenNeighbourhood(load, quiet, progress);
    if (!fresh.failure.empty()) {
        outcome.failure = fresh.failure;
        return outcome;
    }
    ConflictAnswers answers(settle);
    std::vector<std::pair<Sim*, std::pair<Sim, const Sim*>>> merged;
    for (Sim* record : list.sims()) {
        const Sim* onDisk = findByFileName(fresh.characters, record->FileName);
        const Sim* asRead = list.asRead(*record);
        if (onDisk == nullptr || asRead == nullptr) continue;
        std::optional<Sim> carried = MergeUserChanges(*asRead, *record, *onDisk, answers.forRecord(*record, load.folder));
        if (!carried) {
            outcome.cancelled = true;
            return outcome;
        }
        if (!RecordValuesDiffer(*carried, *onDisk)) {
            // Every change of it was the other program's too, or given up for it.
            carried->Modified = false;
            carried->LastNameChanged = false;
            carried->FamilyChanged = false;
        }
        merged.emplace_back(record, std::pair(std::move(*carried), onDisk));
    }
    for (auto& [record, values] : merged) {
        *record = std::move(values.first);
        list.setAsRead(*record, *values.second);
    }
    list.setNeighbourhoodStamp(fresh.imageStamp);
    return outcome;
}

}  // namespace corvane
