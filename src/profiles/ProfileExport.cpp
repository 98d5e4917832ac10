#include "profiles/ProfileExport.h"

#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/Base64.h"
#include "platform/CodePage.h"
#include "platform/FileBytes.h"
#include "platform/TextLines.h"
#include "profiles/ProfileFormat.h"

#include <pugixml.hpp>

#include <algorithm>
#include <ctime>

namespace corvane {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return ToLowerAscii(a) == ToLowerAscii(b);
}

class FileList {
public:
    explicit FileList(const SkinFolders& folders) : folders_(folders) {}

    // The file of `name` + `extension` when installed; it joins the list unless listed already.
    std::filesystem::path add(const std::string& name, std::string_view extension) {
        if (name.empty()) return {};
        std::filesystem::path found = folders_.FindSkinFile(name, extension);
        if (found.empty()) return {};
        const std::string entry = name + std::string(extension);
        const bool listed = std::any_of(entries_.begin(), entries_.end(),
                                        [&](const ProfileFileEntry& e) { return sameName(e.name, entry); });
        if (!listed) entries_.push_back({entry, found});
        return found;
    }

    // A character file brings the meshes its "xskin" lines name, and their textures.
    void addMeshesOf(const std::filesystem::path& characterFile) {
        for (const std::string& line : ReadTextFileLines(characterFile)) {
            const std::string mesh = Trimmed(line);
            if (mesh.size() < 2 || ToLowerAscii(mesh).find("xskin") == std::string::npos) continue;
            const std::filesystem::path meshFile = add(mesh, ".skn");
            if (meshFile.empty()) continue;
            const std::vector<std::string> meshLines = ReadTextFileLines(meshFile);
            if (meshLines.size() < 2) continue;
            const std::string texture = Trimmed(meshLines[1]);
            if (!sameName(texture, "x")) add(texture, ".bmp");
        }
    }

    std::vector<ProfileFileEntry> take() { return std::move(entries_); }

private:
    const SkinFolders& folders_;
    std::vector<ProfileFileEntry> entries_;
};

std::uint32_t bigEndian16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 8 | bytes[at + 1];
}

// Receives pugixml's output into a string.
struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override { text.append(static_cast<const char*>(data), size); }
};

pugi::xml_node appendTyped(pugi::xml_node parent, std::string_view name, const char* type) {
    pugi::xml_node node = parent.append_child(std::string(name).c_str());
    node.append_attribute("dt:dt") = type;
    return node;
}

void appendText(pugi::xml_node parent, std::string_view name, const char* type, const std::string& text) {
    pugi::xml_node node = appendTyped(parent, name, type);
    if (!text.empty()) node.append_child(pugi::node_pcdata).set_value(text.c_str());
}

}  // namespace

std::vector<ProfileFileEntry> CollectProfileFiles(const Sim& sim, const SkinFolders& folders) {
    FileList list(folders);
    for (const ProfileSkinElement& element : ProfileSkinElements()) {
        const std::filesystem::path found = list.add(sim.*element.field, element.extension);
        if (!found.empty() && element.extension == ".cmx") list.addMeshesOf(found);
    }
    return list.take();
}

std::vector<ProfilePreviewItem> ProfileExportPreviewItems(const std::vector<ProfileFileEntry>& files) {
    std::vector<std::pair<std::string, std::size_t>> named;
    for (std::size_t i = 0; i < files.size(); ++i) named.emplace_back(files[i].name, i);
    return ProfilePreviewOrder(named);
}

bool LeaveOutProfileFiles(std::vector<ProfileFileEntry>& files, const std::vector<std::size_t>& positions,
                          const std::vector<std::string>& names) {
    const std::size_t before = files.size();
    std::vector<bool> leave(files.size(), false);
    for (const std::size_t position : positions) {
        if (position < leave.size()) leave[position] = true;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        for (const std::string& name : names) {
            if (sameName(files[i].name, name)) leave[i] = true;
        }
    }
    std::size_t i = 0;
    std::erase_if(files, [&](const ProfileFileEntry&) { return leave[i++]; });
    return files.size() != before;
}

