// The history folder, and the names received configurations are saved under.
#include "files/HistoryStore.h"

#include "dataset/HexCodec.h"
#include "support/DataHarness.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;
using Direction = HistoryEntry::Direction;

namespace {

// Six sets, two in the same second, with Keep 4 and two foreign files beside them: the four newest
// stay byte for byte, listed newest first, the foreign ones listed as unreadable and left alone.
TEST(HistoryStore, KeepsTheNewestByteForByteAndListsThemNewestFirst) {
    DataHarness h;
    QRandomGenerator random(7);
    const QString folder = HistoryStore::folderIn(h.dir.path());
    HistoryStore store(folder);
    QDir().mkpath(folder);
    DataHarness::writeFile(folder + "/2020-01-01_000000_received.DAT", QByteArray(100, 'x'));
    DataHarness::writeFile(folder + "/notes.txt", "mine");
    const QDateTime t0(QDate(2026, 12, 7), QTime(1, 2, 3));
    const std::tuple<int, Direction, QString> writes[] = {
        // seconds after t0
        {0, Direction::Received, "2026-12-07_010203_received.DAT"},
        {0, Direction::Received, "2026-12-07_010203_received_2.DAT"},
        {1, Direction::Sent, "2026-12-07_010204_sent.DAT"},
        {1, Direction::Received, "2026-12-07_010204_received_2.DAT"},
        {2, Direction::Sent, "2026-12-07_010205_sent.DAT"},
        {3, Direction::Received, "2026-12-07_010206_received.DAT"}};
    QList<DataSet> sets;
    for (const auto& [second, direction, name] : writes) {
        sets.append(h.randomDataSet(random, DataSet()));
        QString failure;
        const QString path = store.write(sets.last(), direction, t0.addSecs(second), 4, &failure);
        EXPECT_EQ(QFileInfo(path).fileName(), name) << failure.toStdString();
    }
    const QList<HistoryEntry> entries = store.entries();
    ASSERT_EQ(entries.size(), 6);
    for (int i = 0; i < 6; ++i) { // writes 5, 4, 3, 2, then the two unreadable
        EXPECT_EQ(entries[i].readable, i < 4);
        if (i >= 4)
            continue;
        const auto& [second, direction, name] = writes[5 - i];
        EXPECT_EQ(QFileInfo(entries[i].filePath).fileName(), name);
        EXPECT_EQ(entries[i].direction, direction);
        EXPECT_EQ(entries[i].time, t0.addSecs(second));
        EXPECT_TRUE(entries[i].data == sets[5 - i]);
    }
    EXPECT_TRUE(QFile::exists(folder + "/notes.txt"));
}

// A received configuration asks for its file name: the dialog starts in the program folder (or the
// stored name's folder), a bare name lands there, and a name the data set's Windows-1252 field
// cannot hold is refused and asked again.
TEST(FileNames, ReceivedConfigurationsLandInTheProgramFolderUnderANameTheDataSetCanHold) {
    const QString single = "33" + StrToHex(QString(512, 'k'));
    const QString group = "30" + StrToHex(QString(4096, 'g'));
    const std::tuple<QString, QString, QStringList, QString, QString, int> rows[] = {
        // payload, stored name, names typed, start folder, file written ("" none), refusals
        {single, "", {"bare31.CNS"}, ".", "bare31.CNS", 0},
        {group, "", {"bare30.CNG"}, ".", "bare30.CNG", 0},
        {single, "sub/x.CNS", {"sub/x.CNS"}, "sub", "sub/x.CNS", 0},
        {single, "", {"snap\u0394.CNS", "snap.CNS"}, ".", "snap.CNS", 1},
        {single, "", {"\u4e2d.CNS"}, ".", "", 1},
    };
    for (const auto& [payload, stored, typed, startFolder, written, refusals] : rows) {
        SCOPED_TRACE(typed.first().toStdString());
        DataHarness h;
        QDir(h.dir.path()).mkdir("sub");
        auto& field = payload == group ? h.store.DataSet.SnapShot.SnapShotGroupFile
                                       : h.store.DataSet.SnapShot.SnapShotFile[3];
        field = stored;
        h.ui.fileNames.append(typed);
        QString text = payload;
        h.decoder.Interpret_HexData(text);
        ASSERT_FALSE(h.ui.fileDialogs.isEmpty());
        EXPECT_EQ(QDir(h.ui.fileDialogs.first().folder), QDir(h.path(startFolder)));
        EXPECT_EQ(h.ui.boxes.size(), refusals);
        EXPECT_FALSE(QFile::remove(QDir::current().filePath(typed.first())))
            << "written in the working directory";
        const QString expected = written.isEmpty() ? stored : h.path(written);
        EXPECT_EQ(TrimBlanks(field.text()), expected);
        if (!written.isEmpty()) {
            EXPECT_EQ(QFileInfo(expected).size(), payload.size() / 2 - 1);
            EXPECT_TRUE(h.logText().contains(expected));
        }
    }
}

} // namespace
