// The nine pages as the composition root wires them: what they show of the data set, editing
// through real input events (the change reaches the data set at the next TakeOverPages), their
// texts, and a receive-edit-send exchange with the simulator.
#include "PageFixture.h"
#include "app/IniFile.h"
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "dataset/HexCodec.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "link/ConfigTransfer.h"
#include "pages/AssignBox.h"
#include "pages/DataPage.h"
#include "pages/DataPages.h"
#include "pages/SnapShotPage.h"
#include "pages/ValueCheckBox.h"
#include "support/LinkRig.h"
#include "ui/ChooseDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using PageRefresh = zoz::test::PageFixture;

namespace zoz::test {
namespace {

TEST_F(PageRefresh, FullDataSetTravelsToThePagesAndBackUnchangedShowingTheStoredValues) {
    populate(store.DataSet, dir.path());
    for (int i = 1; i <= 6; ++i)
        store.StatusText[i] = QStringLiteral("status line %1 of the controller").arg(i);
    store.StatusText[1] = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
    store.QPLVersion = QStringLiteral("0213");
    const DataSet original = store.DataSet;
    const auto status = store.StatusText;
    pages->RefreshPages();

    const QList<std::tuple<int, const char*, QString>> shown = {
        {1, "txtStatus_0", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"},
        {1, "txtStatus_5", "status line 6 of the controller"},
        {2, "txtInputDigital_15", "Kick/Sn"},
        {2, "txtOutputSummen_3", "G5ch4"},
        {3, "txtInputA_1", "G1ch3"}, // 102: the text of txtInputDigital(2)
        {3, "txtInputD_5", "G4ch2"}, // an ext. monitor input, although the chooser never offers it
        {3, "txtInputC_2", "- none -"},
        {4, "txtExtMon_1", "G5ch2"},
        {5, "txtInput_1", "12"}, // 103: the fourth input definition "12=Locate|extra"
        {5, "txtInputInfo_1", "Locate"},
        {5, "txtInput_2", "0"},
        {5, "txtInputInfo_2", "- none -"},
        {5, "txtOutput_1", "9"}, // the definition "9=" with an empty description
        {5, "txtOutputInfo_1", ""},
        {7, "txtInfoPart01_0", "SNAP1.CNS"},
        {7, "txtInfoPart01_2", "C:\\show\\SNAP3.CNS"},
        {7, "txtInfoPart01_4", "/elsewhere/SNAP5.CNS"},
        {7, "txtInfoPart02_0", "GROUP.CNG"},
        {8, "txtOutput_0", "21"},
        {8, "txtOutputInfo_0", "Mute"},
        {9, "txtQPLVersion", "0213"}};
    for (const auto& [page, name, text] : shown)
        EXPECT_EQ(find<QLineEdit>(page, name)->text(), text) << name;
    EXPECT_EQ(find<AssignBox>(3, "txtInputA_1")->tag(), "102");
    EXPECT_EQ(find<AssignBox>(3, "txtInputC_2")->tag(), "");
    EXPECT_EQ(find<QComboBox>(4, "cmbVolume")->currentText(), "    0 dB");
    EXPECT_EQ(find<QComboBox>(4, "cmbKanal")->currentText(), "IN 3/4 ");
    EXPECT_EQ(find<ValueCheckBox>(4, "chkMonMode_2")->value(), 1);
    EXPECT_EQ(find<ValueCheckBox>(4, "chkMonMode_0")->value(), 0);
    EXPECT_EQ(find<QComboBox>(6, "cmbFrames")->currentText(), "30 frames");
    EXPECT_EQ(find<QComboBox>(7, "cmbStartUpConf")->currentIndex(), 4);
    // The hidden definition lists of the GPIO page hold what the settings file defines.
    auto* inputs = find<QListWidget>(5, "lstData_0");
    ASSERT_EQ(inputs->count(), 4);
    EXPECT_EQ(inputs->item(1)->text(), "5|Stop");
    EXPECT_EQ(inputs->item(1)->data(Qt::UserRole).toInt(), 101);

    store.DataSet = DataSet{};
    store.StatusText = {};
    store.QPLVersion = QString();
    pages->TakeOverPages();
    EXPECT_TRUE(store.DataSet == original);
    EXPECT_EQ(store.StatusText, status);
    EXPECT_EQ(store.QPLVersion.text(), QStringLiteral("0213"));
}

TEST_F(PageRefresh, ValuesOutsideTheirListsLeaveTheControlsAsTheyWere) {
    store.DataSet.Monitor.MonVolume = 44;
    store.DataSet.Monitor.MonKanal = 13;
    store.DataSet.Layer.LayerA[1] = 103;
    store.DataSet.Name.InputDigitalName[4] = QStringLiteral("Vox");
    pages->RefreshPages();
    store.DataSet.Monitor.MonVolume = 45;
    store.DataSet.Monitor.MonKanal = -2;
    store.DataSet.Layer.LayerA[1] = 600;            // no such group
    store.DataSet.Layer.LayerB[1] = 120;            // beyond the digital inputs
    store.DataSet.GPIO.GPIOInput[1] = 150;          // no such definition
    find<AssignBox>(5, "txtInput_0")->setText("x"); // what the row showed before
    pages->RefreshPages();

    EXPECT_EQ(find<QComboBox>(4, "cmbVolume")->currentText(), "+12 dB");
    EXPECT_EQ(find<QComboBox>(4, "cmbKanal")->currentText(), "ext Mon 7/8");
    auto* a0 = find<AssignBox>(3, "txtInputA_0");
    EXPECT_EQ(a0->text(), "Vox"); // 600 keeps the previous text, now the name of 103
    EXPECT_EQ(a0->tag(), "600");
    EXPECT_EQ(find<AssignBox>(5, "txtInput_0")->text(), "x");
    EXPECT_EQ(find<AssignBox>(5, "txtInput_0")->tag(), "150");

    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Monitor.MonVolume, 44);
    EXPECT_EQ(store.DataSet.Layer.LayerA[1], 600);
    EXPECT_EQ(store.DataSet.GPIO.GPIOInput[1], 150); // stored back unchanged

    // A selection can be cleared: -1 stands for nothing chosen.
    store.DataSet.Monitor.MonKanal = -1;
    pages->RefreshPages();
    EXPECT_EQ(find<QComboBox>(4, "cmbKanal")->currentIndex(), -1);
}

TEST_F(PageRefresh, TagsAreReadAsTheLeadingNumber) {
    auto* cell = find<AssignBox>(3, "txtInputB_0");
    const QList<QPair<QString, int>> cases = {
        {"", 0}, {"0", 0}, {"abc", 0}, {"-5", 0}, {"107xy", 107}, {" 2 03", 203}, {"101.6", 102}};
    for (const auto& [tag, expected] : cases) {
        cell->setTag(tag);
        pages->TakeOverPages();
        EXPECT_EQ(store.DataSet.Layer.LayerB[1], expected) << tag.toStdString();
    }
    // A negative stored code, or a channel without a name, counts as not assigned.
    for (const qint16 code : {qint16(-105), qint16(104)}) {
        store.DataSet.Layer.LayerB[1] = code;
        pages->RefreshPages();
        EXPECT_EQ(cell->text(), "- none -");
        EXPECT_EQ(cell->tag(), "");
        pages->TakeOverPages();
        EXPECT_EQ(store.DataSet.Layer.LayerB[1], 0) << code;
    }
}

TEST_F(PageRefresh, TextsAreCutAtTheirFieldWidth) {
    auto* name = find<QLineEdit>(2, "txtInputAnalog_0");
    name->setMaxLength(32767);
    name->setText("LongerThanEight  ");
    find<QLineEdit>(9, "txtQPLVersion")->setText("12");
    find<QLineEdit>(7, "txtInfoPart01_1")->setText("  sub/SNAP2.CNS  ");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Name.InputAnalogName[1].text(), "LongerTh");
    EXPECT_EQ(store.QPLVersion.text(), "12  ");
    const QString file = store.DataSet.SnapShot.SnapShotFile[2].trimmedRight();
    EXPECT_EQ(file, dir.path() + "/sub/SNAP2.CNS");
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotFile[2].text().size(), 255);
}

