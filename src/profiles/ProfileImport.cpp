#include "profiles/ProfileImport.h"

#include "iff/CharacterImageFile.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/Base64.h"
#include "platform/CodePage.h"
#include "platform/DurableWrite.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TextLines.h"
#include "profiles/ProfileFileCheck.h"
#include "profiles/ProfileFormat.h"
#include "sim/FieldAssignment.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>

namespace corvane {

namespace {

// Elements the import copies stand alone (required) or in groups that end
// at their first missing element.
enum class Group { Required, Fame, Winter, Fashion };

struct ReadElement {
    std::string_view name;
    Group group;
};

constexpr ReadElement kReadElements[] = {
    {"FirstName", Group::Required}, {"Bio", Group::Required}, {"Age", Group::Required},
    {"Gender", Group::Required}, {"SkinColor", Group::Required}, {"Ghost", Group::Required},
    {"Lingering", Group::Required}, {"Neat", Group::Required}, {"Outgoing", Group::Required},
    {"Active", Group::Required}, {"Playful", Group::Required}, {"Nice", Group::Required},
    {"Cooking", Group::Required}, {"Mechanical", Group::Required}, {"Charisma", Group::Required},
    {"Body", Group::Required}, {"Logic", Group::Required}, {"Creativity", Group::Required},
    {"Cleaning", Group::Required}, {"Travel", Group::Required}, {"Sixties", Group::Required},
    {"Music", Group::Required}, {"Money", Group::Required}, {"Weather", Group::Required},
    {"Outdoors", Group::Required}, {"Politics", Group::Required}, {"Sports", Group::Required},
    {"Exercise", Group::Required}, {"Food", Group::Required}, {"Hollywood", Group::Required},
    {"Parties", Group::Required}, {"Technology", Group::Required}, {"Style", Group::Required},
    {"Romance", Group::Required}, {"Job", Group::Required}, {"JobLevel", Group::Required},
    {"JobPerformance", Group::Required}, {"FameScore", Group::Fame}, {"FameStarPower", Group::Fame},
    {"FameStarHighWatermark", Group::Fame}, {"BodySize", Group::Required}, {"BodyMesh", Group::Required},
    {"BodyTexture", Group::Required}, {"HeadMesh", Group::Required}, {"HeadTexture", Group::Required},
    {"NudeMesh", Group::Required}, {"NudeTexture", Group::Required}, {"SwimMesh", Group::Required},
    {"SwimTexture", Group::Required}, {"WinterMesh", Group::Winter}, {"WinterTexture", Group::Winter},
    {"FashionMesh", Group::Fashion}, {"FashionTexture", Group::Fashion}, {"OpenLHandMesh", Group::Required},
    {"OpenLHandTexture", Group::Required}, {"OpenRHandMesh", Group::Required},
    {"OpenRHandTexture", Group::Required}, {"PointingLHandMesh", Group::Required},
    {"PointingLHandTexture", Group::Required}, {"PointingRHandMesh", Group::Required},
    {"PointingRHandTexture", Group::Required}, {"CloseLHandMesh", Group::Required},
    {"CloseLHandTexture", Group::Required}, {"CloseRHandMesh", Group::Required},
    {"CloseRHandTexture", Group::Required}, {"FormalMesh", Group::Required}, {"FormalTexture", Group::Required},
    {"FormalLHandMesh", Group::Required}, {"FormalLHandTexture", Group::Required},
    {"FormalRHandMesh", Group::Required}, {"FormalRHandTexture", Group::Required},
    {"PajamaMesh", Group::Required}, {"PajamaTexture", Group::Required},
};

// The record field an element fills.
using Field = std::variant<std::int32_t Sim::*, std::string Sim::*>;
Field fieldOf(std::string_view element) {
    for (const ProfileValueElement& value : ProfileValueElements()) {
        if (value.name == element) return value.field;
    }
    for (const ProfileSkinElement& skin : ProfileSkinElements()) {
        if (skin.name == element) return skin.field;
    }
    return Field{};  // every read element is in the tables
}

// The record field's name where the element's differs.
std::string_view fieldNameOf(std::string_view element) {
    if (element == "Job") return "Career";
    if (element == "Lingering") return "HauntAddress";
    return element;
}

const ProfileSkinElement* skinElement(std::string_view element) {
    for (const ProfileSkinElement& skin : ProfileSkinElements()) {
        if (skin.name == element) return &skin;
    }
    return nullptr;
}

std::optional<std::int32_t> numberOf(const std::string& text) {
    const std::string digits = Trimmed(text);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

// The elements step by step as the import copies them: missing optional
// groups end early, a missing required element is an error.
template <typename Copy>
void forEachCopied(const Profile& profile, Copy&& copy) {
    bool abandoned[4] = {false, false, false, false};
    for (const ReadElement& element : kReadElements) {
        bool& groupAbandoned = abandoned[static_cast<int>(element.group)];
        if (groupAbandoned) continue;
        const std::string* text = profile.value(element.name);
        if (text == nullptr) {
            if (element.group == Group::Required) {
                throw ProfileError(profile.file.string() + ": the element " + std::string(element.name) +
                                   " is missing");
            }
            groupAbandoned = true;
            continue;
        }
        copy(element.name, fieldOf(element.name), *text);
    }
}

std::string elementText(const pugi::xml_node& node) {
    return node.child_value();
}

bool sameName(std::string_view a, std::string_view b) {
    return ToLowerAscii(a) == ToLowerAscii(b);
}

bool selectedName(const std::vector<std::string>& selected, std::string_view name) {
    return std::any_of(selected.begin(), selected.end(), [&](const std::string& s) { return sameName(s, name); });
}

std::string overwriteQuestion(const std::string& fileName) {
    return LangStr(8044) + "\n" + LangStr(8045) + "\n" + fileName + "\n" + LangStr(8046) + "\n" + LangStr(8047);
}

}  // namespace

const std::string* Profile::value(std::string_view element) const {
    for (const ProfileValue& v : values) {
        if (v.element == element) return &v.text;
    }
    return nullptr;
}

const ProfileBinData* Profile::fileAt(std::size_t position) const {
    for (const ProfileBinData& f : files) {
        if (f.position == position) return &f;
    }
    return nullptr;
}

std::string ProfileFileNameRefusal(std::string_view name) {
    if (name.empty()) return "is empty";
    if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos) {
        return "has a folder part";
    }
    if (name.find("..") != std::string_view::npos) return "reaches out of its folder";
    if (name.size() >= 2 && name[1] == ':') return "names a drive";
    if (name.front() == '.') return "has no name before its extension";
    if (!NameLeavesRoomForTemporary(name)) {
        return "is longer than the file system allows (" + std::to_string(name.size()) +
               " bytes, with the temporary copy a safe write needs beside it)";
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return "holds a control character";
        if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos) {
            return std::string("holds the character ") + c;
        }
    }
    return {};
}

