#include "dataset/DataStore.h"

#include "dataset/DataSetImage.h"
#include "support/DataHarness.h"

#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

TEST(DataStoreTest, InitDataSetSetsTheMachineSourceZigZagInBothCopies) {
    DataHarness h;
    h.store.InitDataSet(h.ui);
    const DataSet& d = h.store.DataSet;
    const int rows[13] = {0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4};
    for (int s = 1; s <= 12; ++s) {
        for (int r = 1; r <= 5; ++r)
            EXPECT_EQ(d.Editor.MachSource(s)[r], r == rows[s] ? 1 : 0) << s << " " << r;
    }
    EXPECT_TRUE(h.store.DataSetDefault == d);
    // Nothing else is touched: 60 flag bytes at 484, 12 of them set.
    const QByteArray image = DataSetImage::Write(d);
    EXPECT_EQ(image.left(484), QByteArray(484, '\0'));
    EXPECT_EQ(image.mid(484, 60).count('\1'), 12);
    EXPECT_EQ(image.mid(544), QByteArray(2913 - 544, '\0'));
    EXPECT_EQ(h.ui.events, QStringList{"refresh"});
}

class BlankNamesTest : public ::testing::Test {
protected:
    DataHarness h;
    QHash<int, QString> page; // group * 100 + index -> box text

    void SetUp() override {
        for (int g = 1; g <= 5; ++g) {
            for (int i = 1; i <= DataSet::GroupSize[g]; ++i) {
                const QString name = QStringLiteral("N%1-%2").arg(g).arg(i);
                h.store.DataSet.ChannelName(g, i) = name;
                h.store.DataSetDefault.ChannelName(g, i) = QStringLiteral("Def%1-%2").arg(g).arg(i);
                page[g * 100 + i] = name;
            }
        }
        h.ui.onNameBox = [this](int group, int index) {
            return NameBox{page.value(group * 100 + index),
                           QStringLiteral("Tip %1/%2").arg(group).arg(index)};
        };
    }
};

TEST_F(BlankNamesTest, ABlankBusNameOnThePageIsReplacedQuietly) {
    page[502] = QStringLiteral("    ");
    page[203] = QStringLiteral("Neu  "); // the page's text is taken over, trailing blanks removed
    EXPECT_TRUE(h.store.BlankNames_Replaced(h.ui, h.texts, h.log, false));
    EXPECT_EQ(h.store.DataSet.Name.OutputSummenName[2].text(), "Def5-2  ");
    EXPECT_EQ(h.store.DataSet.Name.InputAnalogName[3].text(), "Neu     ");
    EXPECT_TRUE(h.logText().contains(">  Leerer Name bei Tip 5/2 ersetzt\r\n"));
    EXPECT_EQ(h.logText().count("Leerer Name"), 1);
    EXPECT_TRUE(h.ui.statusTexts.isEmpty());
}

TEST_F(BlankNamesTest, DigitalNamesAreExaminedAsTheyStandInTheDataSet) {
    page[101] = QString(); // blanked on the page, not yet taken over
    h.store.DataSet.Name.InputDigitalName[16] = QStringLiteral(" ");
    h.store.BlankNames_Replaced(h.ui, h.texts, h.log, true);
    EXPECT_EQ(h.store.DataSet.Name.InputDigitalName[1].text(), "N1-1    ");
    EXPECT_EQ(h.store.DataSet.Name.InputDigitalName[16].text(), "Def1-16 ");
    EXPECT_EQ(h.ui.statusTexts, QStringList{"Leerer Name bei Tip 1/16 ersetzt"});
}

TEST_F(BlankNamesTest, NothingReplacedClearsTheStatusBarWhenShown) {
    h.store.BlankNames_Replaced(h.ui, h.texts, h.log, true);
    EXPECT_EQ(h.ui.statusTexts, QStringList{""});
    h.store.BlankNames_Replaced(h.ui, h.texts, h.log, false);
    EXPECT_EQ(h.ui.statusTexts.size(), 1);
}

TEST(GpioListsTest, FromTheSettingsFileInKeyOrder) {
    DataHarness h; // its settings file defines both lists; the constructor loaded them
    const auto& inputs = h.store.lstData[DataStore::GpioInputList];
    ASSERT_EQ(inputs.size(), DataHarness::InputKeys.size());
    EXPECT_EQ(inputs[0].text, "1|In 1");
    EXPECT_EQ(inputs[0].itemData, 100);
    EXPECT_EQ(inputs[1].text, "5|In 5");
    EXPECT_EQ(inputs[1].itemData, 101);
    EXPECT_EQ(inputs[2].itemData, 102);
    EXPECT_EQ(h.store.lstData[DataStore::GpioOutputList][1].text, "300|Out 300");
}

TEST(GpioListsTest, FromASeparateDefinitionFileAndNotReloaded) {
    DataHarness h;
    h.store.lstData[DataStore::GpioInputList].clear();
    DataHarness::writeFile(h.switches.IniFileName, "[Main]\r\nGPIO_Input_DataDef = gpio.def\r\n"
                                                   "[GPIO_Input_Data_GER]\r\n1=not this one\r\n");
    DataHarness::writeFile(h.path("gpio.def"),
                           "[Data_ENG]\r\n9=Nine\r\n"
                           "[Data_GER]\r\n1=Eins\r\n5=F\u00fcnf\r\n7=Sieben\r\n");
    h.store.LoadGPIOLists(h.switches);
    const auto& inputs = h.store.lstData[DataStore::GpioInputList];
    ASSERT_EQ(inputs.size(), 3);
    EXPECT_EQ(inputs[2].text, "7|Sieben");
    EXPECT_EQ(inputs[2].itemData, 102);
    // The output list was filled before and stays as it was.
    EXPECT_EQ(h.store.lstData[DataStore::GpioOutputList].size(), DataHarness::OutputKeys.size());

    DataHarness::writeFile(h.path("gpio.def"), "[Data_GER]\r\n2=Zwei\r\n");
    h.store.LoadGPIOLists(h.switches);
    EXPECT_EQ(h.store.lstData[DataStore::GpioInputList].size(), 3);
}

TEST(GpioListsTest, MissingDefinitionFileGivesEmptyLists) {
    DataHarness h;
    h.store.lstData = {};
    DataHarness::writeFile(
        h.switches.IniFileName,
        "[Main]\r\nGPIO_Input_DataDef=none.def\r\nGPIO_Output_DataDef=none.def\r\n");
    h.store.LoadGPIOLists(h.switches);
    EXPECT_TRUE(h.store.lstData[0].isEmpty());
    EXPECT_TRUE(h.store.lstData[1].isEmpty());
}

} // namespace