TEST_F(PageRefresh, FileInTheProgramFolderIsShownRelativeWhateverTheCase) {
    store.DataSet.SnapShot.SnapShotFile[1] = dir.path().toUpper() + "/A.CNS";
    store.DataSet.SnapShot.SnapShotFile[2] = dir.path() + "x/B.CNS"; // a sibling folder
    pages->RefreshPages();
    EXPECT_EQ(find<QLineEdit>(7, "txtInfoPart01_0")->text(), "A.CNS");
    EXPECT_EQ(find<QLineEdit>(7, "txtInfoPart01_1")->text(), dir.path() + "x/B.CNS");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotFile[1].trimmedRight(), dir.path() + "/A.CNS");
}

TEST_F(PageRefresh, SwitchTagsOtherThanOneShowOffAndAreTakenOverByTheirIntegerPart) {
    store.DataSet.SnapShot.SnapShotSwitch1[1] = 1;
    store.DataSet.SnapShot.SnapShotSwitch1[2] = 2;
    store.DataSet.SnapShot.SnapShotSwitch2[3] = 1;
    pages->RefreshPages();
    auto* bar0 = find<QToolBar>(7, "ToolbarPart01_0");
    auto* bar1 = find<QToolBar>(7, "ToolbarPart01_1");
    auto* bar2 = find<QToolBar>(7, "ToolbarPart01_2");
    EXPECT_EQ(SnapShotPage::imageOf(SnapShotPage::button(bar0, 1)), 1);
    EXPECT_EQ(SnapShotPage::imageOf(SnapShotPage::button(bar1, 1)), 2);
    EXPECT_EQ(SnapShotPage::imageOf(SnapShotPage::button(bar2, 2)), 3);
    EXPECT_EQ(SnapShotPage::imageOf(SnapShotPage::button(bar0, 2)), 4);
    SnapShotPage::button(bar1, 2)->setProperty("Tag", "1.9x");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch1[2], 2);
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch2[2], 1);
}

