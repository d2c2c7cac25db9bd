// The history folder, and the names received configurations are saved under.
#include "files/HistoryStore.h"

#include "dataset/HexCodec.h"
#include "support/DataHarness.h"
#include "support/LimitedChild.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

// Five sets (seconds after t0), Keep 2 per direction, two foreign files: the oldest receive goes,
// the sends stay; the rest byte for byte, newest first; the foreign ones unreadable, left alone.
TEST(HistoryStore, KeepsTheNewestByteForByteAndListsThemNewestFirst) {
    DataHarness h;
    QRandomGenerator random(7);
    const QString folder = HistoryStore::folderIn(h.dir.path());
    HistoryStore store(folder);
    QDir().mkpath(folder);
    DataHarness::writeFile(folder + "/2020-01-01_000000_received.DAT", QByteArray(100, 'x'));
    DataHarness::writeFile(folder + "/notes.txt", "mine");
    const QDateTime t0(QDate(2026, 12, 7), QTime(1, 2, 3));
    const std::tuple<int, HistoryEntry::Direction, QString> writes[] = {
        {0, HistoryEntry::Direction::Received, "2026-12-07_010203_received.DAT"},
        {0, HistoryEntry::Direction::Received, "2026-12-07_010203_received_2.DAT"},
        {1, HistoryEntry::Direction::Sent, "2026-12-07_010204_sent.DAT"},
        {1, HistoryEntry::Direction::Received, "2026-12-07_010204_received_2.DAT"},
        {2, HistoryEntry::Direction::Sent, "2026-12-07_010205_sent.DAT"}};
    QList<DataSet> sets;
    for (const auto& [second, direction, name] : writes) {
        sets.append(h.randomDataSet(random, DataSet()));
        QString failure;
        const QString path = store.write(sets.last(), direction, t0.addSecs(second), 2, &failure);
        EXPECT_EQ(QFileInfo(path).fileName(), name) << failure.toStdString();
    }
    const QList<HistoryEntry> entries = store.entries();
    ASSERT_EQ(entries.size(), 6);
    for (int i = 0; i < 4; ++i) { // writes 4, 3, 2, 1
        EXPECT_EQ(QFileInfo(entries[i].filePath).fileName(), std::get<2>(writes[4 - i]));
        EXPECT_TRUE(entries[i].readable && entries[i].data == sets[4 - i]) << i;
    }
    EXPECT_FALSE(entries[4].readable || entries[5].readable);

    // After a send the same set received is an entry; received again, it only marks that entry.
    for (const int second : {60, 90})
        EXPECT_TRUE(
            store.write(sets[3], HistoryEntry::Direction::Received, t0.addSecs(second), 2, nullptr)
                .endsWith("2026-12-07_010303_received.DAT"));
    const QList<HistoryEntry> after = store.entries();
    ASSERT_EQ(after.size(), 6);
    EXPECT_EQ(after[0].lastSeen, t0.addSecs(90));
    EXPECT_FALSE(after[2].lastSeen.isValid());
    EXPECT_EQ(after[1].filePath, entries[0].filePath); // both sends stay
    EXPECT_EQ(after[3].filePath, entries[2].filePath);

    // A set that cannot be written whole (file-size limit) is no entry and leaves no file.
    QDir(folder).removeRecursively();
    const auto write = [&] {
        return int(store.write(sets[0], HistoryEntry::Direction::Sent, t0, 2, nullptr).isEmpty());
    };
    EXPECT_EQ(test::inSizeLimitedChild(2048, write), 1);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList());
}

// A received configuration's dialog starts in the program folder (or the stored name's), a bare
// name lands there, a name the Windows-1252 field cannot hold is refused and asked again.
TEST(FileNames, ReceivedConfigurationsLandInTheProgramFolderUnderANameTheDataSetCanHold) {
    const QString single = "33" + StrToHex(QString(512, 'k'));
    const QString group = "30" + StrToHex(QString(4096, 'g'));
    const std::tuple<QString, QString, QStringList, QString, QString, int> rows[] = {
        // payload, stored name, names typed, start folder, file written ("" none), refusals
        {single, "", {"bare31.CNS"}, ".", "bare31.CNS", 0},
        {group, "sub/x.CNG", {"sub/x.CNG"}, "sub", "sub/x.CNG", 0},
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
        const QString expected = written.isEmpty() ? stored : h.path(written);
        EXPECT_EQ(TrimBlanks(field.text()), expected);
        EXPECT_EQ(QFileInfo(expected).size(), written.isEmpty() ? 0 : payload.size() / 2 - 1);
        EXPECT_TRUE(h.logText().contains(expected)); // trivially when nothing is written
    }
}

} // namespace

// Unsent entries come first whatever their time and never count for Keep; the run's entry is
// replaced by its next one, an earlier run's stays, and beyond MaxUnsent the oldest go.
TEST(HistoryStore, UnsentEntriesComeFirstReplaceTheRunsOwnAndAreNotCountedByKeep) {
    DataHarness h;
    QRandomGenerator random(9);
    HistoryStore store(HistoryStore::folderIn(h.dir.path()));
    const QDateTime t0(QDate(2026, 12, 7), QTime(1, 2, 3));
    const DataSet earlier = h.randomDataSet(random, DataSet());
    const QString kept = store.keepUnsent(earlier, t0, {}, nullptr);
    QString run;
    DataSet last;
    for (int i = 0; i < 3; ++i) {
        last = h.randomDataSet(random, DataSet());
        run = store.keepUnsent(last, t0.addSecs(i), run, nullptr);
    }
    for (int i = 0; i < 2; ++i)
        store.write(h.randomDataSet(random, DataSet()), HistoryEntry::Direction::Received,
                    t0.addSecs(60 + i), 1, nullptr);
    QList<HistoryEntry> entries = store.entries();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(QFileInfo(run).fileName(), "2026-12-07_010205_unsent.DAT");
    EXPECT_TRUE(entries[0].filePath == run && entries[0].data == last);
    EXPECT_TRUE(entries[1].filePath == kept && entries[1].data == earlier);
    EXPECT_EQ(entries[2].direction, HistoryEntry::Direction::Received);

    for (int i = 0; i < HistoryStore::MaxUnsent; ++i)
        store.keepUnsent(last, t0.addSecs(10 + i), {}, nullptr);
    entries = store.entries();
    EXPECT_EQ(entries.size(), HistoryStore::MaxUnsent + 1);
    EXPECT_FALSE(QFileInfo::exists(kept));
    store.dropUnsent({}); // all sent at last: only the received entry stays
    EXPECT_EQ(store.entries().size(), 1);
}
