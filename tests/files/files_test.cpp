// Data files and configuration files on disk, through the scripted user.
#include "dataset/DataSetImage.h"
#include "support/DataHarness.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

// Saving asks before replacing a file and writes the 2913-byte image; reading asks, resets to the
// reference copy and gives the saved set back.
TEST(DataFileTest, SaveAndRead) {
    DataHarness h;
    QRandomGenerator random(99);
    const DataSet x = h.randomDataSet(random, DataSet());
    h.store.DataSet = x;
    const QString name = h.path("setup.DAT");
    DataHarness::writeFile(name, "keep");
    h.ui.fileNames.append({name, name});
    h.ui.answers.append({MsgAnswer::No, MsgAnswer::Yes});
    QString current = QStringLiteral("zozedud.Dat");
    EXPECT_FALSE(h.dataFile.WriteDataFile(current));
    EXPECT_EQ(current, "zozedud.Dat");
    EXPECT_EQ(DataHarness::readFile(name), "keep");
    EXPECT_EQ(h.ui.boxes[0].text, "QueryOverwrite");
    EXPECT_EQ(h.ui.boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(h.dataFile.WriteDataFile(current));
    EXPECT_EQ(current, name);
    EXPECT_EQ(DataHarness::readFile(name), DataSetImage::Write(x));
    EXPECT_TRUE(h.logText().contains("  Schreibe " + name));

    h.store.DataSet = DataSet();
    h.store.DataSetDefault = h.randomDataSet(random, DataSet());
    h.ui.fileNames.enqueue(name);
    h.ui.answers.enqueue(MsgAnswer::Yes);
    EXPECT_TRUE(h.dataFile.ReadDataFile(current, ReadFlag::Dialog));
    EXPECT_TRUE(h.store.DataSet == x);
    EXPECT_EQ(h.ui.boxes.last().text, "QueryReadData");
    EXPECT_EQ(h.ui.refreshCount, 1); // the reset to the reference copy, then the file over it
    EXPECT_FALSE(h.ui.busy);

    // A file of another size than 2913 bytes, or none, is refused before any question and changes
    // nothing; a cancelled dialog keeps the old name quietly.
    for (int size : {2912, 2914, 0, -1, -2}) { // -1: no such file, -2: the dialog cancelled
        const QString name = h.path(QStringLiteral("v%1.DAT").arg(size));
        if (size >= 0)
            DataHarness::writeFile(name, QByteArray(size, 'A'));
        if (size != -2)
            h.ui.fileNames.enqueue(name);
        const qsizetype boxes = h.ui.boxes.size();
        current = QStringLiteral("current.DAT");
        EXPECT_FALSE(h.dataFile.ReadDataFile(current, ReadFlag::Dialog));
        EXPECT_EQ(current, size >= 0 ? name : "current.DAT");
        EXPECT_TRUE(h.store.DataSet == x);
        ASSERT_EQ(h.ui.boxes.size(), boxes + (size == -2 ? 0 : 1)) << size;
        if (size == -2)
            continue;
        EXPECT_EQ(h.ui.boxes.last().text,
                  size >= 0 ? DataFile::VersionConflictText(name) : name + " nicht gefunden");
        EXPECT_EQ(h.logText().contains(DataFile::VersionConflictGerman(name) + "\r\n"), size >= 0);
    }
    EXPECT_EQ(h.ui.refreshCount, 1);
    EXPECT_EQ(DataFile::VersionConflictText("C:\\a.DAT"),
              QStringLiteral("Versionskonflikt: Die Datei 'C:\\a.DAT ' kann nicht gelesen werden "
                             "(Datei = '3 oder h\u00f6her' <> Programm = '2').\r\n\r\n"
                             "Version conflict: The file 'C:\\a.DAT ' cannot be read "
                             "(file = '3 or higher' <> program = '2').\r\n\r\n"));

    // Reset asks (no answer is No) and returns to the reference copy.
    h.dataFile.ResetDataSet(ResetFlag::Ask);
    EXPECT_TRUE(h.store.DataSet == x);
    EXPECT_EQ(h.ui.boxes.last().text, "QueryDataReset");
    h.ui.answers.enqueue(MsgAnswer::Yes);
    h.dataFile.ResetDataSet(ResetFlag::Ask);
    EXPECT_TRUE(h.store.DataSet == h.store.DataSetDefault);
    EXPECT_EQ(h.ui.refreshCount, 2);

    // At start-up the default file becomes the reference copy without questions; an unreadable or
    // missing one ends the program.
    const DataSet reference = h.store.DataSetDefault;
    for (const bool present : {true, false}) {
        QFile::remove(h.switches.DefaultDataFile);
        if (present)
            DataHarness::writeFile(h.switches.DefaultDataFile, QByteArray(100, '\0'));
        EXPECT_FALSE(h.dataFile.ResetDataSet(ResetFlag::NoQuery | ResetFlag::ReadDefaultFile));
        EXPECT_TRUE(h.store.DataSetDefault == reference);
    }
    EXPECT_EQ(h.ui.boxes.last().text, "  " + h.switches.DefaultDataFile + " nicht lesbar");
    h.ui.boxes.clear();
    h.ui.fileDialogs.clear();
    h.ui.statusTexts.clear();
    h.ui.onNameBox = [&h](int group, int index) {
        return NameBox{h.store.DataSet.ChannelName(group, index).text(), QString()};
    };
    const DataSet file = h.randomDataSet(random, DataSet());
    DataHarness::writeFile(h.switches.DefaultDataFile, DataSetImage::Write(file));
    EXPECT_TRUE(h.dataFile.ResetDataSet(ResetFlag::NoQuery | ResetFlag::ReadDefaultFile));
    EXPECT_TRUE(h.store.DataSet == file);
    EXPECT_TRUE(h.store.DataSetDefault == file);
    EXPECT_TRUE(h.ui.boxes.isEmpty() && h.ui.fileDialogs.isEmpty()) << "a question at start-up";
    EXPECT_EQ(h.ui.statusTexts, QStringList({"ReadingData", "", "", "ResetDone"}));

    // The file cut short by someone else after the size check: a read error, logged and shown.
    h.ui.onRefresh = [&] { DataHarness::writeFile(name, "cut"); };
    h.ui.fileNames.enqueue(name);
    h.ui.answers.enqueue(MsgAnswer::Yes);
    EXPECT_FALSE(h.dataFile.ReadDataFile(current, ReadFlag::Dialog));
    EXPECT_EQ(h.ui.boxes.last().text, "  ReadFromDisk_Err");
    EXPECT_TRUE(h.logText().endsWith("  ReadFromDisk_Err\r\n"));
}

// A save that fails on the way (the file size limit reached, a path below a file, a folder in the
// way) keeps the previous file, leaves nothing behind and reports the system's reason.
TEST(DataFileTest, FailedSavesKeepThePreviousFile) {
    enum Case { SizeLimit, BelowAFile, ConfigOverAFolder };
    for (Case c : {SizeLimit, BelowAFile, ConfigOverAFolder}) {
        DataHarness h;
        const QByteArray old(DataSetImage::Size, 'o');
        DataHarness::writeFile(h.path("safe.DAT"), old);
        QDir(h.dir.path()).mkdir("folder.CNS");
        QString name = h.path(c == SizeLimit    ? "safe.DAT"
                              : c == BelowAFile ? "safe.DAT/sub.DAT"
                                                : "folder.CNS");
        h.ui.fileNames.enqueue(name);
        h.ui.answers.enqueue(MsgAnswer::Yes); // replace it
        // Tests run as root: a file size limit makes the write fail for real.
        struct rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        const struct rlimit limit { c == SizeLimit ? 2000 : saved.rlim_cur, saved.rlim_max };
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not the end of the test
        setrlimit(RLIMIT_FSIZE, &limit);
        QString current;
        const bool written = c == ConfigOverAFolder
                                 ? h.configFile.WriteConfigFile(name, 3, {}, {}, false)
                                 : h.dataFile.WriteDataFile(current);
        setrlimit(RLIMIT_FSIZE, &saved);

        EXPECT_FALSE(written) << c;
        EXPECT_EQ(DataHarness::readFile(h.path("safe.DAT")), old);
        EXPECT_EQ(QDir(h.dir.path()).entryList({"safe*", "folder*"}),
                  QStringList({"folder.CNS", "safe.DAT"}));
        ASSERT_FALSE(h.ui.boxes.isEmpty());
        const auto& box = h.ui.boxes.last();
        const QRegularExpression failure("^  Fehler .+ beim Schreiben von " +
                                         QRegularExpression::escape(name) + "$");
        EXPECT_TRUE(failure.match(box.text).hasMatch()) << box.text.toStdString();
        EXPECT_TRUE(h.logText().contains(box.text));
        EXPECT_FALSE(h.ui.busy);
    }
}

// A single configuration file holds 512 Windows-1252 bytes, a group file 4096; a short file reads
// blank-filled, a long one cut; a cancelled dialog keeps the name and the buffers.
TEST(ConfigFileTest, FixedSizesBothWays) {
    DataHarness h;
    ConfigBlock single(QStringLiteral("Szene \u00e4"));
    ConfigGroup group;
    for (int j = 1; j <= 8; ++j)
        group[j] = QString(512, QChar('0' + j));
    QString name = h.path("one.CNS");
    EXPECT_TRUE(h.configFile.WriteConfigFile(name, 4, single, group, false));
    EXPECT_EQ(DataHarness::readFile(name), QByteArray("Szene \xe4") + QByteArray(505, ' '));
    QString groupName = h.path("all.CNG");
    EXPECT_TRUE(h.configFile.WriteConfigFile(groupName, 0, single, group, false));
    EXPECT_EQ(DataHarness::readFile(groupName).size(), 4096);
    EXPECT_TRUE(DataHarness::readFile(groupName).startsWith(QByteArray(512, '1') + '2'));
    EXPECT_TRUE(h.ui.fileDialogs.isEmpty());

    ConfigBlock readSingle;
    ConfigGroup readGroup;
    h.ui.fileNames.append({name, groupName});
    QString n1, n2;
    EXPECT_TRUE(h.configFile.ReadConfigFile(n1, 4, readSingle, readGroup));
    EXPECT_TRUE(h.configFile.ReadConfigFile(n2, 0, readSingle, readGroup));
    EXPECT_EQ(readSingle, single);
    EXPECT_EQ(readGroup, group);
    EXPECT_EQ(n2, groupName);
    EXPECT_TRUE(h.logText().contains("Lese " + groupName)); // the log names the file read
    EXPECT_FALSE(h.ui.busy);
    EXPECT_EQ(h.ui.statusTexts.mid(h.ui.statusTexts.size() - 2),
              QStringList({"ReadingConfig", "ReadingConfig_Ok"}));

    DataHarness::writeFile(groupName, QByteArray(600, 'x'));
    DataHarness::writeFile(name, QByteArray(512, 'a') + "tail");
    h.ui.fileNames.append({groupName, name});
    EXPECT_TRUE(h.configFile.ReadConfigFile(n2, 0, readSingle, readGroup));
    EXPECT_EQ(readGroup[2].text(), QString(88, 'x') + QString(424, ' '));
    EXPECT_EQ(readGroup[8].text(), QString(512, ' '));
    EXPECT_TRUE(h.configFile.ReadConfigFile(n1, 2, readSingle, readGroup));
    EXPECT_EQ(readSingle.text(), QString(512, 'a'));

    n1 = QStringLiteral("old.CNS");
    EXPECT_FALSE(h.configFile.ReadConfigFile(n1, 1, readSingle, readGroup));
    EXPECT_FALSE(h.configFile.WriteConfigFile(n1, 1, readSingle, readGroup, true));
    EXPECT_EQ(n1, "old.CNS");
    EXPECT_EQ(readSingle.text(), QString(512, 'a'));
}

} // namespace