TEST_F(PageRefresh, OptionGroupsKeepOneMemberWhenTheProgramSetsThem) {
    // All four mode values 0: the box that was checked cannot be cleared, as the click the
    // program raises on every change runs the group rule.
    store.DataSet.Monitor.MonMode[2] = 1;
    pages->RefreshPages();
    store.DataSet.Monitor.MonMode = {0, 0, 0, 0, 0};
    pages->RefreshPages();
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Monitor.MonMode, (std::array<qint16, 5>{0, 0, 1, 0, 0}));
    // A machine source may lose every row.
    store.DataSet.Editor.MachSource(3) = {0, 0, 1, 0, 0, 0};
    pages->RefreshPages();
    store.DataSet.Editor.MachSource(3) = {0, 0, 0, 0, 0, 0};
    pages->RefreshPages();
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Editor.MachSource(3), (MachSourceRows{0, 0, 0, 0, 0, 0}));
    // A greyed machine-source box is kept as the value 2.
    store.DataSet.Editor.MachSource(4) = {0, 0, 0, 2, 0, 0};
    pages->RefreshPages();
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Editor.MachSource(4)[3], 2);
}

TEST_F(PageRefresh, SynchronisationWaitsForTheEndOfStartUp) {
    switches.InitDone = false;
    find<QLineEdit>(2, "txtInputDigital_0")->setText("Typed");
    pages->TabSelected(3);
    EXPECT_NE(store.DataSet.Name.InputDigitalName[1].trimmedRight(), "Typed");
    switches.InitDone = true;
    pages->TabSelected(3);
    EXPECT_EQ(store.DataSet.Name.InputDigitalName[1].trimmedRight(), "Typed");
    // The GPIO lists are loaded when a page that shows them is selected by its window's name.
    store.lstData = {};
    pages->PageSelected(QStringLiteral("frmTabStripData01"));
    EXPECT_TRUE(store.lstData[0].isEmpty());
    pages->PageSelected(QStringLiteral("FRMTABSTRIPDATA05"));
    EXPECT_EQ(store.lstData[0].size(), 4);
    EXPECT_EQ(find<QListWidget>(5, "lstData_0")->count(), 4);
}

} // namespace
} // namespace zoz::test

namespace zoz::test {
namespace {

// Types any character, also those outside ASCII that QTest::keyClicks cannot name.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class PageEditing : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        populate(store.DataSet, dir.path());
        store.DataSetDefault = store.DataSet;
        pages->RefreshPages();
    }

    // The user's part in the choose dialog: what it offered and which row it preselected.
    struct Offer {
        QList<int> codes;
        QStringList texts;
        int preselected = -1;
    };

    // Picks the row with `code` by a click and OK (or a double click), or presses Cancel.
    void scriptChooser(int code, bool doubleClick, Offer& offer, bool cancel = false) {
        chooser->setModalRunner([&offer, code, doubleClick, cancel](ChooseDialog& dialog) {
            QListWidget* list = dialog.lstChoose();
            for (int row = 0; row < list->count(); ++row) {
                offer.codes.append(list->item(row)->data(Qt::UserRole).toInt());
                offer.texts.append(list->item(row)->text());
                if (list->item(row)->isSelected())
                    offer.preselected = offer.codes.last();
            }
            if (cancel) {
                QTest::mouseClick(dialog.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
                return;
            }
            const int row = static_cast<int>(offer.codes.indexOf(code));
            ASSERT_GE(row, 0) << "code " << code << " not offered";
            const QPoint at = list->visualItemRect(list->item(row)).center();
            if (doubleClick) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            } else {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
            }
        });
    }
};

