#include "dataset/HexCodec.h"
#include "support/DataHarness.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::DataHarness;

namespace {

// A configuration received from the controller asks for its file name; what the user types
// decides where the file goes and what the data set keeps.
struct Row {
    const char* what;
    QString payload;      // "85" payload: block code and hex text
    QString storedName;   // SnapShotFile(3) or SnapShotGroupFile before the block arrives
    QStringList typed;    // dialog answers in order
    QString startFolder;  // relative to the program folder, "" for the folder itself
    QString expectedFile; // relative to the program folder
    int expectedSize;
    int refusals; // FileName_NotStorable boxes
};

TEST(FileNames, ReceivedConfigurationsLandInTheProgramFolderUnderANameTheDataSetCanHold) {
    const QString one = "33" + StrToHex(QString(512, 'k'));
    const QString group = "30" + StrToHex(QString(4096, 'g'));
    const Row rows[] = {
        {"bare name, nothing stored", one, "", {"bare31.CNS"}, "", "bare31.CNS", 512, 0},
        {"bare name for the group", group, "", {"bare30.CNG"}, "", "bare30.CNG", 4096, 0},
        {"stored bare name", one, "old.CNS", {"old.CNS"}, "", "old.CNS", 512, 0},
        {"stored name in a sub-folder",
         one,
         "sub/x.CNS",
         {"sub/x.CNS"},
         "sub",
         "sub/x.CNS",
         512,
         0},
        {"name outside the code page asked again",
         one,
         "",
         {"snap\u0394.CNS", "snap.CNS"},
         "",
         "snap.CNS",
         512,
         1},
        {"refused, then cancelled", one, "", {"\u4e2d.CNS"}, "", "", 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DataHarness h;
        QDir(h.dir.path()).mkdir("sub");
        const QString cwdFile = QDir::current().filePath(row.typed.first());
        if (row.payload.startsWith("30"))
            h.store.DataSet.SnapShot.SnapShotGroupFile = row.storedName;
        else
            h.store.DataSet.SnapShot.SnapShotFile[3] = row.storedName;
        for (const QString& name : row.typed)
            h.ui.fileNames.enqueue(name);

        QString payload = row.payload;
        h.decoder.Interpret_HexData(payload);

        ASSERT_FALSE(h.ui.fileDialogs.isEmpty());
        EXPECT_EQ(QDir(h.ui.fileDialogs.first().folder),
                  QDir(h.path(row.startFolder.isEmpty() ? "." : row.startFolder)));
        int refusals = 0;
        for (const auto& box : h.ui.boxes)
            refusals += box.text.contains("FileName_NotStorable");
        EXPECT_EQ(refusals, row.refusals);
        EXPECT_FALSE(QFileInfo::exists(cwdFile)) << "written in the working directory";
        QFile::remove(cwdFile);
        const auto& snap = h.store.DataSet.SnapShot;
        const QString stored =
            TrimBlanks(row.payload.startsWith("30") ? snap.SnapShotGroupFile.text()
                                                    : snap.SnapShotFile[3].text());
        if (row.expectedFile.isEmpty()) {
            EXPECT_EQ(stored, row.storedName);
            continue;
        }
        const QString expected = h.path(row.expectedFile);
        EXPECT_EQ(QFileInfo(expected).size(), row.expectedSize);
        EXPECT_EQ(stored, expected);
        EXPECT_TRUE(h.logText().contains(expected));
    }
}

} // namespace