Profile ReadProfile(const std::filesystem::path& file) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(file);
    } catch (const std::exception& error) {
        throw ProfileError(error.what());
    }
    return ReadProfileText(bytes, file);
}

Profile ReadProfileText(std::span<const std::uint8_t> bytes, const std::filesystem::path& file) {
    const std::string name = file.string();
    pugi::xml_document document;
    // Texts keep their line breaks as written, and a text of blanks stays.
    const unsigned options = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata_single;
    const pugi::xml_parse_result parsed = document.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8);
    if (!parsed) {
        throw ProfileError(name + ": not a readable XML file at offset " + std::to_string(parsed.offset) + " (" +
                           parsed.description() + ")");
    }
    const pugi::xml_node root = document.document_element();
    if (std::string_view(root.name()) != kProfileRoot) {
        throw ProfileError(name + ": not a profile (its root element is not " + std::string(kProfileRoot) + ")");
    }
    const pugi::xml_node record = root.child(std::string(kProfileRecord).c_str());
    if (!record) throw ProfileError(name + ": the element " + std::string(kProfileRecord) + " is missing");

    Profile profile;
    profile.file = file;
    profile.dateTime = record.attribute("DateTime").value();
    profile.expansionLevel = record.attribute("ExpansionLevel").value();
    if (const pugi::xml_attribute rating = record.attribute("Rating")) profile.rating = rating.value();
    if (const pugi::xml_attribute warning = record.attribute("Warning")) {
        profile.warning = !sameName(warning.value(), "False");
    }
    const auto decoded = [&](const pugi::xml_node& node, std::size_t position) {
        std::optional<std::vector<std::uint8_t>> data = DecodeBase64(elementText(node));
        const std::string where = name + ": " + node.name() + " (element " + std::to_string(position + 1) + ")";
        if (!data) throw ProfileError(where + " is not base64 data");
        if (data->size() > bytes.size()) throw ProfileError(where + " holds more than the profile can");
        return std::move(*data);
    };
    std::size_t position = 0;
    for (const pugi::xml_node child : record.children()) {
        if (child.type() != pugi::node_element) continue;
        const std::string_view element = child.name();
        if (element == "BinData") {
            const std::string fileName = child.attribute("FileName").value();
            std::vector<std::uint8_t> data = decoded(child, position);
            std::string refusal = ProfileFileNameRefusal(fileName);
            if (refusal.empty()) refusal = ProfileFileContentRefusal(fileName, data);
            if (refusal.empty()) {
                profile.files.push_back({fileName, position, std::move(data)});
            } else {
                profile.refused.push_back({fileName, refusal});
            }
        } else if (element == "BmpData") {
            std::vector<std::uint8_t> data = decoded(child, position);
            if (!profile.images) profile.images = std::move(data);
        } else if (element == "CVPCredits") {
            profile.credits = elementText(child);
        } else {
            profile.values.push_back({std::string(element), elementText(child)});
        }
        ++position;
    }
    if (const std::string* ageGroup = profile.value("AgeGroup")) profile.ageGroup = *ageGroup;
    // Everything the import copies must be there and readable before anything is copied.
    forEachCopied(profile, [&](std::string_view element, const Field& field, const std::string& text) {
        if (std::holds_alternative<std::int32_t Sim::*>(field) && !numberOf(text)) {
            throw ProfileError(name + ": the element " + std::string(element) + " holds \"" + text +
                               "\", not a whole number");
        }
    });
    return profile;
}

