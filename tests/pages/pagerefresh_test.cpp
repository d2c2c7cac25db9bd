// Data set -> pages -> data set, and what the pages show for the values they hold.
#include "PageFixture.h"

#include "pages/AssignBox.h"
#include "pages/DataPage.h"
#include "pages/SnapShotPage.h"
#include "pages/ValueCheckBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QToolBar>
#include <QToolButton>

namespace zoz::test {
namespace {

using PageRefresh = PageFixture;

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
}

} // namespace
} // namespace zoz::test
