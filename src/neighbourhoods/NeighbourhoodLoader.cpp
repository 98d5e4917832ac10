#include "neighbourhoods/NeighbourhoodLoader.h"

#include "neighbourhoods/NeighbourRecordLayout.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/FileBytes.h"
#include "platform/FileStamp.h"
#include "platform/FormatError.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "platform/Trash.h"

#include <system_error>

namespace corvane {

namespace {

constexpr std::uintmax_t kSmallestCharacterFile = 1024;

void tell(Dialogs& dialogs, const std::string& text) {
    StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
}

// What became of the files that could not be loaded or were read as
// damaged, for one message each kind.
struct LoadReport {
    std::vector<std::string> tooShort;    // moved to the Trash
    std::vector<std::string> leftInPlace;  // too short, but only being read
    std::vector<std::string> unreadable;
    std::vector<std::string> damaged;      // listed, never saved
    std::vector<std::string> withoutFamily;  // their GUID is in no family record: not listed
};

// The damaged-file question; true when the user wants the file gone.
bool askToDeleteDamaged(Dialogs& dialogs, const std::string& fileName) {
    const std::string text = LangStr(7089) + fileName + "\n" + LangStr(7090) + "\n" + LangStr(7091) + "\n" +
                             LangStr(7092) + "\n" + LangStr(7157);
    return StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::Warning, 0, mrNone, mbYesNo) == mrYes;
}

// Tells why no character can be opened, and keeps it with the result.
OpenedNeighbourhood refused(OpenedNeighbourhood opened, Dialogs& dialogs, const std::string& why) {
    tell(dialogs, why);
    opened.failure = why;
    return opened;
}

enum class Answer { Continue, Stop };

Answer loadCharacter(const std::filesystem::path& file, const NeighbourhoodLoadSettings& settings,
                     const CharacterLoadContext& context, Dialogs& dialogs, LoadReport& report,
                     OpenedNeighbourhood& opened) {
    const std::string name = file.filename().string();
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (size < kSmallestCharacterFile && !ec) {
        if (settings.mayMoveFiles) {
            // Too short to be a character: to the Trash, never deleted for good.
            MoveToTrash(file);
            report.tooShort.push_back(name);
        } else {
            report.leftInPlace.push_back(name + ": " + std::to_string(size) +
                                         " bytes, too short to be a character file; left in place");
        }
        return Answer::Continue;
    }
    // Taken before the read, so that a write racing it shows as a change at the save.
    const std::optional<FileStamp> stamp = StampOf(file);
    const std::vector<std::uint8_t> bytes = ReadFileBytes(file);
    if (settings.mayMoveFiles && ReadChunkList(bytes).damaged && askToDeleteDamaged(dialogs, name)) {
        try {
            MoveToTrash(file);
            return Answer::Continue;
        } catch (const ShellOperationError& failure) {
            tell(dialogs, LangStr(7044) + "\n" + failure.what());
            return Answer::Stop;
        }
    }
    LoadedCharacter loaded = ReadCharacter(bytes, file.stem().string(), context);
    loaded.sim.FileStampAsRead = stamp;
    if (loaded.sim.LastName.empty()) {
        // Without a family the character is not listed, and the user is told why.
        if (loaded.sim.isDamaged()) {
            report.unreadable.push_back(name + " (" + loaded.sim.Damage + ")");
        } else {
            report.withoutFamily.push_back(name + " (GUID " + GuidAsHex(loaded.sim.GUID) + ")");
        }
        return Answer::Continue;
    }
    if (loaded.sim.isDamaged()) {
        report.damaged.push_back(loaded.sim.Damage + (settings.mayMoveFiles ? "" : "; left in place"));
    }
    opened.characters.push_back(std::make_unique<Sim>(std::move(loaded.sim)));
    opened.thumbnails.push_back(std::move(loaded.thumbnail));
    return Answer::Continue;
}

void reportFailures(const LoadReport& report, Dialogs& dialogs) {
    auto listed = [](int heading, const std::vector<std::string>& names) {
        std::string text = LangStr(heading);
        for (const std::string& name : names) text += "\n" + name;
        return text;
    };
    if (!report.tooShort.empty()) tell(dialogs, listed(7166, report.tooShort));
    if (!report.leftInPlace.empty()) tell(dialogs, listed(7172, report.leftInPlace));
    if (!report.unreadable.empty()) tell(dialogs, listed(7167, report.unreadable));
    if (!report.damaged.empty()) tell(dialogs, listed(7173, report.damaged));
    if (!report.withoutFamily.empty()) tell(dialogs, listed(7323, report.withoutFamily));
}

void readRelationships(const NeighborhoodImage& image, Sim& sim, const std::vector<std::unique_ptr<Sim>>& all) {
    const auto p = static_cast<std::size_t>(sim.NeighborEntryPos);
    const NeighbourRecordTail block = NeighbourRecordTailFor(sim.PersonDataValues);
    if (image.i32(p + block.marker) != -1) return;
    const std::int32_t count = image.i32(p + block.relationshipCount).value_or(0);
    std::size_t record = p + block.firstRelationship;
    if (image.i32(record) != 1) return;
    for (std::int32_t i = 0; i < count; ++i) {
        auto target = image.i32(record + 4);
        auto values = image.i32(record + 8);
        if (!target || !values || *values < 0) return;
        const auto valueCount = static_cast<std::size_t>(*values);
        if (valueCount > (image.size() - record) / 4) return;
        if (const Sim* other = FindSimByNeighborID(all, *target)) {
            auto value = [&](std::size_t k) {
                return k < valueCount ? image.i32(record + 12 + 4 * k).value_or(0) : 0;
            };
            sim.Relationships.push_back({*target, other->FirstName, other->LastName, value(0), value(2), value(1),
                                         value(3), *values, static_cast<std::int32_t>(record + 4)});
        }
        record += 12 + 4 * valueCount;
    }
}

}  // namespace