TEST_F(PageEditing, TypingIntoANameBoxPassesOnlyTheAllowedCharacters) {
    auto* box = find<QLineEdit>(2, "txtInputAnalog_2");
    box->clear();
    typeText(box, QString::fromUtf8("A'b\"/ ä§9xyz"));
    EXPECT_EQ(box->text(),
              QString::fromUtf8("Ab/ §9xy")); // apostrophe, quote, umlaut dropped; 8 max
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(store.DataSet.Name.InputAnalogName[3].trimmedRight(), "G2ch3"); // not yet taken over
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Name.InputAnalogName[3].text(), QString::fromUtf8("Ab/ §9x "));
    EXPECT_EQ(CodePage::fromUnicode(store.DataSet.Name.InputAnalogName[3].text()).at(4),
              static_cast<char>(167));
}

TEST_F(PageEditing, TheVersionBoxTakesFourDigitsOnly) {
    auto* box = find<QLineEdit>(9, "txtQPLVersion");
    box->clear();
    QTest::keyClicks(box, "1a2.3-45");
    EXPECT_EQ(box->text(), "1234");
    QTest::keyClick(box, Qt::Key_Backspace);
    pages->TakeOverPages();
    EXPECT_EQ(store.QPLVersion.text(), "123 ");
}

TEST_F(PageEditing, ChoosingAChannelOnTheLayerPageOffersThePairAndStoresTheChoice) {
    auto* cell = find<AssignBox>(3, "txtInputB_1"); // row 2: even-numbered channels
    ASSERT_EQ(cell->tag(), "202");
    Offer offer;
    scriptChooser(105, false, offer);
    QTest::mouseClick(cell, Qt::LeftButton);

    // Digital 2, 4 .. 16, analog 2 .. 8, Adat 2 .. 8; no ext. monitor, no outputs, no "none".
    QList<int> expected;
    for (int k = 1; k < 16; k += 2)
        expected.append(100 + k);
    for (int group : {2, 3})
        for (int k = 1; k < 8; k += 2)
            expected.append(group * 100 + k);
    EXPECT_EQ(offer.codes, expected);
    EXPECT_EQ(offer.texts.first(), "G1ch2");
    EXPECT_EQ(offer.preselected, -1); // 202 lies on the other side of the pair
    EXPECT_EQ(cell->text(), "G1ch6");
    EXPECT_EQ(store.DataSet.Layer.LayerB[2], 202);
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Layer.LayerB[2], 105);
}

TEST_F(PageEditing, DropDownButtonAndCellOpenTheSameChooserAndCancelKeepsTheCell) {
    auto* cell = find<AssignBox>(3, "txtInputA_2");
    ASSERT_EQ(cell->tag(), "104");
    Offer viaCell, viaButton;
    scriptChooser(0, false, viaCell, true);
    QTest::mouseClick(cell, Qt::LeftButton);
    scriptChooser(0, false, viaButton, true);
    QTest::mouseClick(find<QToolButton>(3, "picA_2"), Qt::LeftButton);
    EXPECT_EQ(viaCell.codes, viaButton.codes);
    EXPECT_EQ(viaCell.preselected, 104);
    EXPECT_EQ(viaButton.preselected, 104);
    EXPECT_EQ(cell->tag(), "104");
    EXPECT_EQ(cell->text(), "G1ch5");
}

TEST_F(PageEditing, OkWithoutASelectionAssignsNothing) {
    auto* cell = find<AssignBox>(3, "txtInputA_0");
    chooser->setModalRunner([](ChooseDialog& dialog) {
        dialog.lstChoose()->clearSelection();
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_EQ(cell->text(), "- none -");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Layer.LayerA[1], 0);
}

TEST_F(PageEditing, MonitorKeysOfferExtMonInputsAndOutputsOnlyWhenAsked) {
    Offer plain;
    scriptChooser(402, true, plain);
    QTest::mouseClick(find<AssignBox>(4, "txtExtMon_2"), Qt::LeftButton); // odd channels
    EXPECT_TRUE(plain.codes.contains(400));
    EXPECT_TRUE(plain.codes.contains(402));
    EXPECT_FALSE(plain.codes.contains(401));
    EXPECT_FALSE(plain.codes.contains(500));
    EXPECT_EQ(plain.preselected, 402);

    switches.OutputOnMonitorKeys = true;
    Offer withOutputs;
    scriptChooser(503, true, withOutputs);
    QTest::mouseClick(find<QToolButton>(4, "pic_1"), Qt::LeftButton); // even channels
    EXPECT_EQ(withOutputs.codes.mid(withOutputs.codes.size() - 4),
              (QList<int>{401, 403, 501, 503}));
    EXPECT_EQ(find<AssignBox>(4, "txtExtMon_1")->text(), "G5ch4");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Monitor.ExtMon[2], 503);
}

