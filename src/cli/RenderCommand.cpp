#include "cli/RenderCommand.h"

#include "app/WindowLayout.h"
#include "app/Settings.h"
#include "cli/Chatter.h"
#include "cli/CliDialogs.h"
#include "cli/CliGame.h"
#include "cli/CliNeighbourhood.h"
#include "cli/StderrProgress.h"
#include "platform/AppFolder.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "render/CharacterImages.h"
#include "render/JpegCodec.h"
#include "render/PngEncoder.h"
#include "render/PreviewScene.h"
#include "render/SurfacelessGlContext.h"
#include "skins/SkinCatalogueBuilder.h"

#include <charconv>
#include <iostream>
#include <stdexcept>

namespace corvane::cli {

namespace {

constexpr int kLargestSide = 4096;
constexpr int kJpegQuality = 95;

enum class PictureFormat { Png, Jpeg };

// The picture's format by the file's extension; std::invalid_argument for another one.
PictureFormat formatOf(const std::string& file) {
    const std::string extension = ToLowerAscii(std::filesystem::path(file).extension().string());
    if (extension == ".png") return PictureFormat::Png;
    if (extension == ".jpg" || extension == ".jpeg") return PictureFormat::Jpeg;
    throw std::invalid_argument("render writes .png, .jpg or .jpeg files, not \"" + file + "\"");
}

int side(std::string_view text, const std::string& whole) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0 || value > kLargestSide) {
        throw std::invalid_argument("--size wants WxH with sides from 1 to 4096, not \"" + whole + "\"");
    }
    return value;
}

}  // namespace

PreviewModelSet LoadDrawableCharacter(const CliArguments& args) {
    const std::string folderName = RequiredArgument(args, 0, "a neighbourhood folder and a character file");
    const CharacterList list = OpenCharacterList(folderName);
    const Sim& sim = FindCharacter(list, RequiredArgument(args, 1, "a character file such as User00001"), folderName);
    const Settings& settings = AppSettings();
    const SkinFolders folders(settings.GamePath, settings.ExpansionLevel);
    SkinCatalogue& catalogue = GameSkinCatalogue();
    StderrProgress progress;
    if (!catalogue.complete()) LoadSkinData(catalogue, folders, progress);
    CliDialogs dialogs(std::cerr);
    try {
        PreviewModelSet drawable = LoadEverydayModels(sim, folders, catalogue, dialogs, ApplicationFolder());
        // The pictures are drawn without them; say which and why.
        if (ToolChatter().messages) {
            for (const std::string& line : drawable.leftOut) std::cerr << sim.FileName << ": left out " << line << "\n";
        }
        return drawable;
    } catch (const NothingToDraw& error) {
        throw GameDataError(error.what());
    }
}

std::pair<int, int> ParsePictureSize(const std::string& text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) side("", text);
    return {side(std::string_view(text).substr(0, x), text), side(std::string_view(text).substr(x + 1), text)};
}

int RunRender(const CliArguments& args, std::ostream& out) {
    RequiredArgument(args, 0, "a neighbourhood folder and a character file");
    if (!args.outFile) throw std::invalid_argument("render needs --out FILE.png or FILE.jpg");
    const PictureFormat format = formatOf(*args.outFile);
    const auto [width, height] = args.size ? ParsePictureSize(*args.size) : std::pair{kLargePreview.width, kLargePreview.height};
    const PreviewModelSet drawable = LoadDrawableCharacter(args);

    SurfacelessGlContext context;
    const Bitmap picture = RenderPreviewPicture(ModelsToDraw(drawable), width, height, AppSettings().PreviewColor,
                                                PreviewView(), context.procLookup());
    const auto bytes = format == PictureFormat::Png ? EncodePng(picture) : EncodeJpeg(picture, kJpegQuality);
    ReplaceFileAtomically(*args.outFile, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    out << *args.outFile << "\t" << width << "x" << height << "\t" << drawable.models.size()
        << (drawable.models.size() == 1 ? " mesh\n" : " meshes\n");
    return 0;
}

}  // namespace corvane::cli
