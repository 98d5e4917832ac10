#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

// Dialogs that answer from a script and record everything shown, so a test can
// say "answer No to the first question and check that nothing was written".
// A dialog the script did not expect fails the test and answers mrNone/cancel.
class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs& answer(ModalResult result);
    // `filter`: the filter entry the user chose, for requests that ask for it.
    ScriptedDialogs& answerFile(std::optional<std::filesystem::path> path, int filter = 0);

    ModalResult showMessage(const MessageRequest& request) override;
    std::optional<std::filesystem::path> chooseOpenFile(const FileRequest& request) override;
    std::optional<std::filesystem::path> chooseSaveFile(const FileRequest& request) override;
    std::optional<std::filesystem::path> chooseFolder(const FolderRequest& request) override;

    const std::vector<MessageRequest>& messages() const { return messages_; }
    const std::vector<FileRequest>& fileRequests() const { return fileRequests_; }
    std::vector<std::string> messageTexts() const;
    // Forgets what was shown so far (the answers still to come stay).
    void forgetShown() {
        messages_.clear();
        fileRequests_.clear();
    }
    bool allAnswersUsed() const { return answers_.empty() && fileAnswers_.empty(); }

private:
    struct FileAnswer {
        std::optional<std::filesystem::path> path;
        int filter = 0;
    };
    std::optional<std::filesystem::path> nextFile(const FileRequest& request, const std::string& what);

    std::deque<ModalResult> answers_;
    std::deque<FileAnswer> fileAnswers_;
    std::vector<MessageRequest> messages_;
    std::vector<FileRequest> fileRequests_;
};

}  // namespace corvane::test
