#include "app/ProgramFolder.h"

#include "support/QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

QByteArray readAll(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString& name, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(name).absolutePath());
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// An installation in a temporary prefix: bin/zozedud and the templates in share/zozedud.
struct Case {
    const char* what;
    bool binWritable;
    bool iniBesideExe;
    const char* share;    // share/zozedud: "" none, "empty", "full" (both templates)
    const char* dataHome; // relative to the temporary folder; "" unset, "/" + x absolute
    const char* home;
    const char* folder; // expected, relative to the temporary folder
    const char* errorKey;
};

const Case kCases[] = {
    {"portable copy", true, true, "full", "/data", "home", "prefix/bin", ""},
    {"build folder", true, false, "", "/data", "home", "prefix/bin", ""},
    {"read-only bin", false, true, "full", "/data", "home", "data/zozedud", ""},
    {"root or ~/.local prefix", true, false, "full", "/data", "home", "data/zozedud", ""},
    {"relative XDG_DATA_HOME", false, false, "full", "data", "home", "home/.local/share/zozedud",
     ""},
    {"templates missing", false, false, "empty", "/data", "home", "data/zozedud",
     "ProgramFolder_Templates_Err"},
    {"data home is a file", false, false, "full", "/blocker", "home", "blocker/zozedud",
     "ProgramFolder_Create_Err"},
    {"no home", false, false, "full", "", "", "", "ProgramFolder_Create_Err"},
};

TEST(ProgramFolderTest, EachKindOfInstallationGetsItsFolder) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString root = dir.path() + '/';
        const QByteArray ini = "[Main]\r\nLoadAtStartup_Default=Default.DAT\r\n";
        const QByteArray dat(2913, '\x07');
        write(root + "prefix/bin/zozedud", "exe");
        if (c.iniBesideExe)
            write(root + "prefix/bin/zozedud.Ini", "beside");
        if (QByteArray(c.share) == "full") {
            write(root + "prefix/share/zozedud/zozedud.Ini", ini);
            write(root + "prefix/share/zozedud/Default.DAT", dat);
            QFile::setPermissions(root + "prefix/share/zozedud/zozedud.Ini", QFile::ReadOwner);
        } else if (*c.share) {
            QDir().mkpath(root + "prefix/share/zozedud");
        }
        write(root + "blocker", "a file");

        ProgramFolder::Environment env;
        const QString dataHome = QString::fromUtf8(c.dataHome);
        env.dataHome = dataHome.startsWith('/') ? root + dataHome.mid(1) : dataHome;
        env.home = *c.home ? root + c.home : QString();
        env.isWritable = [&](const QString&) { return c.binWritable; };
        const ProgramPlace place = ProgramFolder::Locate(root + "prefix/bin/zozedud", env);

        EXPECT_EQ(place.name, "zozedud");
        EXPECT_EQ(place.errorKey, c.errorKey) << place.fallbackMessage.toStdString();
        if (*c.folder) {
            EXPECT_EQ(place.folder, QDir::cleanPath(root + c.folder));
        }
        if (!place.errorKey.isEmpty() || !place.installed)
            continue;
        // The copies are the templates' bytes, and the user may change them.
        EXPECT_EQ(readAll(place.folder + "/zozedud.Ini"), ini);
        EXPECT_EQ(readAll(place.folder + "/Default.DAT"), dat);
        EXPECT_TRUE(QFile::permissions(place.folder + "/zozedud.Ini") & QFile::WriteOwner);
    }
}

TEST(ProgramFolderTest, TheUsersOwnFilesAreKeptAndOnlyMissingTemplatesCopied) {
    QTemporaryDir dir;
    const QString root = dir.path() + '/';
    write(root + "bin/zozedud", "exe");
    write(root + "share/zozedud/zozedud.Ini", "template");
    write(root + "share/zozedud/Default.DAT", "default");
    write(root + "data/zozedud/zozedud.Ini", "[Comm]\r\nPort=/dev/ttyUSB0\r\n");
    ProgramFolder::Environment env{root + "data", root + "home",
                                   [](const QString&) { return false; }};
    const ProgramPlace place = ProgramFolder::Locate(root + "bin/zozedud", env);
    ASSERT_TRUE(place.errorKey.isEmpty());
    EXPECT_EQ(readAll(place.folder + "/zozedud.Ini"), "[Comm]\r\nPort=/dev/ttyUSB0\r\n");
    EXPECT_EQ(readAll(place.folder + "/Default.DAT"), "default");
}

} // namespace
