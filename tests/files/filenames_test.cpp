#include "dataset/HexCodec.h"
#include "support/DataHarness.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

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