bool ProfileFitsCharacter(const Profile& profile, const Sim& sim) {
    const std::string character = ToLowerAscii(sim.AgeGroup);
    const std::string profiled = ToLowerAscii(Trimmed(profile.ageGroup));
    const auto pet = [](const std::string& group) { return group == "dog" || group == "kat"; };
    if (pet(character) || pet(profiled)) return character == profiled;
    return !profiled.empty();
}

std::string ProfileKindMismatchText() {
    return LangStr(7151);
}

std::vector<ProfilePreviewItem> ProfilePreviewItems(const Profile& profile) {
    std::vector<std::pair<std::string, std::size_t>> files;
    for (const ProfileBinData& file : profile.files) files.emplace_back(file.fileName, file.position);
    return ProfilePreviewOrder(files);
}

std::vector<std::string> ApplyProfileValues(Document& document, Sim& sim, const Profile& profile, int codePage) {
    std::vector<std::string> notKept;
    document.edit("profile", [&](EditScope& scope) {
        Sim& record = scope.touch(sim);
        forEachCopied(profile, [&](std::string_view element, const Field& field, const std::string& text) {
            try {
                if (const auto* number = std::get_if<std::int32_t Sim::*>(&field)) {
                    const std::int32_t value = *numberOf(text);
                    // A value the character already holds is no change, whatever the record can keep.
                    if (record.*(*number) != value) AssignRecordedNumber(document, record, fieldNameOf(element), value);
                } else if (const ProfileSkinElement* skin = skinElement(element)) {
                    const std::string name = Utf8ToCodePage(text, codePage);
                    RequireSkinBaseName(skin->name, name);
                    record.*(skin->field) = name;
                } else if (element == "BodySize") {
                    record.BodySize = Utf8ToCodePage(text, codePage);
                } else {
                    AssignField(document, record, element, Utf8ToCodePage(text, codePage), {});
                }
            } catch (const NotStorableError& error) {
                notKept.push_back(error.what());
            } catch (const std::invalid_argument& error) {
                // Out of the editor's limits: the whole profile is refused, and the edit undone.
                throw ProfileError(profile.file.string() + ": the element " + std::string(element) + " holds \"" +
                                   text + "\": " + error.what());
            }
        });
        if (profile.images) record.ResetThumbnail = true;
    });
    document.sealStep();
    return notKept;
}