TEST_F(PageEditing, ChoosingAGpioFunctionOnTheFBoxPageUsesTheSharedLists) {
    Offer offer;
    scriptChooser(101, true, offer);
    QTest::mouseClick(find<AssignBox>(8, "txtOutput_3"), Qt::LeftButton);
    EXPECT_EQ(offer.codes, (QList<int>{100, 101, 102, 103}));
    EXPECT_EQ(offer.texts, (QStringList{"3\tTally red", "4\tTally green", "9\t", "21\tMute"}));
    EXPECT_EQ(offer.preselected, 100);
    EXPECT_EQ(find<AssignBox>(8, "txtOutput_3")->text(), "4");
    EXPECT_EQ(find<QLineEdit>(8, "txtOutputInfo_3")->text(), "Tally green");

    Offer inputs;
    scriptChooser(103, false, inputs);
    QTest::mouseClick(find<QToolButton>(5, "picIn_2"), Qt::LeftButton);
    EXPECT_EQ(inputs.texts.first(), "1\tStart");
    EXPECT_EQ(find<QLineEdit>(5, "txtInputInfo_2")->text(), "Locate");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.FBox.FBoxOutput[4], 101);
    EXPECT_EQ(store.DataSet.GPIO.GPIOInput[3], 103);
}

TEST_F(PageEditing, OptionGroupsKeepExactlyOneCheckedBox) {
    auto* mono = find<ValueCheckBox>(4, "chkMonMode_1");
    QTest::mouseClick(mono, Qt::LeftButton);
    QTest::mouseClick(mono, Qt::LeftButton); // the checked box stays checked
    auto* esam = find<ValueCheckBox>(6, "chkControl_1");
    QTest::mouseClick(find<ValueCheckBox>(6, "chkControl_2"), Qt::LeftButton);
    QTest::mouseClick(esam, Qt::LeftButton);
    QTest::mouseClick(find<ValueCheckBox>(4, "chkPeakmeter_0"), Qt::LeftButton);
    QTest::mouseClick(find<ValueCheckBox>(4, "chkMonAbgriff_0"), Qt::LeftButton);
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Monitor.MonMode, (std::array<qint16, 5>{0, 0, 1, 0, 0}));
    EXPECT_EQ(store.DataSet.Editor.Control, (std::array<qint16, 4>{0, 0, 1, 0}));
    EXPECT_EQ(store.DataSet.Monitor.Peakmeter, (std::array<qint16, 3>{0, 1, 0}));
    EXPECT_EQ(store.DataSet.Monitor.MonAbgriff, (std::array<qint16, 4>{0, 1, 0, 0}));
}

TEST_F(PageEditing, MachineSourceColumnsHoldAtMostOneRow) {
    const MachSourceRows source4 = store.DataSet.Editor.MachSource(4);
    auto* rowA = find<ValueCheckBox>(6, "chkMachSource05_1");
    QTest::mouseClick(rowA, Qt::LeftButton);
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Editor.MachSource(5), (MachSourceRows{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(store.DataSet.Editor.MachSource(4), source4); // other sources untouched
    QTest::mouseClick(rowA, Qt::LeftButton); // clicking the checked box clears the source
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Editor.MachSource(5), (MachSourceRows{0, 0, 0, 0, 0, 0}));
}

TEST_F(PageEditing, SnapshotSwitchesToggleTheirTagImageAndToolTip) {
    build(defaultIni() + "[TabStrip_SnapShot_ENG]\r\nPart01.Button01.ToolTip_ON=one on\r\n"
                         "Part01.Button01.ToolTip_OFF=one off\r\n");
    store.DataSet.SnapShot.SnapShotSwitch1[3] = 0;
    store.DataSet.SnapShot.SnapShotSwitch2[3] = 2;
    pages->RefreshPages();
    auto* bar = find<QToolBar>(7, "ToolbarPart01_2");
    QToolButton* first = SnapShotPage::button(bar, 1);
    QToolButton* second = SnapShotPage::button(bar, 2);
    EXPECT_EQ(first->toolTip(), "one off");
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(first->property("Tag").toString(), "1");
    EXPECT_EQ(SnapShotPage::imageOf(first), 1);
    EXPECT_EQ(first->toolTip(), "one on");
    QTest::mouseClick(second, Qt::LeftButton); // 2 counts as on for the toggle
    EXPECT_EQ(second->property("Tag").toString(), "0");
    EXPECT_EQ(SnapShotPage::imageOf(second), 4);
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch1[3], 1);
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch2[3], 0);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(first->property("Tag").toString(), "0");
    EXPECT_EQ(SnapShotPage::imageOf(first), 2);
    EXPECT_EQ(first->toolTip(), "one off");
}

