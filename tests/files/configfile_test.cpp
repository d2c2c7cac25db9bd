#include "files/ConfigFile.h"

#include "support/DataHarness.h"

#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

class ConfigFileTest : public ::testing::Test {
protected:
    DataHarness h;
    ConfigBlock single;
    ConfigGroup group;
};

TEST_F(ConfigFileTest, SingleAndGroupFilesHaveTheirFixedSizes) {
    single = QStringLiteral("Szene \u00e4");
    for (int j = 1; j <= 8; ++j)
        group[j] = QString(512, QChar('0' + j));
    QString name = h.path("one.CNS");
    EXPECT_TRUE(h.configFile.WriteConfigFile(name, 4, single, group, false));
    EXPECT_EQ(DataHarness::readFile(name), QByteArray("Szene \xe4") + QByteArray(505, ' '));
    EXPECT_TRUE(h.ui.fileDialogs.isEmpty());
    EXPECT_EQ(h.ui.lastStatus(), "WritingConfig_Ok");

    QString groupName = h.path("all.CNG");
    EXPECT_TRUE(h.configFile.WriteConfigFile(groupName, 0, single, group, false));
    const QByteArray bytes = DataHarness::readFile(groupName);
    ASSERT_EQ(bytes.size(), 4096);
    EXPECT_EQ(bytes.mid(0, 512), QByteArray(512, '1'));
    EXPECT_EQ(bytes.mid(3584), QByteArray(512, '8'));

    ConfigBlock readSingle;
    ConfigGroup readGroup;
    h.ui.fileNames.enqueue(name);
    h.ui.fileNames.enqueue(groupName);
    QString n1, n2;
    EXPECT_TRUE(h.configFile.ReadConfigFile(n1, 4, readSingle, readGroup));
    EXPECT_TRUE(h.configFile.ReadConfigFile(n2, 0, readSingle, readGroup));
    EXPECT_EQ(readSingle, single);
    EXPECT_EQ(readGroup, group);
    EXPECT_EQ(n2, groupName);
    EXPECT_EQ(h.ui.fileDialogs[0].extension, "CNS");
    EXPECT_EQ(h.ui.fileDialogs[1].extension, "CNG");
    EXPECT_FALSE(h.ui.fileDialogs[1].save);
    EXPECT_EQ(h.ui.lastStatus(), "ReadingConfig_Ok");
    EXPECT_FALSE(h.ui.busy);
}

TEST_F(ConfigFileTest, ShortFileFillsTheRestWithBlanksLongFileIsCut) {
    const QString shortName = h.path("short.CNG");
    DataHarness::writeFile(shortName, QByteArray(600, 'x'));
    for (auto& block : group)
        block = QStringLiteral("stale");
    h.ui.fileNames.enqueue(shortName);
    QString name;
    EXPECT_TRUE(h.configFile.ReadConfigFile(name, 0, single, group));
    EXPECT_EQ(group[1].text(), QString(512, 'x'));
    EXPECT_EQ(group[2].text(), QString(88, 'x') + QString(424, ' '));
    EXPECT_EQ(group[8].text(), QString(512, ' '));

    const QString longName = h.path("long.CNS");
    DataHarness::writeFile(longName, QByteArray(512, 'a') + "tail");
    h.ui.fileNames.enqueue(longName);
    EXPECT_TRUE(h.configFile.ReadConfigFile(name, 2, single, group));
    EXPECT_EQ(single.text(), QString(512, 'a'));
}

TEST_F(ConfigFileTest, CancelKeepsNameAndBuffers) {
    single = QStringLiteral("keep");
    QString name = QStringLiteral("old.CNS");
    EXPECT_FALSE(h.configFile.ReadConfigFile(name, 1, single, group));
    EXPECT_EQ(name, "old.CNS");
    EXPECT_EQ(single.text().trimmed(), "keep");
    EXPECT_FALSE(h.configFile.WriteConfigFile(name, 1, single, group, true));
    EXPECT_EQ(name, "old.CNS");
    EXPECT_EQ(h.ui.fileDialogs.size(), 2);
    EXPECT_EQ(h.ui.fileDialogs[1].initialName, "old.CNS");
    EXPECT_TRUE(h.ui.fileDialogs[1].save);
}

TEST_F(ConfigFileTest, FailedWriteKeepsThePreviousFile) {
    QString name = h.path("cfg.CNS");
    DataHarness::writeFile(name, "previous");
    // The name proposed in the save dialog is a folder: the rename over it fails.
    QString folder = h.path("folder.CNS");
    QDir(h.dir.path()).mkdir("folder.CNS");
    EXPECT_FALSE(h.configFile.WriteConfigFile(folder, 3, single, group, false));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    ASSERT_EQ(h.ui.boxes.size(), 1);
    EXPECT_TRUE(h.ui.boxes[0].text.endsWith(" beim Schreiben von " + folder));
    EXPECT_EQ(DataHarness::readFile(name), "previous");
}

} // namespace
