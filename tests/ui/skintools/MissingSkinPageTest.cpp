// The missing-skin page on the demo neighbourhood with characters wearing
// skins that are not installed: the grid, the saved reports, the clipboard,
// an empty search and a search stopped by the busy window's Cancel.

#include "BusyCancelPress.h"
#include "demo/GameBuilder.h"
#include "platform/CodePage.h"
#include "platform/AtomicFile.h"
#include "skins/SkinCatalogue.h"
#include "skintools/MissingSkinReport.h"
#include "skintools/ui/TMissingSkinPage.h"
#include "support/ui/DemoEditorTest.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class MissingSkinPageTest : public test::DemoEditorTest {
protected:
    void SetUp() override {
        DemoEditorTest::SetUp();
        page = dynamic_cast<TMissingSkinPage*>(window->page(PageKind::MissingSkinSearch));
        ASSERT_NE(page, nullptr);
    }

    // Victor wears two skins nobody installed, Elena (before him in the list) one.
    void dressInUninstalledSkins() {
        victor = byId(1);
        elena = byId(2);
        ASSERT_NE(victor, nullptr);
        ASSERT_NE(elena, nullptr);
        const std::vector<Sim*> list = window->document().sims();
        ASSERT_LT(std::find(list.begin(), list.end(), elena), std::find(list.begin(), list.end(), victor));
        victor->BodyMesh = "xskin-gone-body";
        victor->SwimTexture = "gone-swim";
        elena->HeadTexture = "gone-head";
    }
    // Opens the page, which searches; the button of the page on show is
    // disabled, so another page is opened first.
    void search() {
        window->pageButton("btnNeighborhood")->click();
        window->pageButton("btnMissingSkinSearch")->click();
    }

    static std::string characterText(const Sim& sim) {
        return sim.FirstName + " " + sim.LastName + " : " + sim.FileName;
    }
    // The grid's rows below the header, each as "number|character|skin|field".
    std::vector<std::string> grid() const {
        std::vector<std::string> rows;
        const QTableWidget& table = *page->sgMissingSkins;
        for (int r = 0; r < table.rowCount(); ++r) {
            std::string line;
            for (int c = 0; c < 4; ++c) {
                const QTableWidgetItem* cell = table.item(r, c);
                line += (c == 0 ? "" : "|") + (cell != nullptr ? cell->text().toStdString() : std::string());
            }
            rows.push_back(line);
        }
        return rows;
    }

    TMissingSkinPage* page = nullptr;
    Sim* victor = nullptr;
    Sim* elena = nullptr;
};

TEST_F(MissingSkinPageTest, TheGridListsEachMissingSkinBelowAnEmptyRow) {
    dressInUninstalledSkins();
    search();
    EXPECT_TRUE(dialogs.messages().empty());
    const std::string v = characterText(*victor);
    const std::string e = characterText(*elena);
    EXPECT_EQ(grid(), (std::vector<std::string>{"|||", "1|" + e + "|gone-head|HeadTexture",
                                                "2|" + v + "|xskin-gone-body|BodyMesh",
                                                "3|" + v + "|gone-swim|SwimTexture"}));
    EXPECT_EQ(page->rows().size(), 3u);
    EXPECT_EQ(page->sgMissingSkins->currentRow(), 3) << "the last finding is selected";
    EXPECT_EQ(page->sgMissingSkins->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(MissingSkinPageTest, TheBusyWindowIsAsWideAsThePageLessFour) {
    dressInUninstalledSkins();
    const test::BusyWidthsSeen seen(QString::fromStdString(LangStr(7158)));
    search();
    ASSERT_FALSE(seen.widths().empty());
    const int pageWidth = window->findChild<QGroupBox*>("grpMissingSkinSearch")->width();
    for (int width : seen.widths()) EXPECT_EQ(width, pageWidth - 4);
}

TEST_F(MissingSkinPageTest, NothingMissingSaysSoOverTheHeaderAndTheEmptyRow) {
    dialogs.answer(mrOk);
    search();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(7108)});
    EXPECT_EQ(dialogs.messages().at(0).caption, LangStr(5022));
    const QTableWidget& table = *page->sgMissingSkins;
    EXPECT_EQ(table.rowCount(), 1) << "below the header only the empty row";
    ASSERT_EQ(table.columnCount(), 4);
    const int widths[] = {0, 140, 140, 75};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(table.horizontalHeaderItem(c)->text().toStdString(), LangStr(6129 + c)) << c;
        EXPECT_EQ(table.columnWidth(c), widths[c]) << c;
    }
    EXPECT_TRUE(table.isColumnHidden(0));
}

TEST_F(MissingSkinPageTest, TheChildrenFormalsBoxAddsTheFormalSkinsToTheCheck) {
    // Formal wear is checked below the fifth expansion pack only.
    AppSettings().ExpansionLevel = 4;
    Sim* tess = byId(3);
    ASSERT_NE(tess, nullptr);
    tess->FormalMesh.clear();
    auto* box = window->findChild<QCheckBox*>("ckChkChdFormals");
    ASSERT_NE(box, nullptr);
    const auto formalRows = [&] {
        std::vector<std::string> found;
        for (const MissingSkinRow& row : page->rows()) {
            if (row.field.starts_with("Formal")) found.push_back(row.character + "|" + row.skinName + "|" + row.field);
        }
        return found;
    };
    for (const bool ticked : {false, true}) {
        box->setChecked(ticked);
        if (!ticked) dialogs.answer(mrOk);  // nothing else is missing
        search();
        EXPECT_TRUE(dialogs.allAnswersUsed());
        const std::vector<std::string> expected =
            ticked ? std::vector<std::string>{characterText(*tess) + "||FormalMesh"} : std::vector<std::string>{};
        EXPECT_EQ(formalRows(), expected) << "an empty name is never installed";
    }
}

