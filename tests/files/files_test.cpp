// Data files and configuration files on disk, through the scripted user.
#include "base/CodePage.h"
#include "dataset/DataSetImage.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "support/DataHarness.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

class DataFileTest : public ::testing::Test {
protected:
    DataHarness h;
    QRandomGenerator random{99};

    DataSet someDataSet() { return h.randomDataSet(random, DataSet()); }
    void writeImage(const QString& name, const DataSet& d) {
        DataHarness::writeFile(name, DataSetImage::Write(d));
    }
};

TEST_F(DataFileTest, SavedFileIs2913BytesAndReadsBackIdentical) {
    const DataSet x = someDataSet();
    h.store.DataSet = x;
    const QString name = h.path("setup.DAT");
    h.ui.fileNames.enqueue(name);
    QString current = QStringLiteral("zozedud.Dat");
    EXPECT_TRUE(h.dataFile.WriteDataFile(current));
    EXPECT_EQ(current, name);
    EXPECT_EQ(QFileInfo(name).size(), 2913);
    EXPECT_EQ(h.ui.fileDialogs[0].initialName, "zozedud.Dat");
    EXPECT_EQ(h.ui.fileDialogs[0].extension, "DAT");
    EXPECT_TRUE(h.ui.fileDialogs[0].save);
    EXPECT_EQ(h.ui.lastStatus(), "  WritingData_Ok");
    EXPECT_TRUE(h.logText().contains("  Schreibe " + name));

    h.store.DataSet = DataSet();
    h.store.DataSetDefault = someDataSet();
    h.ui.fileNames.enqueue(name);
    h.ui.answers.enqueue(MsgAnswer::Yes); // QueryReadData
    EXPECT_TRUE(h.dataFile.ReadDataFile(current, false));
    EXPECT_TRUE(h.store.DataSet == x);
    EXPECT_EQ(h.ui.boxes.last().text, name + " laden?");
    EXPECT_EQ(h.ui.boxes.last().icon, MsgIcon::Critical);
    EXPECT_EQ(h.ui.boxes.last().title, "VX418 ZozEdud");
    // Reset to the reference copy first, then the file over it.
    EXPECT_EQ(h.ui.events.filter("refresh").size(), 1);
    EXPECT_EQ(h.ui.lastStatus(), "  ReadingData_Ok");
    EXPECT_FALSE(h.ui.busy);
}

