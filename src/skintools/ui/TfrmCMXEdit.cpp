#include "skintools/ui/TfrmCMXEdit.h"

#include "app/ui/GameText.h"
#include "platform/LanguageModule.h"
#include "platform/TextLines.h"
#include "skintools/EditorBackups.h"
#include "skintools/SkinToolFiles.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace corvane {

namespace {

constexpr int kCaption = 6191;
constexpr MessageId kOriginal{6154};
const QColor kChangedColour(0, 0, 128);
const QColor kUnresolvedColour(255, 0, 0);

QPlainTextEdit* makeEditor(QWidget* parent, const char* name, const QRect& place, bool readOnly) {
    auto* editor = new QPlainTextEdit(parent);
    editor->setObjectName(name);
    editor->setGeometry(place);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setReadOnly(readOnly);
    return editor;
}

QString joinedLines(const std::vector<std::string>& lines) {
    QStringList shown;
    for (const std::string& line : lines) shown.append(GameText(line));
    return shown.join('\n');
}

QTextCharFormat markFormat(EditorMarkStyle style) {
    QTextCharFormat format;
    if (style == EditorMarkStyle::BoldNavy) {
        format.setFontWeight(QFont::Bold);
        format.setForeground(kChangedColour);
    } else {
        format.setForeground(kUnresolvedColour);
    }
    return format;
}

}  // namespace

TfrmCMXEdit::TfrmCMXEdit(const ProblemRecordDetails& problem, const SkinCatalogue& catalogue, const Settings& settings,
                         Dialogs& dialogs, QWidget* parent)
    : TRepairDialog(problem, CharacterFileBackupFolder(), dialogs, parent) {
    setObjectName("frmCMXEdit");
    edtOriginal = makeEditor(this, "edtOriginal", originalArea(), true);
    edtNew = makeEditor(this, "edtNew", newArea(), false);
    lblNew->setText("Proposed changes:");
    const std::vector<std::string> lines = ReadTextFileLines(file());
    static const std::vector<std::filesystem::path> noFiles;
    static const std::vector<FarRecordDetails> noEntries;
    proposal_ = ProposeCharacterFileRepair(lines, problem.FileName, problem.Description,
                                           catalogue.SknFileList ? *catalogue.SknFileList : noFiles,
                                           catalogue.ArchiveMeshEntries ? *catalogue.ArchiveMeshEntries : noEntries);
    setTexts(kCaption,
             QString::fromStdString(LangStr(kOriginal) + "\n(") + QString::fromStdString(problem.FileName) + ")",
             DisplayedText(proposal_.problems));
    edtOriginal->setToolTip(QString::fromStdString(file().string()));
    edtOriginal->setPlainText(joinedLines(lines));
    edtNew->setPlainText(joinedLines(proposal_.lines));
    showMarks();
    styleControls(settings);
}

void TfrmCMXEdit::showMarks() {
    QTextDocument& document = *edtNew->document();
    for (const EditorMark& mark : proposal_.marks) {
        const QTextBlock block = document.findBlockByNumber(static_cast<int>(mark.line));
        if (!block.isValid()) continue;
        // The mark counts bytes of the game's code page; the editor counts characters.
        const std::string& line = proposal_.lines[mark.line];
        const auto start = static_cast<int>(GameText(line.substr(0, mark.start)).size());
        const auto length = static_cast<int>(GameText(line.substr(mark.start, mark.length)).size());
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + start);
        cursor.setPosition(block.position() + start + length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(markFormat(mark.style));
        edtNew->setTextCursor(cursor);
    }
}

std::string TfrmCMXEdit::repairedBytes() const {
    QStringList shown = edtNew->toPlainText().split('\n');
    // A last line break typed into the editor makes no empty last line.
    if (shown.size() > 1 && shown.back().isEmpty()) shown.removeLast();
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(shown.size()));
    for (const QString& line : shown) lines.push_back(GameBytes(line));
    return SkinTextFileBytes(lines);
}

RepairEditor CharacterFileEditor(QWidget* parent, const Settings& settings, Dialogs& dialogs) {
    return [parent, &settings, &dialogs](const ProblemRecordDetails& problem) {
        return ShowRepairEditor(dialogs, [&] {
            return std::make_unique<TfrmCMXEdit>(problem, GameSkinCatalogue(), settings, dialogs, parent);
        });
    };
}

}  // namespace corvane
