#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace corvane::test {

ScriptedDialogs& ScriptedDialogs::answer(ModalResult result) {
    answers_.push_back(result);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerFile(std::optional<std::filesystem::path> path, int filter) {
    fileAnswers_.push_back({std::move(path), filter});
    return *this;
}

ModalResult ScriptedDialogs::showMessage(const MessageRequest& request) {
    messages_.push_back(request);
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected message dialog: " << request.text;
        return mrNone;
    }
    ModalResult result = answers_.front();
    answers_.pop_front();
    return result;
}

std::optional<std::filesystem::path> ScriptedDialogs::nextFile(const FileRequest& request, const std::string& what) {
    if (fileAnswers_.empty()) {
        ADD_FAILURE() << "unexpected " << what;
        return std::nullopt;
    }
    FileAnswer answer = fileAnswers_.front();
    fileAnswers_.pop_front();
    if (request.chosenFilter != nullptr) *request.chosenFilter = answer.filter;
    return answer.path;
}

std::optional<std::filesystem::path> ScriptedDialogs::chooseOpenFile(const FileRequest& request) {
    fileRequests_.push_back(request);
    return nextFile(request, "open-file dialog: " + request.caption);
}

std::optional<std::filesystem::path> ScriptedDialogs::chooseSaveFile(const FileRequest& request) {
    fileRequests_.push_back(request);
    return nextFile(request, "save-file dialog: " + request.caption);
}

std::optional<std::filesystem::path> ScriptedDialogs::chooseFolder(const FolderRequest& request) {
    FileRequest recorded{request.caption, {}, request.initialFolder, {}};
    fileRequests_.push_back(recorded);
    return nextFile(recorded, "folder dialog: " + request.caption);
}

std::vector<std::string> ScriptedDialogs::messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : messages_) {
        texts.push_back(message.text);
    }
    return texts;
}

}  // namespace corvane::test
