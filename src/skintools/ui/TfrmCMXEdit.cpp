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

#include <algorithm>
#include <cstdint>
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

// The bytes to save for the lines shown. A line the user left as it was shown
// keeps its bytes: a byte the code page leaves undefined is shown as a stand-in
// that would not turn back into it. Lines are paired with the proposal's by
// the longest common run of shown texts, so lines typed in or deleted do not
// shift the pairing; only lines without a partner are converted.
std::vector<std::string> keptOrTypedLines(const std::vector<std::string>& proposed, const QStringList& shown) {
    std::vector<QString> proposedTexts;
    proposedTexts.reserve(proposed.size());
    for (const std::string& line : proposed) proposedTexts.push_back(GameText(line));
    const std::size_t n = proposed.size();
    const auto m = static_cast<std::size_t>(shown.size());
    std::vector<std::string> result(m);
    std::vector<bool> paired(m, false);
    auto pair = [&](std::size_t from, std::size_t to) {
        result[to] = proposed[from];
        paired[to] = true;
    };
    // Edits are local: the unchanged head and tail are paired without a table.
    std::size_t head = 0;
    while (head < n && head < m && proposedTexts[head] == shown[static_cast<qsizetype>(head)]) {
        pair(head, head);
        ++head;
    }
    std::size_t tail = 0;
    while (tail < n - head && tail < m - head &&
           proposedTexts[n - 1 - tail] == shown[static_cast<qsizetype>(m - 1 - tail)]) {
        pair(n - 1 - tail, m - 1 - tail);
        ++tail;
    }
    const std::size_t rows = n - head - tail;
    const std::size_t columns = m - head - tail;
    // Beyond this the middle is converted as typed: a table that large is no edit made by hand.
    constexpr std::size_t kMostCells = 4'000'000;
    if (rows > 0 && columns > 0 && (rows + 1) * (columns + 1) <= kMostCells) {
        // common[i][j]: the longest common run of proposal lines from head + i and shown lines from head + j.
        std::vector<std::uint32_t> common((rows + 1) * (columns + 1), 0);
        auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t& { return common[i * (columns + 1) + j]; };
        auto same = [&](std::size_t i, std::size_t j) {
            return proposedTexts[head + i] == shown[static_cast<qsizetype>(head + j)];
        };
        for (std::size_t i = rows; i-- > 0;) {
            for (std::size_t j = columns; j-- > 0;) {
                at(i, j) = same(i, j) ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
            }
        }
        std::size_t i = 0;
        std::size_t j = 0;
        while (i < rows && j < columns) {
            if (same(i, j) && at(i, j) == at(i + 1, j + 1) + 1) {
                pair(head + i, head + j);
                ++i;
                ++j;
            } else if (at(i + 1, j) >= at(i, j + 1)) {
                ++i;
            } else {
                ++j;
            }
        }
    }
    for (std::size_t line = 0; line < m; ++line) {
        if (!paired[line]) result[line] = GameBytes(shown[static_cast<qsizetype>(line)]);
    }
    return result;
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
    proposal_ = ProposeCharacterFileRepair(lines, problem.FileName, problem.Description, catalogue);
    setTexts(kCaption,
             QString::fromStdString(LangStr(kOriginal) + "\n(") + QString::fromStdString(problem.FileName) + ")",
             DisplayedText(proposal_.problems), QStringLiteral(": "));
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
    return SkinTextFileBytes(keptOrTypedLines(proposal_.lines, shown));
}

RepairEditor CharacterFileEditor(QWidget* parent, const Settings& settings, Dialogs& dialogs) {
    return [parent, &settings, &dialogs](const ProblemRecordDetails& problem) {
        return ShowRepairEditor(dialogs, [&] {
            return std::make_unique<TfrmCMXEdit>(problem, GameSkinCatalogue(), settings, dialogs, parent);
        });
    };
}

}  // namespace corvane