TEST_F(PageEditing, RequestAndSendButtonsActOnTheirConfiguration) {
    QList<int> requested, sent, commands;
    QStringList logged;
    pages->services.requestConfiguration = [&](int c) {
        requested.append(c);
        return QString();
    };
    pages->services.sendConfiguration = [&](int c) {
        sent.append(c);
        return c == 0 ? QStringLiteral("disk full") : QString();
    };
    pages->services.writeLog = [&](const QString& text) { logged.append(text); };
    pages->services.menuCommand = [&](int c) { commands.append(c); };
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart01_5"), 4),
                      Qt::LeftButton);
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart01_0"), 5),
                      Qt::LeftButton);
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart02_0"), 4),
                      Qt::LeftButton);
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart02_0"), 5),
                      Qt::LeftButton);
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart01_7"), 3),
                      Qt::LeftButton);
    QTest::mouseClick(find<QToolBar>(9, "ToolbarPart01")->findChild<QToolButton*>("Button1"),
                      Qt::LeftButton);
    EXPECT_EQ(requested, (QList<int>{6, 0}));
    EXPECT_EQ(sent, (QList<int>{1, 0}));
    EXPECT_EQ(commands, (QList<int>{108}));
    // Only the failed group send is reported, with the failure's description.
    EXPECT_EQ(logged, (QStringList{"  Transfer failed: disk full"}));
}

TEST_F(PageEditing, RenamedDigitalInputAppearsOnTheLayerPageAtTheTabChange) {
    auto* name = find<QLineEdit>(2, "txtInputDigital_4");
    name->clear();
    QTest::keyClicks(name, "Snare");
    auto* cell = find<AssignBox>(3, "txtInputA_2"); // holds 104
    EXPECT_EQ(cell->text(), "G1ch5");
    pages->TabSelected(3);
    EXPECT_EQ(cell->text(), "Snare");
    EXPECT_EQ(store.DataSet.Name.InputDigitalName[5].trimmedRight(), "Snare");
}

TEST_F(PageEditing, AClearedNameTakesItsDefaultBackAtTheTabChange) {
    store.DataSetDefault.Name.InputDigitalName[2] = QStringLiteral("Factory2");
    store.DataSetDefault.Name.OutputSummenName[2] = QStringLiteral("BusTwo");
    auto* digital = find<QLineEdit>(2, "txtInputDigital_1");
    auto* bus = find<QLineEdit>(2, "txtOutputSummen_1");
    digital->selectAll();
    QTest::keyClick(digital, Qt::Key_Delete);
    bus->selectAll();
    QTest::keyClick(bus, Qt::Key_Backspace);
    ASSERT_TRUE(bus->text().isEmpty());
    pages->TabSelected(4);
    EXPECT_EQ(digital->text(), "Factory2");
    EXPECT_EQ(bus->text(), "BusTwo");
    EXPECT_EQ(ui.lastStatus(), "Blank name of Bus 2 replaced");
}

} // namespace
} // namespace zoz::test

namespace zoz::test {
namespace {

class PageTexts : public PageFixture {
protected:
    void SetUp() override {}

