#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// What a message dialog shows as its icon.
enum class MsgKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, None = 4 };

// The value of the button that closed a dialog.
enum ModalResult : int {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8
};

// A set of buttons: bit n stands for the button whose result is n.
using MsgButtons = std::uint32_t;
inline constexpr MsgButtons ButtonFor(ModalResult result) { return 1u << static_cast<unsigned>(result); }
inline constexpr MsgButtons mbOK = ButtonFor(mrOk);
inline constexpr MsgButtons mbCancel = ButtonFor(mrCancel);
inline constexpr MsgButtons mbAbort = ButtonFor(mrAbort);
inline constexpr MsgButtons mbRetry = ButtonFor(mrRetry);
inline constexpr MsgButtons mbIgnore = ButtonFor(mrIgnore);
inline constexpr MsgButtons mbYes = ButtonFor(mrYes);
inline constexpr MsgButtons mbNo = ButtonFor(mrNo);
inline constexpr MsgButtons mbAll = ButtonFor(mrAll);
inline constexpr MsgButtons mbYesNo = mbYes | mbNo;
inline constexpr MsgButtons mbOKCancel = mbOK | mbCancel;
inline constexpr MsgButtons mbYesNoAll = mbYes | mbNo | mbAll;

// The look of message dialogs. Colours are 0x00BBGGRR values, as the
// editor's settings keep them.
struct MessageStyle {
    std::uint32_t backgroundColor = 0xFFFFFF;
    std::uint32_t textColor = 0x000000;
    std::string fontName = "Arial";
    int fontSize = 8;
};

struct DialogButton {
    ModalResult result;
    std::string caption;  // localised
};

// Everything a message dialog shows; texts are UTF-8.
struct MessageRequest {
    std::string caption;
    std::string text;
    MsgKind kind = MsgKind::None;
    int helpContext = 0;
    ModalResult defaultResult = mrNone;  // mrNone: no default button
    std::vector<DialogButton> buttons;   // in the order they are shown
    // The message id of a question whose answer a script may give: it is
    // told by its id, since its text depends on the language table. 0: none.
    int questionId = 0;
};

// A file dialog. The filter uses the "Description|pattern;pattern|…" form.
struct FileRequest {
    std::string caption;
    std::string filter;
    std::filesystem::path initialFolder;
    std::string fileName;
    // When set, receives which of the filter's entries the user chose (0: the
    // first); a file dialog's answer says this apart from the name typed.
    int* chosenFilter = nullptr;
};

struct FolderRequest {
    std::string caption;
    std::filesystem::path initialFolder;
};

// Every question, message and file choice goes through this interface: the
// editor shows Qt dialogs, the tests answer from a script and record the texts.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual ModalResult showMessage(const MessageRequest& request) = 0;
    virtual std::optional<std::filesystem::path> chooseOpenFile(const FileRequest& request) = 0;
    virtual std::optional<std::filesystem::path> chooseSaveFile(const FileRequest& request) = 0;
    virtual std::optional<std::filesystem::path> chooseFolder(const FolderRequest& request) = 0;
};

}  // namespace corvane