std::vector<ProfileInstallStep> PlanProfileInstall(const Profile& profile, const std::vector<std::string>& selected,
                                                   const SkinFolders& folders,
                                                   const std::filesystem::path& installFolder) {
    std::vector<std::string> offered;
    for (const ProfilePreviewItem& item : ProfilePreviewItems(profile)) {
        if (selectedName(selected, item.fileName)) offered.push_back(item.fileName);
    }
    std::vector<ProfileInstallStep> steps;
    for (const ProfileBinData& file : profile.files) {
        if (!selectedName(offered, file.fileName)) continue;
        const auto dot = file.fileName.rfind('.');
        std::filesystem::path installed = folders.FindSkinFile(file.fileName.substr(0, dot), file.fileName.substr(dot));
        if (installed.empty()) {
            steps.push_back({ProfileInstallStep::Action::Install, file.fileName, installFolder / file.fileName});
        } else {
            steps.push_back({ProfileInstallStep::Action::Replace, file.fileName, std::move(installed)});
        }
    }
    return steps;
}

ProfileInstallResult DecideProfileInstall(const Profile& profile, const std::vector<std::string>& selected,
                                          const SkinFolders& folders, const std::filesystem::path& installFolder,
                                          Dialogs& dialogs, ModalResult answer) {
    ProfileInstallResult result;
    for (const RefusedProfileFile& refused : profile.refused) {
        if (selectedName(selected, refused.fileName)) result.refused.push_back(refused);
    }
    for (ProfileInstallStep step : PlanProfileInstall(profile, selected, folders, installFolder)) {
        // The first of files with one name is the one installed.
        const bool decided = std::any_of(result.steps.begin(), result.steps.end(),
                                         [&](const ProfileInstallStep& done) { return sameName(done.fileName, step.fileName); });
        if (decided) continue;
        if (step.action == ProfileInstallStep::Action::Replace) {
            if (answer != mrAll) {
                answer = StyledMessageDlg(dialogs, LangStr(5022), overwriteQuestion(step.fileName), MsgKind::None, 0,
                                          mrNone, mbYesNoAll);
            }
            if (answer != mrYes && answer != mrAll) step.action = ProfileInstallStep::Action::Keep;
        }
        result.steps.push_back(std::move(step));
    }
    return result;
}

std::vector<InstalledGameFile> ProfileInstallFiles(const Profile& profile, const ProfileInstallResult& decided) {
    std::vector<InstalledGameFile> files;
    for (const ProfileInstallStep& step : decided.steps) {
        if (step.action == ProfileInstallStep::Action::Keep) continue;
        const auto bytes = std::find_if(profile.files.begin(), profile.files.end(),
                                        [&](const ProfileBinData& file) { return file.fileName == step.fileName; });
        if (bytes != profile.files.end()) files.push_back({step.target, bytes->bytes});
    }
    return files;
}

ProfileInstallResult InstallProfileFiles(const Profile& profile, const std::vector<std::string>& selected,
                                         const SkinFolders& folders, const std::filesystem::path& installFolder,
                                         Dialogs& dialogs, ModalResult answer) {
    ProfileInstallResult result = DecideProfileInstall(profile, selected, folders, installFolder, dialogs, answer);
    try {
        InstallGameFiles(ProfileInstallFiles(profile, result));
    } catch (const std::exception& error) {
        result.failure = error.what();
    }
    return result;
}

void StageProfileImages(const Profile& profile, const std::filesystem::path& applicationFolder,
                        const std::string& characterFileName) {
    const std::filesystem::path staged = CharacterImageFile(applicationFolder, characterFileName);
    if (profile.images) {
        std::error_code folderError;
        std::filesystem::create_directories(applicationFolder, folderError);  // the editor's folder comes with its first file
        ReplaceFileAtomically(staged, std::string_view(reinterpret_cast<const char*>(profile.images->data()),
                                                       profile.images->size()));
        return;
    }
    std::error_code error;
    std::filesystem::remove(staged, error);
    if (error) throw std::runtime_error(staged.string() + " could not be removed: " + error.message());
}

}  // namespace corvane
