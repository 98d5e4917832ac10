#include "render/SknModel.h"

#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TextLines.h"
#include "render/ArchivedTexture.h"
#include "render/PoseVertex.h"
#include "render/TextLineReader.h"
#include "skins/ArchiveSkinLookup.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <numeric>
#include <queue>
#include <stdexcept>

namespace corvane {

namespace {

constexpr std::size_t kNoBinding = std::numeric_limits<std::size_t>::max();

// Walks the mesh lines in order, one section after the other.
class MeshLineCursor {
public:
    MeshLineCursor(const std::vector<std::string>& lines, const std::string& fileName) : reader_(lines, fileName) {}

    const std::string& line() { return reader_.line(next_++); }
    LineItems items() { return reader_.items(next_++); }
    std::size_t position() const { return next_; }

    // A count line; the records it announces must all be there, so nothing
    // is allocated for lines the file does not have.
    std::size_t count() {
        const std::size_t at = next_++;
        const std::int32_t value = reader_.integer(at);
        if (value < 0) {
            reader_.fail(at, "the count " + std::to_string(value) + " is negative");
        }
        const std::size_t records = static_cast<std::size_t>(value);
        if (records > reader_.lineCount() - next_) {
            reader_.fail(at, "the file ends before the " + std::to_string(records) + " lines this count announces");
        }
        return records;
    }

    [[noreturn]] void fail(std::size_t line, const std::string& what) const { reader_.fail(line, what); }

private:
    TextLineReader reader_;
    std::size_t next_ = 0;
};

std::int64_t rangeStart(const TGroupData& binding) {
    return binding.firstVertex;
}

std::int64_t rangeEnd(const TGroupData& binding) {
    return std::int64_t{binding.firstVertex} + binding.vertexCount;
}

// For every vertex, the first binding (in binding order) whose range holds
// it, or kNoBinding. One sweep over the vertices with the bindings that have
// started kept by their order, so overlapping ranges cost no rescans.
std::vector<std::size_t> firstBindingOfEachVertex(const std::vector<TGroupData>& bindings, std::size_t vertexCount) {
    std::vector<std::size_t> byStart(bindings.size());
    std::iota(byStart.begin(), byStart.end(), std::size_t{0});
    std::stable_sort(byStart.begin(), byStart.end(),
                     [&](std::size_t a, std::size_t b) { return rangeStart(bindings[a]) < rangeStart(bindings[b]); });

    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> started;
    std::vector<std::size_t> first(vertexCount, kNoBinding);
    std::size_t nextToStart = 0;
    for (std::size_t vertex = 0; vertex < vertexCount; ++vertex) {
        const auto index = static_cast<std::int64_t>(vertex);
        while (nextToStart < byStart.size() && rangeStart(bindings[byStart[nextToStart]]) <= index) {
            started.push(byStart[nextToStart++]);
        }
        // A range that has ended stays ended: the sweep only moves forward.
        while (!started.empty() && rangeEnd(bindings[started.top()]) <= index) {
            started.pop();
        }
        if (!started.empty()) {
            first[vertex] = started.top();
        }
    }
    return first;
}

void readBoneNames(MeshLineCursor& cursor, std::vector<TGroupData>& bindings) {
    bindings.assign(cursor.count(), {});
    for (TGroupData& binding : bindings) {
        binding.boneName = cursor.line();
    }
}

std::vector<TFace> readFaces(MeshLineCursor& cursor) {
    std::vector<TFace> faces(cursor.count());
    for (TFace& face : faces) {
        const LineItems items = cursor.items();
        face = {items.integer(0), items.integer(1), items.integer(2)};
    }
    return faces;
}

void readBindingLines(MeshLineCursor& cursor, std::vector<TGroupData>& bindings) {
    const std::size_t countLine = cursor.position();
    const std::size_t count = cursor.count();
    if (count > bindings.size()) {
        cursor.fail(countLine, std::to_string(count) + " bindings for " + std::to_string(bindings.size()) +
                                   " bone names");
    }
    for (std::size_t i = 0; i < count; ++i) {
        const LineItems items = cursor.items();
        TGroupData& binding = bindings[i];
        binding.boneIndex = items.integer(0);
        binding.firstVertex = items.integer(1);
        binding.vertexCount = items.integer(2);
        binding.firstBlend = items.integer(3);
        binding.blendCount = items.integer(4);
    }
}

std::vector<TTextureCoordinate> readTextureCoordinates(MeshLineCursor& cursor) {
    std::vector<TTextureCoordinate> coordinates(cursor.count());
    for (TTextureCoordinate& coordinate : coordinates) {
        const LineItems items = cursor.items();
        coordinate = {items.real(0), 1.0f - items.real(1)};
    }
    return coordinates;
}

std::vector<TBlendEntry> readBlends(MeshLineCursor& cursor) {
    std::vector<TBlendEntry> blends(cursor.count());
    for (TBlendEntry& blend : blends) {
        const LineItems items = cursor.items();
        blend = {items.integer(0), items.real(1)};
    }
    return blends;
}

void readVertices(MeshLineCursor& cursor, std::vector<TVector3>& positions, std::vector<TVector3>& normals) {
    const std::size_t count = cursor.count();
    positions.assign(count, {});
    normals.assign(count, {});
    for (std::size_t i = 0; i < count; ++i) {
        const LineItems items = cursor.items();
        positions[i] = {items.real(0), items.real(1), items.real(2)};
        normals[i] = {items.real(3), items.real(4), items.real(5)};
    }
}

// Every corner of every face must name a drawable vertex: one that exists,
// has a texture coordinate and hangs on a bone.
void checkFaceCorners(const MeshLineCursor& cursor, std::size_t firstFaceLine, const TSKNModel& model) {
    const std::vector<std::size_t> binding = firstBindingOfEachVertex(model.bindings, model.positions.size());
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        for (const std::int32_t corner : model.faces[f]) {
            const auto fail = [&](const std::string& what) {
                cursor.fail(firstFaceLine + f, "the face uses vertex " + std::to_string(corner) + ", " + what);
            };
            if (corner < 0 || static_cast<std::size_t>(corner) >= model.positions.size()) {
                fail("beyond the " + std::to_string(model.positions.size()) + " vertices");
            }
            const auto vertex = static_cast<std::size_t>(corner);
            if (vertex >= model.textureCoordinates.size()) {
                fail("which has no texture coordinate");
            }
            if (binding[vertex] == kNoBinding) {
                fail("which no binding covers");
            }
        }
    }
}

void showNotFound(Dialogs& dialogs, std::filesystem::path path, const char* extension) {
    const std::string text = "CV3D Error, Unable to locate " + path.replace_extension(extension).string();
    StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
}

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool readMeshLines(const std::filesystem::path& meshPath, const SkinCatalogue& catalogue,
                   std::vector<std::string>& lines) {
    if (isFile(meshPath)) {
        lines = ReadTextFileLines(meshPath);
        return true;
    }
    // A damaged entry is no missing mesh: its archive, offset and fault are said.
    std::string fault;
    if (ReadArchivedSKN(catalogue, meshPath.stem().string(), lines, &fault)) return true;
    if (!fault.empty()) throw std::runtime_error(fault);
    return false;
}

std::optional<Bitmap> readTexture(const std::filesystem::path& texturePath, const SkinCatalogue& catalogue) {
    if (isFile(texturePath)) {
        return LoadBmpWithSizeFix(ReadFileBytes(texturePath), texturePath.string());
    }
    return LoadArchivedTexture(catalogue, texturePath.stem().string());
}

}  // namespace

