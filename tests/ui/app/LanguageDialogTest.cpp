#include "app/ui/TfrmLanguage.h"

#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

class LanguageDialogTest : public ::testing::Test {
protected:
    void SetUp() override { test::QtTestApplication(); }
};

QStringList entriesOf(const QListWidget& list) {
    QStringList entries;
    for (int row = 0; row < list.count(); ++row) {
        entries << list.item(row)->text();
    }
    return entries;
}

TEST_F(LanguageDialogTest, OffersTheGamesLanguagesWithTheFirstChosen) {
    TfrmLanguage dialog;
    EXPECT_EQ(dialog.windowTitle(), "Choose Language");
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(Qt::white));

    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front()->text(),
              "We were unable to locate the Language setting for your Game, please choose from the languages "
              "below the language your game uses. This setting is only used to determine the names displayed "
              "for some characters. ");
    EXPECT_TRUE(labels.front()->wordWrap());

    EXPECT_EQ(entriesOf(*dialog.lbLanguages),
              (QStringList{"USEnglish", "UKEnglish", "French", "German", "Italian", "Spanian", "Dutch", "Swedish",
                           "Finnish", "Portuguese", "Japanese", "Polish", "Traditional Chinese",
                           "Simplified Chinese", "Thai", "Korean"}));
    EXPECT_EQ(dialog.lbLanguages->currentRow(), 0);
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnOK")->text(), "OK");
}

// The game cannot go on without a language, so every way out of the dialog answers.
TEST_F(LanguageDialogTest, EveryWayOfClosingStoresTheChosenEntry) {
    struct Case {
        const char* how;
        std::function<void(TfrmLanguage&)> close;
        int row;
        const char* chosen;
        int result;
    };
    const Case cases[] = {
        {"OK", [](TfrmLanguage& d) { d.findChild<QPushButton*>("btnOK")->click(); }, 13, "Simplified Chinese",
         QDialog::Accepted},
        {"OK untouched", [](TfrmLanguage& d) { d.findChild<QPushButton*>("btnOK")->click(); }, 0, "USEnglish",
         QDialog::Accepted},
        {"window closed", [](TfrmLanguage& d) { d.close(); }, 5, "Spanian", QDialog::Rejected},
        {"Escape", [](TfrmLanguage& d) { d.reject(); }, 15, "Korean", QDialog::Rejected},
    };
    for (const Case& c : cases) {
        TfrmLanguage dialog;
        dialog.show();
        dialog.lbLanguages->setCurrentRow(c.row);
        c.close(dialog);
        EXPECT_FALSE(dialog.isVisible()) << c.how;
        EXPECT_EQ(dialog.result(), c.result) << c.how;
        EXPECT_EQ(dialog.SelectedLanguage, c.chosen) << c.how;
    }
}

}  // namespace
}  // namespace corvane
