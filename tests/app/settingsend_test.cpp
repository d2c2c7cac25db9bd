// The settings file at the end of a run: a kill, a file-size limit or a lost file lose nothing.
#include "app/Shutdown.h"
#include "support/LimitedChild.h"
#include "support/ProgramFolder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

const QByteArray kSettings = "[Main]\r\nLanguage=GER\r\nLoadAtStartup_Default=Default.DAT\r\n";

// The child of the test below: the end's re-layout of the file its parent names.
TEST(SettingsEnd, ChildLinesUpTheFileOfItsParent) {
    const QString ini = qEnvironmentVariable("ZOZ_END_CHILD_INI");
    if (ini.isEmpty())
        GTEST_SKIP() << "run as a child by KillAtTheRename...";
    FormatIniFile(ini);
}

// Killed at the moment the lined-up copy replaces the file, the end leaves the old file, which a
// start keeps. Had the file been lost, a start takes the copy back, unless it is cut (inside a
// line, or before its section's longest key) or not lined up as ours are.
TEST(SettingsEnd, KillAtTheRenameLeavesTheOldFileAndALostOneComesBack) {
    const QString strace = QStandardPaths::findExecutable("strace");
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed";
    test::ProgramFolder folder;
    const QString ini = folder.writeIni(kSettings);
    const QString temp = folder.path("tmptmp.tmp");
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOZ_END_CHILD_INI", ini);
    child.setProcessEnvironment(env);
    child.start(strace, {"-f", "-qq", "-o", "/dev/null", "-P", temp, "-e",
                         "trace=rename,renameat,renameat2", "-e",
                         "inject=rename,renameat,renameat2:signal=SIGKILL",
                         QCoreApplication::applicationFilePath(),
                         "--gtest_filter=SettingsEnd.ChildLinesUpTheFileOfItsParent"});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAllStandardError().data();
    EXPECT_EQ(folder.read("zozedud.Ini"), kSettings);
    const QByteArray linedUp = folder.read("tmptmp.tmp");
    ASSERT_TRUE(linedUp.contains("Language              = GER\r\n"));
    EXPECT_FALSE(TakeBackIniFile(ini));
    EXPECT_EQ(folder.read("zozedud.Ini"), kSettings);

    for (const auto& [copy, taken] : {std::pair{linedUp, true},
                                      {linedUp.left(linedUp.size() - 4), false},
                                      {linedUp.left(linedUp.indexOf("  Load")), false},
                                      {kSettings, false}}) {
        QFile::remove(ini);
        folder.write("tmptmp.tmp", copy);
        EXPECT_EQ(TakeBackIniFile(ini), taken) << copy.data();
        EXPECT_EQ(folder.read("zozedud.Ini"), taken ? copy : QByteArray());
        EXPECT_EQ(QFileInfo::exists(temp), !taken);
    }
}

// Under a file-size limit the re-layout fails while writing its copy and leaves the file as it
// was, with no cut copy that a later start could take for the settings.
TEST(SettingsEnd, FileSizeLimitLeavesTheFileAndNoCopy) {
    test::ProgramFolder folder;
    QByteArray big = "[Main]\r\n";
    for (int i = 0; i < 200; ++i)
        big += "Key" + QByteArray::number(i) + "=value\r\n";
    const QString ini = folder.writeIni(big);
    const int step = test::inSizeLimitedChild(2048, [&] { return FormatIniFile(ini) / 1000; });
    EXPECT_TRUE(step == 7 || step == 10) << step;
    EXPECT_EQ(folder.read("zozedud.Ini"), big);
    EXPECT_FALSE(QFileInfo::exists(folder.path("tmptmp.tmp")));
}

} // namespace