std::optional<std::vector<std::uint8_t>> ProfileImagesOfCharacterFile(std::span<const std::uint8_t> file) {
    constexpr std::string_view kType = "BMP_";
    constexpr std::string_view kWebImage = "web_image";
    if (file.size() < 5) return std::nullopt;
    bool found = false;
    std::vector<std::uint8_t> images;
    for (std::size_t hit = file.size() - 4; hit >= 1; --hit) {
        if (!std::equal(kType.begin(), kType.end(), file.begin() + static_cast<std::ptrdiff_t>(hit))) continue;
        found = true;
        if (hit + 8 > file.size()) continue;
        const std::size_t length = bigEndian16(file, hit + 6);
        const bool web = hit + 12 + kWebImage.size() <= file.size() &&
                         std::equal(kWebImage.begin(), kWebImage.end(), file.begin() + static_cast<std::ptrdiff_t>(hit + 12));
        if (web || length > file.size() - hit) continue;
        images.insert(images.end(), file.begin() + static_cast<std::ptrdiff_t>(hit),
                      file.begin() + static_cast<std::ptrdiff_t>(hit + length));
    }
    if (!found) return std::nullopt;
    return images;
}

std::string ProfileDateTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

std::string BuildProfileText(const Sim& sim, const std::vector<ProfileFileEntry>& files,
                             const std::optional<std::vector<std::uint8_t>>& images,
                             const ProfileExportOptions& options) {
    const auto utf8 = [&](const std::string& gameText) { return CodePageToUtf8(gameText, options.codePage); };
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    pugi::xml_node root = document.append_child(std::string(kProfileRoot).c_str());
    root.append_attribute("xmlns:dt") = std::string(kDataTypesNamespace).c_str();
    pugi::xml_node record = root.append_child(std::string(kProfileRecord).c_str());
    record.append_attribute("DateTime") = (options.dateTime.empty() ? ProfileDateTimeNow() : options.dateTime).c_str();
    record.append_attribute("ExpansionLevel") = options.expansionLevel;
    const char rating = kProfileRatings.find(options.rating) == std::string_view::npos ? 'T' : options.rating;
    record.append_attribute("Rating") = std::string(1, rating).c_str();
    record.append_attribute("Warning") = options.warning ? "True" : "False";

    for (const ProfileValueElement& element : ProfileValueElements()) {
        if (const auto* number = std::get_if<std::int32_t Sim::*>(&element.field)) {
            appendText(record, element.name, "Int", std::to_string(sim.*(*number)));
        } else {
            appendText(record, element.name, "string", utf8(sim.*std::get<std::string Sim::*>(element.field)));
        }
    }
    for (const ProfileSkinElement& element : ProfileSkinElements()) {
        appendText(record, element.name, "string", utf8(sim.*element.field));
    }
    for (const ProfileFileEntry& file : files) {
        pugi::xml_node node = appendTyped(record, "BinData", "bin.base64");
        node.append_attribute("FileName") = utf8(file.name).c_str();
        node.append_child(pugi::node_pcdata).set_value(EncodeBase64(ReadFileBytes(file.path)).c_str());
    }
    if (images) appendText(record, "BmpData", "bin.base64", EncodeBase64(*images));
    appendText(record, "CVPCredits", "string", options.credits);

    StringWriter writer;
    document.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
    return writer.text;
}

void ExportProfile(const Sim& sim, const std::filesystem::path& characterFile,
                   const std::vector<ProfileFileEntry>& files, const ProfileExportOptions& options,
                   const std::filesystem::path& target) {
    const auto images = ProfileImagesOfCharacterFile(ReadFileBytes(characterFile));
    ReplaceFileAtomically(target, BuildProfileText(sim, files, images, options));
}

}  // namespace corvane
