#include "settings/IniFile.h"
#include "support/SimProcess.h"
#include "ui/PrintModule.h"

#include "support/DataHarness.h"
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using zoz::test::DataHarness;

namespace {

// Run from a read-only bin folder, the installed editor makes the user folder from templates.
TEST(InstallTest, TheInstalledEditorStartsInTheUsersOwnFolderMadeFromTheTemplates) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath("prefix"), share = prefix + "/share/";
    ASSERT_EQ(QProcess::execute("cmake", {"--install", ZOZ_BINARY_DIR, "--prefix", prefix}), 0);
    for (const char* file :
         {"bin/qpl-sim", "share/man/man1/zozedud.1.gz", "share/man/man1/qpl-sim.1.gz",
          "share/icons/hicolor/scalable/apps/org.example.zozedud.svg",
          "share/metainfo/org.example.zozedud.metainfo.xml"})
        EXPECT_TRUE(QFileInfo::exists(prefix + '/' + file)) << file;
    const QString templateIni = share + "zozedud/zozedud.Ini", dat = share + "zozedud/Default.DAT";
    EXPECT_EQ(DataHarness::readFile(templateIni),
              DataHarness::readFile(ZOZ_SOURCE_DIR "/resources/zozedud.Ini"));
    EXPECT_EQ(QFileInfo(dat).size(), 2913);
    // The installed editor's first print loads the module from lib/zozedud/print: bin has none.
    zoz::PrintModule printing(prefix + "/bin/zozedud");
    QString error;
    EXPECT_TRUE(printing.load(error)) << error.toStdString();
    EXPECT_EQ(QProcess::execute("desktop-file-validate",
                                {share + "applications/org.example.zozedud.desktop"}),
              0);

    // The template points at the simulator, so the editor runs through to its version query.
    zoz::test::SimProcess sim;
    zoz::SetIniValue(templateIni, "Comm", "Port", sim.device());
    zoz::SetIniValue(templateIni, "Main", "Debug", "yes");
    QFile::setPermissions(prefix + "/bin", QFile::ReadOwner | QFile::ExeOwner | QFile::ExeOther);
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir.filePath("home"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    editor.setProcessEnvironment(env);
    editor.start(prefix + "/bin/zozedud");
    EXPECT_TRUE(sim.waitFor("RX 82", 30000).startsWith("RX 82"));
    editor.kill();
    editor.waitForFinished();

    const QDir user(dir.filePath("data/zozedud"));
    for (const QString& name : {templateIni, dat})
        EXPECT_EQ(DataHarness::readFile(user.filePath(QFileInfo(name).fileName())),
                  DataHarness::readFile(name));
    const QStringList logs = user.entryList({"zozedud-*.Log"});
    EXPECT_EQ(logs.size(), 1);
    EXPECT_TRUE(QDir(prefix + "/bin").entryList({"*.Log", "*.Ini", "*.DAT"}).isEmpty());
}

} // namespace
