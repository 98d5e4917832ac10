#pragma once

#include "platform/Dialogs.h"

namespace corvane {

// Shows nothing and answers every question with its default button (OK when
// it has none), and every file choice with nothing: for a trial run whose
// questions are asked again for real afterwards.
class SilentDialogs : public Dialogs {
public:
    ModalResult showMessage(const MessageRequest& request) override {
        return request.defaultResult == mrNone ? mrOk : request.defaultResult;
    }
    std::optional<std::filesystem::path> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseFolder(const FolderRequest&) override { return std::nullopt; }
};

}  // namespace corvane