void ParseSknModel(const std::vector<std::string>& lines, const std::string& fileName, TSKNModel& model) {
    MeshLineCursor cursor(lines, fileName);
    cursor.line();  // mesh name
    cursor.line();  // default texture
    readBoneNames(cursor, model.bindings);
    const std::size_t firstFaceLine = cursor.position() + 1;
    model.faces = readFaces(cursor);
    readBindingLines(cursor, model.bindings);
    model.textureCoordinates = readTextureCoordinates(cursor);
    model.blends = readBlends(cursor);
    readVertices(cursor, model.positions, model.normals);
    checkFaceCorners(cursor, firstFaceLine, model);
}

void PoseSknModel(TSKNModel& model) {
    const std::size_t vertexCount = std::min(model.positions.size(), model.normals.size());
    const std::vector<std::size_t> binding = firstBindingOfEachVertex(model.bindings, vertexCount);
    for (std::size_t i = 0; i < vertexCount; ++i) {
        if (binding[i] != kNoBinding) {
            PoseVertex(model.bones, model.kind, model.bindings[binding[i]].boneName, model.positions[i],
                       model.normals[i]);
        }
    }
}

float DrawScale(SkeletonKind kind) {
    switch (kind) {
        case Dog:
        case Kat:
            return 2.5f;
        case Child:
            return 1.2f;
        case Adult:
            break;
    }
    return 1.0f;
}

TFace FaceCornersInDrawOrder(const TFace& face) {
    return {face[2], face[1], face[0]};
}

std::optional<LoadedSknModel> LoadSknModel(TSKNModel model, const SkinCatalogue& catalogue, Dialogs& dialogs) {
    std::vector<std::string> lines;
    if (!readMeshLines(model.meshPath, catalogue, lines)) {
        showNotFound(dialogs, model.meshPath, ".skn");
        return std::nullopt;
    }
    std::optional<Bitmap> texture = readTexture(model.texturePath, catalogue);
    if (!texture) {
        showNotFound(dialogs, model.texturePath, ".bmp");
        return std::nullopt;
    }
    model.loaded = true;
    ParseSknModel(lines, model.meshPath.string(), model);
    PoseSknModel(model);
    return LoadedSknModel{std::move(model), std::move(*texture)};
}

}  // namespace corvane