    static QString shippedIni() { return QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini"); }

    void buildWithShipped(const QString& language) {
        QFile file(shippedIni());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        build(file.readAll());
        texts->setLanguage(language);
        switches.Language = language;
        switches.NotDefinedText = texts->message("NotDefined");
        pages.reset();
        pages = std::make_unique<DataPages>(store, switches, *texts, *chooser, nullptr);
    }

    // Every visible caption of the nine pages, by control name.
    QStringList captions() const {
        QStringList all;
        for (int p = 1; p <= 9; ++p) {
            QWidget* page = pages->page(p);
            for (auto* label : page->findChildren<QLabel*>())
                all << label->objectName() + "=" + label->text();
            for (auto* frame : page->findChildren<QGroupBox*>())
                all << frame->objectName() + "=" + frame->title();
            for (auto* box : page->findChildren<QCheckBox*>())
                all << box->objectName() + "=" + box->text();
            for (auto* list : page->findChildren<QComboBox*>())
                for (int i = 0; i < list->count(); ++i)
                    all << list->objectName() + "=" + list->itemText(i);
        }
        return all;
    }
};

// Without texts every caption shows its key; the fixed lists and the control arrays are complete
// and no array has a control beyond its last element.
TEST_F(PageTexts, WithoutTextsKeysFixedListsAndControlArrays) {
    build("[Main]\r\n");
    const struct {
        int page;
        const char* name;
        int count;
        bool readOnly;
    } arrays[] = {{1, "txtStatus", 6, true},       {2, "txtInputDigital", 16, false},
                  {2, "txtInputAnalog", 8, false}, {2, "txtInputAdat", 8, false},
                  {2, "txtInputExtMon", 4, false}, {2, "txtOutputSummen", 4, false},
                  {3, "txtInputA", 6, true},       {3, "txtInputD", 6, true},
                  {4, "txtExtMon", 4, true},       {5, "txtInput", 4, true},
                  {5, "txtOutputInfo", 16, true},  {7, "txtInfoPart01", 8, true},
                  {8, "txtInput", 9, true},        {8, "txtOutputInfo", 9, true}};
    for (const auto& a : arrays) {
        for (int i = 0; i < a.count; ++i) {
            auto* box = find<QLineEdit>(a.page, QString("%1_%2").arg(a.name).arg(i));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isReadOnly(), a.readOnly) << a.name << i;
            EXPECT_TRUE(a.page != 2 || box->maxLength() == 8);
        }
        EXPECT_EQ(
            pages->page(a.page)->findChild<QLineEdit*>(QString("%1_%2").arg(a.name).arg(a.count)),
            nullptr);
    }
    EXPECT_EQ(find<QLineEdit>(9, "txtQPLVersion")->maxLength(), 4);
    EXPECT_EQ(find<QToolButton>(3, "picC_4")->property("Picture").toString(), "dropdown");
    build("[Main]\r\n", true); // the XP look gives every drop-down button the XP picture
    for (int p : {3, 4, 5, 8})
        for (auto* b : pages->page(p)->findChildren<QToolButton*>(QRegularExpression("^pic")))
            EXPECT_EQ(b->property("Picture").toString(), "picXP") << b->objectName().toStdString();
}

// No caption of any page shows a lookup key, in either language.
TEST_F(PageTexts, ShippedSettingsFileHasEveryPageTextInBothLanguages) {
    const QRegularExpression keyLike(
        "=(Part\\d\\d|Label\\d\\d|Row\\.Caption|Col\\.Caption|StartUpConf_Temp|TwoChannels|"
        "FourChannels|NotDefined)");
    for (const QString language : {"GER", "ENG"}) {
        buildWithShipped(language);
        pages->RefreshPages();
        for (const QString& caption : captions())
            EXPECT_FALSE(keyLike.match(caption).hasMatch())
                << language.toStdString() << " " << caption.toStdString();
        // Every row of the pages explains itself (the group file box has no tip of its own).
        for (int p = 2; p <= 8; ++p) {
            for (auto* box : pages->page(p)->findChildren<QLineEdit*>()) {
                if (box->objectName() != "txtInfoPart02_0") {
                    EXPECT_FALSE(box->toolTip().isEmpty())
                        << language.toStdString() << " " << box->objectName().toStdString();
                }
            }
        }
        EXPECT_FALSE(find<QComboBox>(4, "cmbVolume")->itemText(0).trimmed().isEmpty());
        EXPECT_FALSE(switches.NotDefinedText.isEmpty());
        EXPECT_GE(store.lstData[0].size(), 8) << "GPIO input functions";
        EXPECT_GE(store.lstData[1].size(), 8) << "GPIO output functions";
        store.lstData[0].clear();
        store.lstData[1].clear();
    }
}

} // namespace
} // namespace zoz::test