TEST_F(DataFileTest, OverwriteRefusedLeavesFileAndName) {
    const QString name = h.path("old.DAT");
    DataHarness::writeFile(name, "keep");
    h.ui.fileNames.enqueue(name);
    h.ui.answers.enqueue(MsgAnswer::No);
    QString current = QStringLiteral("before.DAT");
    EXPECT_FALSE(h.dataFile.WriteDataFile(current));
    EXPECT_EQ(current, "before.DAT");
    EXPECT_EQ(DataHarness::readFile(name), "keep");
    ASSERT_EQ(h.ui.boxes.size(), 1);
    EXPECT_EQ(h.ui.boxes[0].text, name + " ersetzen?");
    EXPECT_EQ(h.ui.boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(h.ui.boxes[0].icon, MsgIcon::Question);

    h.ui.fileNames.enqueue(name);
    h.ui.answers.enqueue(MsgAnswer::Yes);
    EXPECT_TRUE(h.dataFile.WriteDataFile(current));
    EXPECT_EQ(QFileInfo(name).size(), 2913);
}

TEST_F(DataFileTest, VersionConflictText) {
    EXPECT_EQ(DataFile::VersionConflictText("C:\\a.DAT"),
              QStringLiteral("Versionskonflikt: Die Datei 'C:\\a.DAT ' kann nicht gelesen werden "
                             "(Datei = '3 oder h\u00f6her' <> Programm = '2').\r\n\r\n"
                             "Version conflict: The file 'C:\\a.DAT ' cannot be read "
                             "(file = '3 or higher' <> program = '2').\r\n\r\n"));
}

TEST_F(DataFileTest, WrongLengthIsRefusedAndChangesNothing) {
    const DataSet x = someDataSet();
    h.store.DataSet = x;
    for (int size : {2912, 2914, 0}) {
        const QString name = h.path(QStringLiteral("v%1.DAT").arg(size));
        DataHarness::writeFile(name, QByteArray(size, '\x41'));
        h.ui.fileNames.enqueue(name);
        QString current = QStringLiteral("current.DAT");
        EXPECT_FALSE(h.dataFile.ReadDataFile(current, false));
        EXPECT_TRUE(h.store.DataSet == x);
        ASSERT_FALSE(h.ui.boxes.isEmpty());
        EXPECT_EQ(h.ui.boxes.last().text, DataFile::VersionConflictText(name));
        EXPECT_EQ(h.ui.boxes.last().icon, MsgIcon::Exclamation);
        EXPECT_EQ(h.ui.boxes.last().title, "zozedud");
        EXPECT_TRUE(h.logText().contains(DataFile::VersionConflictGerman(name) + "\r\n"));
    }
    EXPECT_EQ(h.ui.boxes.size(), 3); // never asked QueryReadData
    EXPECT_EQ(h.ui.refreshCount, 0);
}

TEST_F(DataFileTest, OpenDialogRefusesAMissingFile) {
    const QString name = h.path("missing.DAT");
    h.ui.fileNames.enqueue(name);
    EXPECT_EQ(h.dataFile.FileOpenDialog("x", FileKind::Data), "");
    EXPECT_EQ(h.ui.boxes.last().text, name + " nicht gefunden");
    EXPECT_EQ(h.ui.boxes.last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(h.ui.fileDialogs.last().save, false);
    // Cancelling keeps the old name quietly.
    QString current = QStringLiteral("old.DAT");
    EXPECT_FALSE(h.dataFile.ReadDataFile(current, false));
    EXPECT_EQ(current, "old.DAT");
    EXPECT_EQ(h.ui.boxes.size(), 1);
}

// A save that fails on the way must not destroy the previous file.
TEST_F(DataFileTest, FailedSaveKeepsTheOldFile) {
    const QString name = h.path("safe.DAT");
    const DataSet old = someDataSet();
    writeImage(name, old);
    h.store.DataSet = someDataSet();

    // Tests run as root: a file size limit makes the write fail for real.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 2000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    h.ui.fileNames.enqueue(name);
    h.ui.answers.enqueue(MsgAnswer::Yes);
    QString current;
    const bool written = h.dataFile.WriteDataFile(current);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(DataHarness::readFile(name), DataSetImage::Write(old));
    ASSERT_EQ(h.ui.boxes.size(), 2);
    EXPECT_TRUE(h.ui.boxes[1].text.startsWith("  Fehler "));
    EXPECT_TRUE(h.ui.boxes[1].text.endsWith(" beim Schreiben von " + name));
    EXPECT_GT(h.ui.boxes[1].text.size(),
              QString("  Fehler  beim Schreiben von ").size() + name.size());
    EXPECT_EQ(h.ui.boxes[1].title, "zozedud");
    EXPECT_FALSE(h.ui.busy);
    EXPECT_EQ(QDir(h.dir.path()).entryList({"safe*"}, QDir::Files), QStringList{"safe.DAT"});
}

TEST_F(DataFileTest, SaveBelowARegularFileReportsTheSystemError) {
    DataHarness::writeFile(h.path("plain"), "x");
    const QString name = h.path("plain/sub.DAT");
    h.ui.fileNames.enqueue(name);
    QString current;
    EXPECT_FALSE(h.dataFile.WriteDataFile(current));
    ASSERT_EQ(h.ui.boxes.size(), 1);
    EXPECT_TRUE(h.logText().contains(h.ui.boxes[0].text));
    EXPECT_TRUE(h.ui.boxes[0].text.endsWith(" beim Schreiben von " + name));
}

TEST_F(DataFileTest, ResetAsksAndReturnsToTheReferenceCopy) {
    h.store.DataSetDefault = someDataSet();
    h.store.DataSet = someDataSet();
    const DataSet edited = h.store.DataSet;
    h.dataFile.ResetDataSet(false, false); // no answer: No
    EXPECT_TRUE(h.store.DataSet == edited);
    EXPECT_EQ(h.ui.boxes[0].text, "QueryDataReset");
    h.ui.answers.enqueue(MsgAnswer::Yes);
    h.dataFile.ResetDataSet(false, false);
    EXPECT_TRUE(h.store.DataSet == h.store.DataSetDefault);
    EXPECT_EQ(h.ui.lastStatus(), "Zurueckgesetzt");
    EXPECT_EQ(h.ui.refreshCount, 1);
}

TEST_F(DataFileTest, DefaultFileBecomesTheReferenceCopyWithoutQuestions) {
    DataSet file = someDataSet();
    file.Name.OutputSummenName[1] = QStringLiteral("Bus A");
    writeImage(h.switches.DefaultDataFile, file);
    h.ui.onNameBox = [&](int group, int index) {
        return NameBox{h.store.DataSet.ChannelName(group, index).text(), QString()};
    };
    h.dataFile.ResetDataSet(true, true);
    EXPECT_EQ(h.endProgramCalls, 0);
    EXPECT_TRUE(h.store.DataSet == file);
    EXPECT_TRUE(h.store.DataSetDefault == file);
    EXPECT_TRUE(h.ui.boxes.isEmpty());
    EXPECT_TRUE(h.ui.fileDialogs.isEmpty());
    EXPECT_FALSE(h.ui.statusTexts.contains("  ReadingData_Ok"));
}

TEST_F(DataFileTest, UnreadableDefaultFileEndsTheProgram) {
    DataHarness::writeFile(h.switches.DefaultDataFile, QByteArray(100, '\0'));
    h.store.DataSetDefault = someDataSet();
    const DataSet before = h.store.DataSetDefault;
    h.dataFile.ResetDataSet(true, true);
    EXPECT_EQ(h.endProgramCalls, 1);
    EXPECT_TRUE(h.store.DataSetDefault == before);

    QFile::remove(h.switches.DefaultDataFile);
    h.dataFile.ResetDataSet(true, true);
    EXPECT_EQ(h.endProgramCalls, 2);
    EXPECT_EQ(h.ui.boxes.last().text, "  " + h.switches.DefaultDataFile + " nicht lesbar");
}

} // namespace

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
