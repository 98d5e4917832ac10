#include "cli/PicturesCommand.h"

#include "cli/CliNeighbourhood.h"
#include "cli/RenderCommand.h"
#include "platform/AtomicFile.h"
#include "platform/BmpCodec.h"
#include "render/CharacterImages.h"
#include "render/SurfacelessGlContext.h"

#include <cctype>
#include <filesystem>
#include <stdexcept>

namespace corvane::cli {

std::string PictureFileName(std::string_view label) {
    std::string name;
    for (char c : label) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';  // a run of other characters becomes one underscore
        }
    }
    return name + ".bmp";
}

int RunPictures(const CliArguments& args, std::ostream& out) {
    RequiredArgument(args, 0, "a neighbourhood folder and a character file");
    if (!args.outFile) throw std::invalid_argument("pictures needs --out FOLDER");
    const std::filesystem::path folder = *args.outFile;
    const PreviewModelSet drawable = LoadDrawableCharacter(args);

    SurfacelessGlContext context;
    const std::vector<CharacterImage> images = RenderCharacterImages(ModelsToDraw(drawable), context.procLookup());
    std::filesystem::create_directories(folder);
    for (const CharacterImage& image : images) {
        const std::filesystem::path file = folder / PictureFileName(image.spec->label);
        const auto bytes = EncodeBmp8(image.picture);
        ReplaceFileAtomically(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        out << file.string() << "\t" << image.picture.width << "x" << image.picture.height << "\n";
    }
    return 0;
}

}  // namespace corvane::cli