namespace zoz::test {
namespace {

class PagesAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.opened);
        QFile ini(rig.iniPath());
        ASSERT_TRUE(ini.open(QIODevice::Append));
        ini.write("NotDefined=(none)\r\n[GPIO_Input_Data_ENG]\r\n1=Talkback\r\n2=Dim\r\n"
                  "[GPIO_Output_Data_ENG]\r\n1=Red light\r\n2=Tally\r\n");
        ini.close();
        rig.switches.NotDefinedText = rig.texts->message("NotDefined");
        rig.switches.InitDone = true;
        dataFile = std::make_unique<DataFile>(rig.store, rig.switches, *rig.texts, *rig.log, rig.ui,
                                              [] {});
        configFile = std::make_unique<ConfigFile>(*dataFile, *rig.texts, *rig.log, rig.ui);
        decoder = std::make_unique<Decoder>(rig.store, rig.switches, *rig.texts, *rig.log, rig.ui,
                                            configFile->decoderFiles());
        encoder = std::make_unique<Encoder>(rig.store, rig.switches, *rig.texts, *rig.log, rig.ui);
        chooser = std::make_unique<ChooseDialog>(*rig.texts);
        pages = std::make_unique<DataPages>(rig.store, rig.switches, *rig.texts, *chooser, nullptr);
        pages->services.blankNamesReplaced = [this](bool show) {
            rig.store.BlankNames_Replaced(rig.ui, *rig.texts, *rig.log, show);
        };
        rig.ui.onRefresh = [this] { pages->RefreshPages(); };
        rig.ui.onTakeOver = [this] { pages->TakeOverPages(); };
        rig.ui.onNameBox = [this](int g, int i) { return pages->nameBox(g, i); };
        CommandInterpreter::Collaborators c;
        c.interpretHexData = [this](QString& payload) {
            ++decodedBlocks;
            decoder->Interpret_HexData(payload);
        };
        rig.interpreter->setCollaborators(c);
    }

    QWidget* control(int page, const QString& name) {
        QWidget* w = pages->page(page)->findChild<QWidget*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    // A generous answer time: the machine running the suite may be busy.
    LinkRig rig{{{"TimeOut", "10"}}};
    std::unique_ptr<DataFile> dataFile;
    std::unique_ptr<ConfigFile> configFile;
    std::unique_ptr<Decoder> decoder;
    std::unique_ptr<Encoder> encoder;
    std::unique_ptr<ChooseDialog> chooser;
    std::unique_ptr<DataPages> pages;
    int decodedBlocks = 0;
};

TEST_F(PagesAgainstSimulator, ReceiveEditOnThreePagesAndSendGivesTheSimulatorTheEditedBlock) {
    // Receive: 84 "20", the controller answers 85 with its data set.
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x84"
                                                       "20\r")));
    ASSERT_TRUE(rig.transport->WaitForResponse("85"));
    ASSERT_TRUE(LinkRig::spinUntil([this] { return decodedBlocks == 1; }, 3000));
    auto* digital2 = qobject_cast<QLineEdit*>(control(2, "txtInputDigital_1"));
    EXPECT_EQ(digital2->text(), "Dig 02");
    const DataSet received = rig.store.DataSet;

    // Names page: rename digital input 2 by typing.
    digital2->selectAll();
    QTest::keyClicks(digital2, "Snare'");
    // Layer page: cell A of row 1 gets digital input 1 from the chooser.
    chooser->setModalRunner([](ChooseDialog& dialog) {
        QListWidget* list = dialog.lstChoose();
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(Qt::UserRole).toInt() == 100) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(row)).center());
                break;
            }
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    QTest::mouseClick(control(3, "txtInputA_0"), Qt::LeftButton);
    // Editor page: machine source 3 moves to row "D".
    QTest::mouseClick(control(6, "chkMachSource03_4"), Qt::LeftButton);

    DataSet edited = received;
    edited.Name.InputDigitalName[2] = QStringLiteral("Snare");
    edited.Layer.LayerA[1] = 100;
    edited.Editor.MachSource(3) = {0, 0, 0, 0, 0, 1};
    EXPECT_TRUE(rig.store.DataSet == received); // nothing reaches the data set before a take-over

    // Send: take over, 85 "20", the controller answers 86 with the checksum.
    pages->TakeOverPages();
    EXPECT_TRUE(rig.store.DataSet == edited);
    QString frame;
    ASSERT_EQ(encoder->Preparing_DataExchange(frame, "20"), "");
    const QString payload = frame.mid(1, frame.size() - 2);
    rig.interpreter->LastSentChecksum = CalcChecksum(payload);
    ASSERT_TRUE(rig.transport->TransmitData(frame));
    ASSERT_TRUE(rig.transport->WaitForResponse("86"));

    EXPECT_EQ(rig.sim.dump().value("20").toUpper(), payload.toUpper());
    // The block the simulator holds is the received one with exactly the three edits.
    rig.store.DataSet = edited;
    QString expectedFrame;
    ASSERT_EQ(encoder->Preparing_DataExchange(expectedFrame, "20"), "");
    EXPECT_EQ(expectedFrame, frame);
    rig.store.DataSet = received;
    QString receivedFrame;
    ASSERT_EQ(encoder->Preparing_DataExchange(receivedFrame, "20"), "");
    EXPECT_NE(receivedFrame, frame);
}

} // namespace
} // namespace zoz::test
