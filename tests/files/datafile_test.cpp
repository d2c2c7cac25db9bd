#include "files/DataFile.h"

#include "base/CodePage.h"
#include "dataset/DataSetImage.h"
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
