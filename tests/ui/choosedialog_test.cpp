// frmChoose: preselection, OK, double click, Cancel and the ChosenItemData rules.
#include "app/Texts.h"
#include "ui/ChooseDialog.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zoz {
namespace {

class ChooseDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QFile file(dir.filePath("zozedud.Ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Messages_ENG]\r\nForm_Choose.Caption=Choose target\r\n"
                   "Form_Choose.ToolTip=Double click picks an entry\r\n");
        file.close();
        texts = std::make_unique<Texts>(dir.filePath("zozedud.Ini"));
        texts->setLanguage("ENG");
        dialog = std::make_unique<ChooseDialog>(*texts);
        dialog->addItem("first", 100);
        dialog->addItem("second", 205);
        dialog->addItem("third", -3);
    }

    // Shows the dialog with a preset and lets `act` play the user; returns what was preselected.
    int run(const QString& preset, const std::function<void(ChooseDialog&)>& act) {
        int preselected = -2;
        dialog->ChosenItemData = preset;
        dialog->setModalRunner([&](ChooseDialog& d) {
            const auto selected = d.lstChoose()->selectedItems();
            preselected = selected.isEmpty() ? -1 : d.lstChoose()->row(selected.first());
            act(d);
        });
        dialog->showModal();
        return preselected;
    }

    void clickRow(ChooseDialog& d, int row) {
        QListWidget* list = d.lstChoose();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    static void press(ChooseDialog& d, const char* button) {
        QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton);
    }

    QTemporaryDir dir;
    std::unique_ptr<Texts> texts;
    std::unique_ptr<ChooseDialog> dialog;
};

TEST_F(ChooseDialogTest, CaptionButtonsAndToolTipComeFromTheTexts) {
    EXPECT_EQ(dialog->objectName(), "frmChoose");
    EXPECT_EQ(dialog->windowTitle(), "Choose target");
    EXPECT_EQ(dialog->lstChoose()->toolTip(), "Double click picks an entry");
    EXPECT_EQ(dialog->findChild<QPushButton*>("cmdOk")->text(), "&Ok");
    EXPECT_EQ(dialog->findChild<QPushButton*>("cmdCancel")->text(), "Abbrechen");
    Texts none(dir.filePath("missing.Ini"));
    none.setLanguage("GER");
    ChooseDialog bare(none);
    EXPECT_EQ(bare.windowTitle(), "Form_Choose.Caption");
    EXPECT_EQ(bare.lstChoose()->toolTip(), "");
}

TEST_F(ChooseDialogTest, PresetSelectsTheMatchingEntryAndOkReturnsIt) {
    EXPECT_EQ(run(" 205 ", [this](ChooseDialog& d) { press(d, "cmdOk"); }), 1);
    EXPECT_EQ(dialog->ChosenItemData, "205");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ChooseDialogTest, ClickThenOkAndDoubleClickBothChoose) {
    run("100", [this](ChooseDialog& d) {
        clickRow(d, 2);
        EXPECT_TRUE(d.isVisible()); // a single click only selects
        press(d, "cmdOk");
    });
    EXPECT_EQ(dialog->ChosenItemData, "-3");
    run("100", [this](ChooseDialog& d) {
        QListWidget* list = d.lstChoose();
        const QPoint at = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    });
    EXPECT_EQ(dialog->ChosenItemData, "205");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ChooseDialogTest, CancelKeepsThePresetAsTrimmedLowerCase) {
    EXPECT_EQ(run(" 100 ",
                  [this](ChooseDialog& d) {
                      clickRow(d, 1);
                      press(d, "cmdCancel");
                  }),
              0);
    EXPECT_EQ(dialog->ChosenItemData, "100");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ChooseDialogTest, UnknownPresetSelectsNothingAndOkGivesEmpty) {
    EXPECT_EQ(run("999", [this](ChooseDialog& d) { press(d, "cmdOk"); }), -1);
    EXPECT_EQ(dialog->ChosenItemData, "");
}

TEST_F(ChooseDialogTest, EachShowClearsThePreviousSelection) {
    run("205", [this](ChooseDialog& d) { press(d, "cmdCancel"); });
    EXPECT_EQ(run("", [this](ChooseDialog& d) { press(d, "cmdOk"); }), -1);
    EXPECT_EQ(dialog->ChosenItemData, "");
}

TEST_F(ChooseDialogTest, EmptyListGivesEmptyOnOk) {
    dialog->clearList();
    EXPECT_EQ(run("100", [this](ChooseDialog& d) { press(d, "cmdOk"); }), -1);
    EXPECT_EQ(dialog->ChosenItemData, "");
}

TEST_F(ChooseDialogTest, RealModalLoopEndsOnOk) {
    dialog->ChosenItemData = "100";
    QTimer::singleShot(0, dialog.get(), [this] {
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    dialog->showModal();
    EXPECT_EQ(dialog->ChosenItemData, "100");
}

} // namespace
} // namespace zoz
