#include "app/IniCache.h"
#include "app/IniFile.h"
#include "app/Shutdown.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Every change by another program between two reads is seen, also after the copy has settled;
// while nothing changes the file is parsed once, and our own writes are read back at once.
TEST(IniCache, SeesEveryChangeByAnotherProgramAndReusesTheParseOtherwise) {
    test::ProgramFolder folder;
    const QString ini = folder.ini();
    IniCache cache;
    auto value = [&](const char* key = "A") {
        return GetIniValue(ini, "S", QLatin1String(key), "-", &cache);
    };
    const std::function<void()> changes[] = {
        [&] { folder.writeIni("[S]\nA=2\n"); }, // same size
        [&] { folder.writeIni("[S]\nA=22\n"); },
        [&] { // same size and modification time, in place
            const QDateTime was = QFileInfo(ini).fileTime(QFileDevice::FileModificationTime);
            folder.writeIni("[S]\nA=3\n");
            QFile f(ini);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(was, QFileDevice::FileModificationTime));
        },
        [&] { // a new file renamed over it
            ASSERT_TRUE(QFile::remove(ini));
            ASSERT_TRUE(QFile::rename(folder.write("new", "[S]\nA=4\n"), ini));
        },
        [&] { ASSERT_TRUE(QFile::remove(ini)); },
    };
    const char* expected[] = {"2", "22", "3", "4", "-"};
    for (const bool settled : {false, true}) {
        for (int i = 0; i < 5; ++i) {
            folder.writeIni("[S]\nA=1\n");
            if (settled)
                QTest::qWait(120);
            ASSERT_EQ(value(), "1");
            changes[i]();
            EXPECT_EQ(value(), expected[i]) << "settled " << settled;
        }
    }

    folder.writeIni("[S]\nA=1\nB=x\n");
    QTest::qWait(120);
    const int parses = cache.parses();
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(value(i % 2 ? "A" : "B"), i % 2 ? "1" : "x");
    EXPECT_EQ(cache.parses(), parses + 1);
    ASSERT_EQ(SetIniValue(ini, "S", "A", "7", &cache), 1);
    EXPECT_EQ(value(), "7");
    ASSERT_EQ(FormatIniFile(ini, &cache), 0);
    EXPECT_EQ(GetIniKeys("S", ini, &cache), QStringList({QString(), "A", "B"}));
}

} // namespace
