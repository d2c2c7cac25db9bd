// The history folder, and the names received configurations are saved under.
#include "files/HistoryStore.h"

#include "dataset/DataSetImage.h"
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
    struct Write {
        int second;
        Direction direction;
        const char* name;
    };
    const Write writes[] = {{0, Direction::Received, "2026-12-07_010203_received.DAT"},
                            {0, Direction::Received, "2026-12-07_010203_received_2.DAT"},
                            {1, Direction::Sent, "2026-12-07_010204_sent.DAT"},
                            {1, Direction::Received, "2026-12-07_010204_received_2.DAT"},
                            {2, Direction::Sent, "2026-12-07_010205_sent.DAT"},
                            {3, Direction::Received, "2026-12-07_010206_received.DAT"}};
    QList<DataSet> sets;
    for (const Write& w : writes) {
        sets.append(h.randomDataSet(random, DataSet()));
        QString failure;
        const QString path =
            store.write(sets.last(), w.direction, t0.addSecs(w.second), 4, &failure);
        EXPECT_EQ(QFileInfo(path).fileName(), w.name) << failure.toStdString();
        EXPECT_EQ(DataHarness::readFile(path), DataSetImage::Write(sets.last()));
    }

    const QList<HistoryEntry> entries = store.entries();
    ASSERT_EQ(entries.size(), 6);
    for (int i = 0; i < 4;
         ++i) { // writes 5, 4, 3, 2: newest first, the same second by number whatever the direction
        const int written = 5 - i;
        SCOPED_TRACE(written);
        EXPECT_TRUE(entries[i].readable);
        EXPECT_EQ(QFileInfo(entries[i].filePath).fileName(), writes[written].name);
        EXPECT_EQ(entries[i].direction, writes[written].direction);
        EXPECT_EQ(entries[i].time, t0.addSecs(writes[written].second));
        EXPECT_TRUE(entries[i].data == sets[written]);
    }
    EXPECT_FALSE(entries[4].readable);
    EXPECT_FALSE(entries[5].readable);
    EXPECT_TRUE(QFile::exists(folder + "/notes.txt"));
    EXPECT_FALSE(QFile::exists(folder + "/2026-12-07_010203_received_2.DAT"));

    // A folder that cannot be made: no file, the reason told.
    DataHarness::writeFile(h.path("blocked"), "file");
    HistoryStore blocked(h.path("blocked") + "/History");
    QString failure;
    EXPECT_TRUE(blocked.write(sets[0], Direction::Sent, t0, 4, &failure).isEmpty());
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_TRUE(blocked.entries().isEmpty());
}

// A configuration received from the controller asks for its file name: the dialog starts in the
// program folder (or the stored name's folder), a bare name lands there, and a name the data
// set's Windows-1252 field cannot hold is refused and asked again.
TEST(FileNames, ReceivedConfigurationsLandInTheProgramFolderUnderANameTheDataSetCanHold) {
    const QString single = "33" + StrToHex(QString(512, 'k'));
    const QString group = "30" + StrToHex(QString(4096, 'g'));
    const struct {
        QString payload, stored;
        QStringList typed;
        QString startFolder, expected; // relative to the program folder; "" for no file
        int refusals;
    } rows[] = {
        {single, "", {"bare31.CNS"}, ".", "bare31.CNS", 0},
        {group, "", {"bare30.CNG"}, ".", "bare30.CNG", 0},
        {single, "sub/x.CNS", {"sub/x.CNS"}, "sub", "sub/x.CNS", 0},
        {single, "", {"snap\u0394.CNS", "snap.CNS"}, ".", "snap.CNS", 1},
        {single, "", {"\u4e2d.CNS"}, ".", "", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed.first().toStdString());
        DataHarness h;
        QDir(h.dir.path()).mkdir("sub");
        auto& snap = h.store.DataSet.SnapShot;
        auto& field = row.payload == group ? snap.SnapShotGroupFile : snap.SnapShotFile[3];
        field = row.stored;
        h.ui.fileNames.append(row.typed);
        QString payload = row.payload;
        h.decoder.Interpret_HexData(payload);

        ASSERT_FALSE(h.ui.fileDialogs.isEmpty());
        EXPECT_EQ(QDir(h.ui.fileDialogs.first().folder), QDir(h.path(row.startFolder)));
        EXPECT_EQ(h.ui.boxes.size(), row.refusals);
        const QString cwdFile = QDir::current().filePath(row.typed.first());
        EXPECT_FALSE(QFile::remove(cwdFile)) << "written in the working directory";
        const QString expected = row.expected.isEmpty() ? row.stored : h.path(row.expected);
        EXPECT_EQ(TrimBlanks(field.text()), expected);
        if (!row.expected.isEmpty()) {
            EXPECT_EQ(QFileInfo(expected).size(), row.payload.size() / 2 - 1);
            EXPECT_TRUE(h.logText().contains(expected));
        }
    }
}

} // namespace
