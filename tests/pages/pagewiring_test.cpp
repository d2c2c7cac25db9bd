// The pages in the running program: start-up refreshes them from the default data file, the core
// reaches them through the user interface, and their texts come from the settings file.
#include "dataset/DataSetImage.h"
#include "pages/AssignBox.h"
#include "pages/DataPage.h"
#include "support/SimProcess.h"
#include "ui/Application.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zoz {
namespace {

TEST(PageWiring, StartUpShowsTheDefaultDataFileOnThePages) {
    QTemporaryDir dir;
    test::SimProcess sim; // the port that start-up sets up
    {
        QFile ini(dir.filePath("zozedud.Ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Main]\r\nLanguage=ENG\r\nLoadAtStartup_Default=default.DAT\r\nDebug=yes\r\n"
                  "RequestStatus=no\r\nRequestData=no\r\n"
                  "[Messages_ENG]\r\nNotDefined=(free)\r\n"
                  "[TabStrip_Name_ENG]\r\nPart02.Label01=Analog 1-2\r\nPart02.ToolTip01=Mic one\r\n"
                  "[Comm]\r\nPort=" +
                  sim.device().toLocal8Bit() + "\r\n");
        DataSet data;
        for (int g = 1; g <= DataSet::GroupCount; ++g)
            for (int i = 1; i <= DataSet::GroupSize[g]; ++i)
                data.ChannelName(g, i) = QStringLiteral("N%1.%2").arg(g).arg(i);
        data.Layer.LayerB[1] = 201;
        data.Layer.LayerB[2] = 0;
        QFile dat(dir.filePath("default.DAT"));
        ASSERT_TRUE(dat.open(QIODevice::WriteOnly));
        dat.write(DataSetImage::Write(data));
    }
    int terminated = 0;
    Application app({dir.filePath("zozedud"), [&terminated] { ++terminated; }});
    app.Main();
    ASSERT_TRUE(app.switches().InitDone);
    ASSERT_EQ(terminated, 0);

    DataPages& pages = app.pages();
    EXPECT_EQ(pages.page(2)->findChild<QLabel*>("lblPart02_0")->text(), "Analog 1-2");
    EXPECT_EQ(pages.page(2)->findChild<QLineEdit*>("txtInputAdat_7")->text(), "N3.8");
    EXPECT_EQ(pages.page(3)->findChild<AssignBox*>("txtInputB_0")->text(), "N2.2");
    EXPECT_EQ(pages.page(3)->findChild<AssignBox*>("txtInputB_1")->text(), "(free)");

    // The core reads the Names page through the user interface.
    pages.page(2)->findChild<QLineEdit*>("txtInputAnalog_0")->setText("Typed");
    const NameBox box = app.ui().nameBox(2, 1);
    EXPECT_EQ(box.text, "Typed");
    EXPECT_EQ(box.toolTip, "Mic one");

    // Taking over through the interface reaches the program's data set.
    app.ui().takeOverPages();
    EXPECT_EQ(app.dataStore().DataSet.Name.InputAnalogName[1].trimmedRight(), "Typed");
    app.dataStore().DataSet.Layer.LayerA[6] = 115;
    app.ui().refreshPages();
    EXPECT_EQ(pages.page(3)->findChild<AssignBox*>("txtInputA_5")->text(), "N1.16");
}

} // namespace
} // namespace zoz
