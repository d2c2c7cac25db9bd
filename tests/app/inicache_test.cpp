#include "app/IniCache.h"
#include "app/IniFile.h"
#include "app/Shutdown.h"

#include "support/QtPrinters.h"
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include <gtest/gtest.h>

using namespace zoz;

namespace {

struct IniCacheTest : ::testing::Test {
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("z.Ini"));
    IniCache cache;

    void write(const QString& name, const QByteArray& bytes) {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString value(const char* key = "A") {
        return GetIniValue(ini, QStringLiteral("S"), QLatin1String(key), QStringLiteral("-"),
                           &cache);
    }
    // Long enough for the copy to count as settled, so that only the stamps can show a change.
    static void settle() { QTest::qWait(120); }
};

// Another program changes the file between two of our reads: every kind of change is seen, also
// one that keeps size and modification time, or comes within the clock's granularity.
TEST_F(IniCacheTest, ChangeByAnotherProgramIsSeen) {
    const struct {
        std::function<void(IniCacheTest&)> change;
        const char* expected;
    } cases[] = {
        {[](IniCacheTest& t) { t.write(t.ini, "[S]\nA=2\n"); }, "2"}, // same size, at once
        {[](IniCacheTest& t) { t.write(t.ini, "[S]\nA=22\n"); }, "22"},
        {[](IniCacheTest& t) { // same size and modification time, in place
             const QDateTime was = QFileInfo(t.ini).fileTime(QFileDevice::FileModificationTime);
             t.write(t.ini, "[S]\nA=3\n");
             QFile f(t.ini);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             ASSERT_TRUE(f.setFileTime(was, QFileDevice::FileModificationTime));
         },
         "3"},
        {[](IniCacheTest& t) { // a new file renamed over it
             const QString other = t.dir.filePath(QStringLiteral("new"));
             t.write(other, "[S]\nA=4\n");
             ASSERT_TRUE(QFile::remove(t.ini));
             ASSERT_TRUE(QFile::rename(other, t.ini));
         },
         "4"},
        {[](IniCacheTest& t) { ASSERT_TRUE(QFile::remove(t.ini)); }, "-"},
    };
    for (const bool settled : {false, true}) {
        for (const auto& c : cases) {
            write(ini, "[S]\nA=1\n");
            if (settled)
                settle();
            ASSERT_EQ(value(), "1");
            c.change(*this);
            EXPECT_EQ(value(), c.expected) << "settled " << settled;
        }
    }
}

// While nothing changes the file is parsed once however many lookups; each write of ours is
// read back at once.
TEST_F(IniCacheTest, ReusedUntilOurOwnWrite) {
    write(ini, "[S]\nA=1\nB=x\n");
    settle();
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(value(i % 2 ? "A" : "B"), i % 2 ? "1" : "x");
    EXPECT_EQ(cache.parses(), 1);
    ASSERT_EQ(
        SetIniValue(ini, QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("7"), &cache), 1);
    EXPECT_EQ(value(), "7");
    write(ini, "[S]\nA = 8\n");
    settle();
    EXPECT_EQ(value(), "8");
    ASSERT_EQ(FormatIniFile(ini, &cache), 0);
    EXPECT_EQ(value(), "8");
    EXPECT_EQ(GetIniKeys(QStringLiteral("S"), ini, &cache), QStringList({QString(), "A"}));
}

} // namespace
