#include "neighbourhoods/InterruptedSaveReport.h"

#include "neighbourhoods/GameFileWrite.h"
#include "platform/LanguageModule.h"

#include <exception>

namespace corvane {

std::string InterruptedSaveText(const InterruptedSave& save) {
    if (save.outcome == InterruptedSave::Outcome::None) return {};
    std::string text = LangStr(save.outcome == InterruptedSave::Outcome::Completed ? 7190 : 7191);
    for (const std::filesystem::path& file : save.files) text += "\n" + file.string();
    return text;
}

InterruptedSaveReport FinishInterruptedSaveAndDescribe() {
    try {
        return {InterruptedSaveText(FinishInterruptedGameSave()), false};
    } catch (const std::exception& failure) {
        return {failure.what(), true};
    }
}

}  // namespace corvane
