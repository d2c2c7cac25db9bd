// Which settings file an installed zozedud-cli uses when none is given.
#include "support/ProgramFolder.h"

#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

// No zozedud.Ini beside the tool: the editor's own folder under XDG_DATA_HOME is used (the daily
// log appears there, closed at the end); once one lies beside the tool, that one wins.
TEST(CliPlaceTest, FallsBackToTheEditorsUserFolder) {
    zoz::test::ProgramFolder root;
    const QString tool = root.path("bin/zozedud-cli");
    root.write("bin/", {});
    ASSERT_TRUE(
        QFile::copy(QFileInfo(QStringLiteral(QPL_SIM_PATH)).dir().filePath("zozedud-cli"), tool));
    root.write("data/zozedud/zozedud.Ini", "[Main]\r\nWriteLogFile=yes\r\n");
    const QString log = "zozedud-" + QDate::currentDate().toString("yyyy-MM-dd") + ".Log";
    for (const QString& expected : {"data/zozedud/" + log, "bin/" + log}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", root.path("data"));
        process.setProcessEnvironment(env);
        process.start(tool, {"--port", root.path("no-such-port"), "ping"});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 5);
        EXPECT_TRUE(root.read(expected).endsWith(" End   *****\r\n\r\n\r\n")) // the run closed it
            << expected.toStdString();
        root.write("bin/zozedud.Ini", "[Main]\r\nWriteLogFile=yes\r\n");
    }
}
