#include "skintools/ImportBitmapCheck.h"

#include "platform/AsciiText.h"
#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"

#include <system_error>

namespace corvane {

namespace {

constexpr MessageId kOnlyBitmaps{7145};
constexpr MessageId kWrongDimensions{7141};
constexpr MessageId kOfferCorrection{8067};
constexpr MessageId kBitColour{7143};
constexpr MessageId kWants8Bit{7144};
constexpr MessageId kTitle{5022};

bool textureSide(int side) {
    for (int allowed = 2; allowed <= 1024; allowed *= 2) {
        if (side == allowed) return true;
    }
    return false;
}

int knownDepth(int depth) {
    for (const int known : {1, 4, 8, 15, 16, 24, 32}) {
        if (depth == known) return depth;
    }
    return 0;
}

// What an 8-bit bitmap of that size takes, headers included.
std::int64_t eightBitSize(const ImportBitmapCheck& check) {
    return static_cast<std::int64_t>(check.width) * check.height + 54;
}

bool validDimensions(const ImportBitmapCheck& check) {
    return textureSide(check.width) && textureSide(check.height);
}

}  // namespace

ImportBitmapCheck CheckImportBitmap(const std::filesystem::path& file, BitmapDecoding decoding) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) || ToLowerAscii(file.extension().string()) != ".bmp") {
        return {};
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(file);
    } catch (const std::exception& fault) {
        ImportBitmapCheck check;
        check.verdict = ImportBitmapVerdict::Unreadable;
        check.cause = fault.what();
        return check;
    }
    return CheckImportBitmapBytes(bytes, file.string(), decoding);
}

ImportBitmapCheck CheckImportBitmapBytes(const std::vector<std::uint8_t>& bytes, const std::string& name,
                                         BitmapDecoding decoding) {
    ImportBitmapCheck check;
    check.allowance = static_cast<std::int64_t>(bytes.size() / 1024) * 1000 - 5000;
    try {
        const Bitmap bitmap =
            decoding == BitmapDecoding::WithSizeFix ? LoadBmpWithSizeFix(bytes, name) : DecodeBmp(bytes, name);
        check.width = bitmap.width;
        check.height = bitmap.height;
        check.depth = knownDepth(bitmap.bitDepth);
    } catch (const std::exception& fault) {
        check.verdict = ImportBitmapVerdict::Unreadable;
        check.cause = fault.what();
        return check;
    }
    if (!validDimensions(check)) {
        check.verdict = ImportBitmapVerdict::WrongDimensions;
    } else if (check.depth == 8 || eightBitSize(check) >= check.allowance) {
        check.verdict = ImportBitmapVerdict::Accepted;
    } else {
        check.verdict = ImportBitmapVerdict::TooLarge;
    }
    return check;
}

bool AcceptedAfterCorrection(const ImportBitmapCheck& check) {
    const bool decoded = check.verdict != ImportBitmapVerdict::NotABitmap && check.verdict != ImportBitmapVerdict::Unreadable;
    return decoded && validDimensions(check) && check.allowance < eightBitSize(check);
}

bool TellImportBitmapCheck(const ImportBitmapCheck& check, Dialogs& dialogs) {
    const auto tell = [&](const std::string& text, MsgKind kind) {
        StyledMessageDlg(dialogs, LangStr(kTitle), text, kind, 0, mrNone, mbOK);
    };
    switch (check.verdict) {
        case ImportBitmapVerdict::Accepted:
            return false;
        case ImportBitmapVerdict::NotABitmap:
            tell(LangStr(kOnlyBitmaps), MsgKind::Error);
            return false;
        case ImportBitmapVerdict::Unreadable:
            tell(check.cause, MsgKind::Error);  // it names the file, the offset and the fault
            return false;
        case ImportBitmapVerdict::WrongDimensions:
            tell(LangStr(kWrongDimensions) + " " + std::to_string(check.width) + " X " + std::to_string(check.height) +
                     ")",
                 MsgKind::None);
            return false;
        case ImportBitmapVerdict::TooLarge:
            return StyledMessageDlg(dialogs, LangStr(kTitle), LangStr(kOfferCorrection), MsgKind::None, 0, mrNone,
                                    mbYesNo) == mrYes;
    }
    return false;
}

ProblemRecordDetails ColourCorrectionRecord(const ImportBitmapCheck& check, const std::filesystem::path& file) {
    std::string folder = file.parent_path().string();
    folder += std::filesystem::path::preferred_separator;
    const std::string name = file.filename().string();
    return {name, folder,
            name + "\n" + std::to_string(check.depth) + " " + LangStr(kBitColour) + "\n" + LangStr(kWants8Bit),
            "Bitmap"};
}

}  // namespace corvane