TEST_F(MissingSkinPageTest, ReportsAreSavedInTheFormatOfTheChosenFilter) {
    dressInUninstalledSkins();
    search();
    struct Case {
        const char* chosen;
        int filter;  // 0 CSV, 1 text, 2 XML
        const char* written;
        MissingSkinReportFormat format;
    } cases[] = {
        {"list.csv", 0, "list.csv", MissingSkinReportFormat::Csv},
        {"list.TXT", 1, "list.txt", MissingSkinReportFormat::Text},
        {"list.xml", 2, "list.xml", MissingSkinReportFormat::Xml},
        {"plain", 0, "plain.csv", MissingSkinReportFormat::Csv},
        {"report", 2, "report.xml", MissingSkinReportFormat::Xml},
        {"notes", 1, "notes.txt", MissingSkinReportFormat::Text},
        {"x.xml", 0, "x.csv", MissingSkinReportFormat::Csv},  // the filter wins over the typed extension
    };
    const int codePage = CodePageForLanguage(AppSettings().LanguageNumber);
    for (const Case& c : cases) {
        dialogs.forgetShown();
        dialogs.answerFile(folder.path() / c.chosen, c.filter);
        page->btnMissingSkinsSaveFile->click();
        ASSERT_EQ(dialogs.fileRequests().size(), 1u);
        EXPECT_EQ(dialogs.fileRequests()[0].filter, kMissingSkinReportFilter);
        EXPECT_EQ(dialogs.fileRequests()[0].fileName,
                  "Missing_Skins_NGBD_" + window->cbNeighborhood->currentText().toStdString());
        if (std::string(c.written) != c.chosen) {
            EXPECT_FALSE(fs::exists(folder.path() / c.chosen)) << c.chosen << ": only the named format is written";
        }
        const std::string written = ReadTextFile(folder.path() / c.written);
        if (c.format == MissingSkinReportFormat::Xml) {
            EXPECT_NE(written.find("<Missing_Skin_Name dt:dt=\"string\">gone-head</Missing_Skin_Name>\r\n"),
                      std::string::npos) << written;
            EXPECT_NE(written.find("<Skin_Type dt:dt=\"string\">SwimTexture</Skin_Type>"), std::string::npos);
            EXPECT_TRUE(written.ends_with("</Missing_Skins_List>\r\n"));
            continue;
        }
        std::string expected;
        for (const std::string& line : MissingSkinReportLines(page->rows(), c.format, codePage, "")) {
            expected += line + "\r\n";
        }
        EXPECT_EQ(written, expected) << c.chosen;
        EXPECT_NE(written.find("2," + characterText(*victor) + ",xskin-gone-body,BodyMesh\r\n"), std::string::npos);
    }
    dialogs.answerFile(std::nullopt);
    page->btnMissingSkinsSaveFile->click();
    EXPECT_FALSE(window->pagesLocked());
}

TEST_F(MissingSkinPageTest, CopySkinNamePutsTheCurrentRowsSkinOnTheClipboard) {
    dressInUninstalledSkins();
    search();
    ASSERT_NE(page->popMissingSkins, nullptr);
    EXPECT_TRUE(page->popMissingSkins->actions().contains(page->mnuCopySkinName));
    page->sgMissingSkins->selectRow(2);
    page->mnuCopySkinName->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "xskin-gone-body");
}

TEST_F(MissingSkinPageTest, SearchAgainReadsTheArchivesAnew) {
    dressInUninstalledSkins();
    search();
    ASSERT_EQ(page->rows().size(), 3u);
    // An archive installed after the first search: only a catalogue read again knows its textures.
    GameBuilder(game).writeArchive("Deluxe\\Deluxe.far", {{"gone-head.bmp", std::vector<std::uint8_t>(1100, 1)}});
    search();
    EXPECT_EQ(page->rows().size(), 3u) << "a search keeps the catalogue it has";
    page->btnSearchAgain->click();
    EXPECT_EQ(page->rows().size(), 2u);
    EXPECT_TRUE(GameSkinCatalogue().complete());
}

TEST_F(MissingSkinPageTest, CancelStopsTheSearchAndKeepsTheRowsFound) {
    dressInUninstalledSkins();
    const test::BusyCancelPress press(QString::fromStdString(LangStr(7158) + " " + elena->FileName + " "));
    search();
    EXPECT_TRUE(press.pressed());
    EXPECT_EQ(grid(), (std::vector<std::string>{"|||", "1|" + characterText(*elena) + "|gone-head|HeadTexture"}))
        << "the character checked when Cancel was pressed is finished, the next one is not begun";
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_FALSE(window->pagesLocked());
}

}  // namespace
}  // namespace corvane