bool NeighbourhoodVersionFits(int expansionLevel, int version) {
    switch (expansionLevel) {
        case 0:
        case 1:
        case 2: return true;
        case 3: return version >= 66;
        case 4: return version == 68;
        case 5: return version == 69;
        case 6: return version == 72;
        default: return version == 73;
    }
}

void AttachRelationships(const NeighborhoodImage& image, std::vector<std::unique_ptr<Sim>>& characters) {
    for (auto& sim : characters) {
        if (sim->hasNeighbourEntry()) {
            readRelationships(image, *sim, characters);
        }
    }
}

std::vector<std::filesystem::path> CharacterFilesOf(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    const auto characters = ResolveCaseInsensitive(folder, "Characters");
    for (std::filesystem::directory_iterator it(characters, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualsIgnoreCase(it->path().extension().string(), ".iff")) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

OpenedNeighbourhood OpenNeighbourhood(const NeighbourhoodLoadSettings& settings, Dialogs& dialogs,
                                      Progress& progress) {
    OpenedNeighbourhood opened;
    progress.showWarning(LangStr(7003));
    const auto file = ResolveCaseInsensitive(settings.folder, "neighborhood.iff");
    try {
        opened.imageStamp = StampOf(file);
        opened.image = std::make_unique<NeighborhoodImage>(ReadFileBytes(file));
    } catch (const std::runtime_error& error) {
        return refused(std::move(opened), dialogs, LangStr(7168) + "\n" + file.string() + "\n" + error.what());
    }
    // A cut or damaged file: its characters are not listed, so nothing is ever saved into it.
    const NeighborhoodImage& image = *opened.image;
    if (!image.version()) {
        return refused(std::move(opened), dialogs,
                       LangStr(7171) + "\n" + file.string() + "\n" + image.fileName() + ": the file holds " +
                           std::to_string(image.size()) + " bytes, too few for the game version at offset " +
                           std::to_string(NeighborhoodImage::kVersionOffset));
    }
    if (image.chunks().damaged) {
        return refused(std::move(opened), dialogs, LangStr(7171) + "\n" + file.string() + "\n" + image.chunks().damage);
    }
    const int version = *image.version();
    const auto files = CharacterFilesOf(settings.folder);
    if (files.empty()) {
        tell(dialogs, LangStr(7002));  // an empty neighbourhood: nothing is wrong with it
        return opened;
    }
    if (!NeighbourhoodVersionFits(settings.expansionLevel, version)) {
        return refused(std::move(opened), dialogs, LangStr(6199) + " : " + std::to_string(version));
    }
    CharacterLoadContext context{opened.image.get(), settings.languageNumber, settings.expansionLevel,
                                 settings.hasFameFolders, settings.textureInstalled};
    LoadReport report;
    progress.setMaximum(static_cast<int>(files.size()));
    int position = 0;
    for (const auto& characterFile : files) {
        progress.setPosition(++position);
        try {
            if (loadCharacter(characterFile, settings, context, dialogs, report, opened) == Answer::Stop) break;
        } catch (const std::exception& error) {
            // One unreadable character does not keep the others out.
            report.unreadable.push_back(characterFile.filename().string() + " (" + error.what() + ")");
        }
    }
    reportFailures(report, dialogs);
    AttachRelationships(*opened.image, opened.characters);
    for (const auto& sim : opened.characters) {
        if (settings.applicationFolder.empty()) break;
        std::error_code ec;
        std::filesystem::remove(settings.applicationFolder / (sim->FileName + ".tmp"), ec);
    }
    return opened;
}

}  // namespace corvane
