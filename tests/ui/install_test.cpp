#include "app/IniFile.h"
#include "support/SimProcess.h"
#include "ui/Application.h"

#include "support/QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::SimProcess;

namespace {

QByteArray readAll(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Installs the build into a temporary prefix, checks and validates the installed files, then runs
// the installed editor from its read-only bin folder for a user who has no program folder yet.
TEST(InstallTest, TheInstalledEditorStartsInTheUsersOwnFolderMadeFromTheTemplates) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath("prefix");
    ASSERT_EQ(QProcess::execute("cmake", {"--install", ZOZ_BINARY_DIR, "--prefix", prefix}), 0);
    const QString share = prefix + "/share/";
    const QString desktop = share + "applications/org.example.zozedud.desktop";
    const QString metainfo = share + "metainfo/org.example.zozedud.metainfo.xml";
    for (const QString& file :
         {prefix + "/bin/qpl-sim", share + "icons/hicolor/scalable/apps/org.example.zozedud.svg",
          share + "man/man1/zozedud.1", share + "man/man1/qpl-sim.1"})
        EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    for (int size : {48, 128, 256}) {
        const QImage icon(share +
                          QString("icons/hicolor/%1x%1/apps/org.example.zozedud.png").arg(size));
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << "the logo fills the middle";
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "a transparent square around the logo";
    }
    EXPECT_EQ(readAll(share + "zozedud/zozedud.Ini"),
              readAll(ZOZ_SOURCE_DIR "/resources/zozedud.Ini"));
    EXPECT_EQ(QFileInfo(share + "zozedud/Default.DAT").size(), 2913);
    for (const char* name : {"zozedud.Ini", "Default.DAT"})
        EXPECT_FALSE(QFile::permissions(share + "zozedud/" + name) &
                     (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    EXPECT_EQ(QProcess::execute("desktop-file-validate", {desktop}), 0);
    EXPECT_EQ(QProcess::execute("appstreamcli", {"validate", "--no-net", metainfo}), 0);

    // The template points at the simulator, so that the editor starts through to its first
    // request; root could write the bin folder anyway, but it holds no settings file.
    SimProcess sim;
    const QString templateIni = share + "zozedud/zozedud.Ini";
    SetIniValue(templateIni, "Comm", "Port", sim.device());
    SetIniValue(templateIni, "Main", "Debug", "yes");
    SetIniValue(templateIni, "Main", "RequestData", "no");
    QFile::setPermissions(prefix + "/bin",
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", dir.filePath("home"));
    env.insert("XDG_DATA_HOME", dir.filePath("data"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    editor.setProcessEnvironment(env);
    editor.start(prefix + "/bin/zozedud");
    EXPECT_TRUE(sim.waitFor("RX 82", 30000).startsWith("RX 82")) << "the version query";
    editor.kill();
    editor.waitForFinished();

    const QDir user(dir.filePath("data/zozedud"));
    EXPECT_EQ(readAll(user.filePath("zozedud.Ini")), readAll(templateIni));
    EXPECT_EQ(readAll(user.filePath("Default.DAT")), readAll(share + "zozedud/Default.DAT"));
    const QStringList logs = user.entryList({"zozedud-*.Log"});
    ASSERT_EQ(logs.size(), 1);
    EXPECT_TRUE(readAll(user.filePath(logs[0])).contains("Init"));
    EXPECT_TRUE(QDir(prefix + "/bin").entryList({"*.Log", "*.Ini", "*.DAT"}).isEmpty());
}

// An installation whose templates are gone: the user learns which file is missing and the editor
// ends as after a failed start-up step, without creating a settings file anywhere.
TEST(InstallTest, MissingTemplatesAreReportedAndEndTheEditor) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("prefix/bin"));
    QDir().mkpath(dir.filePath("prefix/share/zozedud"));
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
    QStringList boxes;
    QTimer acceptor;
    QObject::connect(&acceptor, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes.append(box->text());
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    acceptor.start(20);
    int terminated = 0;
    Application app({dir.filePath("prefix/bin/zozedud"), [&] { ++terminated; }});
    app.Main();
    qputenv("XDG_DATA_HOME", oldDataHome);
    EXPECT_EQ(terminated, 1);
    EXPECT_FALSE(app.switches().InitDone);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(dir.filePath("prefix/share/zozedud/zozedud.Ini")))
        << boxes[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("data/zozedud/zozedud.Ini")));
}

} // namespace
