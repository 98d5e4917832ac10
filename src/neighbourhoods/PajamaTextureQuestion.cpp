#include "neighbourhoods/PajamaTextureQuestion.h"

#include "platform/AsciiText.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/Trash.h"

namespace corvane {

namespace {

constexpr std::size_t kBodyTextureTail = 13;  // where the name's variant part begins

std::string pajamaStem(const Sim& sim) {
    const std::string gender = sim.Gender != 0 ? "f" : "m";
    const char* tones[] = {"", "lgt", "drk", "med"};
    const std::string tone = sim.SkinColor >= 1 && sim.SkinColor <= 3 ? tones[sim.SkinColor] : "";
    return "Pajama" + gender + tone + "_";
}

std::string matchingName(const Sim& sim) {
    return pajamaStem(sim) + (sim.BodyTexture.size() > kBodyTextureTail ? sim.BodyTexture.substr(kBodyTextureTail) : "");
}

}  // namespace

std::filesystem::path MatchingPajamaTexture(const Sim& sim, int level, const SkinFolders& folders) {
    if (!((sim.Age == 9 || level < 3) && level < 4)) return {};
    if (ToLowerAscii(sim.PajamaTexture) != ToLowerAscii(pajamaStem(sim) + "01")) return {};
    return folders.FindSkinFile(matchingName(sim), ".bmp");
}

void AskAboutPajamaTexture(const Sim& sim, int level, const SkinFolders& folders, Dialogs& dialogs) {
    const std::filesystem::path texture = MatchingPajamaTexture(sim, level, folders);
    if (texture.empty()) return;
    const std::string text = LangStr(8034) + matchingName(sim) + ".bmp" + "\"" + "\r\n" + LangStr(8035) +
                             sim.BodyTexture + LangStr(8036) + "\r\n" + LangStr(8037) + "\r\n";
    if (StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::None, 0, mrCancel, mbOKCancel) == mrOk) {
        MoveToTrash(texture);
    }
}

}  // namespace corvane
