// The settings file at the end of a run: a kill, a file-size limit or a lost file lose nothing.
#include "settings/IniLayout.h"
#include "support/LimitedChild.h"
#include "support/ProgramFolder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// Run as a child by the next test: the end's re-layout of the file its parent names.
TEST(SettingsEnd, Child) {
    if (qEnvironmentVariableIsEmpty("ZOZ_END_CHILD_INI"))
        GTEST_SKIP() << "a child of KillAtTheRenameAndALostFile";
    FormatIniFile(qEnvironmentVariable("ZOZ_END_CHILD_INI"));
}

// Killed as its copy replaces the file, the end leaves the old file. A lost file comes back from
// the copy at a start, unless the copy is cut (inside a line, or before its longest key).
TEST(SettingsEnd, KillAtTheRenameAndALostFile) {
    const QString strace = QStandardPaths::findExecutable("strace");
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed";
    test::ProgramFolder folder;
    const QByteArray settings = "[Main]\r\nLanguage=GER\r\nLoadAtStartup_Default=Default.DAT\r\n";
    const QString ini = folder.writeIni(settings);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOZ_END_CHILD_INI", ini);
    child.setProcessEnvironment(env);
    // A failed rename leaves no copy; a kill at the rename leaves the copy beside the old file.
    for (const QString fault : {"error=EXDEV", "signal=SIGKILL"}) {
        child.start(strace,
                    {"-f", "-o", "/dev/null", "-P", folder.path("tmptmp.tmp"), "-e",
                     "inject=rename,renameat,renameat2:" + fault,
                     QCoreApplication::applicationFilePath(), "--gtest_filter=SettingsEnd.Child"});
        ASSERT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(folder.read("zozedud.Ini"), settings);
        EXPECT_EQ(QFileInfo::exists(folder.path("tmptmp.tmp")), fault.startsWith("signal"));
    }
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
    const QByteArray copy = folder.read("tmptmp.tmp");
    EXPECT_FALSE(TakeBackIniFile(ini));
    for (const QByteArray& c :
         {copy, copy.left(copy.size() - 4), copy.left(copy.indexOf("  Lo"))}) {
        QFile::remove(ini);
        folder.write("tmptmp.tmp", c);
        EXPECT_EQ(TakeBackIniFile(ini), c == copy);
        EXPECT_EQ(folder.read("zozedud.Ini"), c == copy ? copy : QByteArray());
    }
}

// Past a file-size limit the end's copy fails at its flush: the file stays, no cut copy is left.
TEST(SettingsEnd, FileSizeLimitLeavesTheFileAndNoCopy) {
    test::ProgramFolder folder;
    const QByteArray big = "[Main]\r\n" + QByteArray("Key=value\r\n").repeated(300);
    const QString ini = folder.writeIni(big);
    EXPECT_EQ(test::inSizeLimitedChild(2048, [&] { return FormatIniFile(ini) / 1000; }), 10);
    EXPECT_EQ(folder.read("zozedud.Ini"), big);
    EXPECT_FALSE(QFileInfo::exists(folder.path("tmptmp.tmp")));
}

} // namespace
