#pragma once

#include "platform/Dialogs.h"
#include "platform/LanguageModule.h"

#include <ostream>
#include <string>
#include <vector>

namespace corvane::cli {

// Dialogs of the command-line tool: messages go to stderr (unless --quiet),
// questions are never printed; a question gets the answer that keeps the
// user's files as they are (No, Cancel), except the questions the command
// exists to agree to (Yes, else OK); a message gets OK, and there is nobody
// to choose files. A question agreed to is told by its message id (its text
// depends on the language table) or, where it names the one file agreed to,
// by its whole text.
class CliDialogs : public Dialogs {
public:
    explicit CliDialogs(std::ostream& errors, std::string agreedQuestion = {})
        : CliDialogs(errors, std::vector<std::string>{std::move(agreedQuestion)}) {}
    CliDialogs(std::ostream& errors, std::vector<std::string> agreedQuestions)
        : errors_(errors), agreedQuestions_(std::move(agreedQuestions)) {}
    CliDialogs(std::ostream& errors, std::vector<MessageId> agreedQuestionIds)
        : errors_(errors), agreedQuestionIds_(std::move(agreedQuestionIds)) {}

    ModalResult showMessage(const MessageRequest& request) override;
    std::optional<std::filesystem::path> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseFolder(const FolderRequest&) override { return std::nullopt; }

private:
    ModalResult answerTo(const MessageRequest& request) const;

    std::ostream& errors_;
    std::vector<std::string> agreedQuestions_;  // their texts
    std::vector<MessageId> agreedQuestionIds_;
};

}  // namespace corvane::cli
