#include "app/ui/GameText.h"

#include "app/Settings.h"
#include "platform/CodePage.h"

namespace corvane {

QString GameText(const std::string& bytes) {
    return QString::fromStdString(CodePageToUtf8(bytes, CodePageForLanguage(AppSettings().LanguageNumber)));
}

std::string GameBytes(const QString& text) {
    return Utf8ToCodePage(text.toStdString(), CodePageForLanguage(AppSettings().LanguageNumber));
}

}  // namespace corvane
