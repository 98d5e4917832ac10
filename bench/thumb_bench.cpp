// The thumbnail resampler on the sizes the skin and profile pages ask for, and,
// in the same run, ImageMagick's Lanczos resize of the same pictures for scale:
// `convert in.bmp -filter Lanczos -resize WxH! out.bmp`, timed as a whole process
// (start, BMP read, resize, BMP write), beside a plain `convert in.bmp out.bmp`
// that shows what starting the process and the file work alone cost.
// Beside them, the pictures of a 200-entry texture list made from 256-pixel
// textures at the list size: cold (every picture made, on all cores) and warm
// (all kept from the call before).
// The program run is $CORVANE_CONVERT when set, else `convert` from PATH;
// MAGICK_THREAD_LIMIT=1 in the environment keeps ImageMagick on one core as ours.
#include "platform/BmpCodec.h"
#include "render/MakeThumb.h"
#include "render/TexturePictures.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using corvane::Bitmap;

// Smooth shading with fine detail on top, as a skin texture has.
Bitmap SkinTexture(int side) {
    Bitmap picture(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const auto detail = static_cast<unsigned>(x * 7919 + y * 104729) % 61;
            picture.pixels[static_cast<std::size_t>(y * side + x)] = {
                static_cast<std::uint8_t>(x * 200 / side + detail), static_cast<std::uint8_t>(y * 180 / side + detail),
                static_cast<std::uint8_t>((x + y) * 100 / side + detail)};
        }
    }
    return picture;
}

void Resample(benchmark::State& state) {
    const Bitmap source = SkinTexture(static_cast<int>(state.range(0)));
    Bitmap thumbnail;
    for (auto _ : state) {
        corvane::ResampleToSquare(source, thumbnail, static_cast<int>(state.range(1)));
        benchmark::DoNotOptimize(thumbnail.pixels.data());
    }
}
BENCHMARK(Resample)
    ->Args({128, 40})
    ->Args({256, 40})
    ->Args({256, 128})
    ->Args({512, 60})
    ->Args({512, 128})
    ->Unit(benchmark::kMicrosecond);

// The BMP files ImageMagick reads and writes, removed when the program ends.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() / ("corvane-thumb-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& Scratch() {
    static const ScratchFolder folder;
    return folder.path();
}

std::string SourceFile(int side) {
    const auto path = Scratch() / ("source" + std::to_string(side) + ".bmp");
    if (!std::filesystem::exists(path)) {
        const auto bytes = corvane::EncodeBmp24(SkinTexture(side));
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    return path.string();
}

std::string ConvertProgram() {
    const char* chosen = std::getenv("CORVANE_CONVERT");
    return chosen != nullptr && *chosen != '\0' ? chosen : "convert";
}

// Runs the program to its end, its output discarded; the exit status, or -1 when
// it could not be started.
int RunToEnd(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) {
        return -1;
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void TimeProcess(benchmark::State& state, const std::vector<std::string>& arguments) {
    for (auto _ : state) {
        if (RunToEnd(arguments) != 0) {
            state.SkipWithError(("failed: " + arguments.front()).c_str());
            break;
        }
    }
}

void ImageMagickResize(benchmark::State& state) {
    const std::string size = std::to_string(state.range(1));
    TimeProcess(state, {ConvertProgram(), SourceFile(static_cast<int>(state.range(0))), "-filter", "Lanczos", "-resize",
                        size + "x" + size + "!", (Scratch() / "thumbnail.bmp").string()});
}
BENCHMARK(ImageMagickResize)
    ->Args({128, 40})
    ->Args({256, 40})
    ->Args({256, 128})
    ->Args({512, 60})
    ->Args({512, 128})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void ImageMagickCopyOnly(benchmark::State& state) {
    const std::string source = SourceFile(static_cast<int>(state.range(0)));
    TimeProcess(state, {ConvertProgram(), source, (Scratch() / "copy.bmp").string()});
}
BENCHMARK(ImageMagickCopyOnly)->Arg(128)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond)->UseRealTime();

// A game folder whose skin folder holds `count` loose textures of side × side
// pixels, named as a texture list names them.
struct TextureList {
    std::filesystem::path game;
    std::vector<std::string> names;
};

TextureList LooseTextures(int count, int side) {
    TextureList list;
    list.game = Scratch() / ("game" + std::to_string(count) + "x" + std::to_string(side));
    const auto skins = list.game / "GameData" / "Skins";
    std::filesystem::create_directories(skins);
    const auto bytes = corvane::EncodeBmp24(SkinTexture(side));
    for (int i = 0; i < count; ++i) {
        list.names.push_back("b" + std::to_string(1000 + i) + "fafitlgt_bench");
        std::ofstream(skins / (list.names.back() + ".bmp"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    return list;
}

corvane::SkinCatalogue NoArchives() {
    corvane::SkinCatalogue catalogue;
    catalogue.ArchiveMeshEntries.emplace();
    catalogue.SknFileList.emplace();
    catalogue.ArchiveCharacterEntries.emplace();
    catalogue.ArchiveTextureEntries.emplace();
    return catalogue;
}

void ListPictures(benchmark::State& state, bool cold) {
    static const TextureList list = LooseTextures(200, 256);
    const corvane::SkinFolders folders(list.game, 0);
    const corvane::SkinCatalogue catalogue = NoArchives();
    corvane::ClearTexturePictureCache();
    benchmark::DoNotOptimize(corvane::TexturePictures(folders, catalogue, list.names, 40));
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            corvane::ClearTexturePictureCache();
            state.ResumeTiming();
        }
        const auto pictures = corvane::TexturePictures(folders, catalogue, list.names, 40);
        if (!pictures.back()) {
            state.SkipWithError("a texture was not pictured");
            break;
        }
        benchmark::DoNotOptimize(pictures.data());
    }
}
void TexturePicturesCold(benchmark::State& state) { ListPictures(state, true); }
void TexturePicturesWarm(benchmark::State& state) { ListPictures(state, false); }
BENCHMARK(TexturePicturesCold)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(TexturePicturesWarm)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
