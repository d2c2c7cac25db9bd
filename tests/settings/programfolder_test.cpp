#include "settings/ProgramFolder.h"

#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// A tree ("path=content", "path/" a folder) beside bin/zozedud; "~" in the data home is the tree.
struct Case {
    QStringList files;
    bool binWritable;
    QString dataHome, folder, errorKey, ini;
};

const QStringList kShare = {"share/zozedud/zozedud.Ini=template", "share/zozedud/Default.DAT=dat"};
const QStringList kMine = {"bin/zozedud.Ini=mine"};

const Case kCases[] = {
    {kShare + kMine, true, "~data", "bin", "", ""}, // portable
    {{}, true, "~data", "bin", "", ""},             // a build folder
    {kMine, false, "~data", "bin", "", ""},         // a read-only copy without templates
    {kShare + kMine, false, "~data", "data/zozedud", "", "template"},
    {kShare, true, "~data", "data/zozedud", "", "template"},   // root, or no settings file beside
    {kShare, true, "~share", "share/zozedud", "", "template"}, // a prefix of ~/.local
    {kShare + QStringList{"data/zozedud/zozedud.Ini=mine"}, false, "~data", "data/zozedud", "",
     "mine"},
    {{"share/zozedud/"}, false, "~data", "data/zozedud", "ProgramFolder_Templates_Err", ""},
    {kShare, false, "~bin/zozedud", "bin/zozedud/zozedud", "ProgramFolder_Create_Err", ""},
    {kShare, false, "", "bin", "ProgramFolder_Create_Err", ""}, // no home
};

TEST(ProgramFolderTest, EachKindOfInstallationGetsItsFolderFilledFromTheTemplates) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(&c - kCases);
        test::ProgramFolder tree;
        const QString root = tree.dir.path() + '/';
        for (const QString& file : c.files + QStringList{"bin/zozedud=exe"})
            tree.write(file.section('=', 0, 0), file.section('=', 1).toUtf8());
        QFile::setPermissions(root + "share/zozedud/zozedud.Ini", QFile::ReadOwner);
        ProgramFolder::Environment env{QString(c.dataHome).replace("~", root),
                                       [&](const QString&) { return c.binWritable; }};
        const ProgramPlace place = ProgramFolder::Locate(root + "bin/zozedud", env);

        EXPECT_EQ(place.errorKey, c.errorKey) << place.fallbackMessage.toStdString();
        EXPECT_EQ(QDir(root).relativeFilePath(place.folder), c.folder);
        if (!c.ini.isEmpty()) {
            EXPECT_EQ(tree.read(c.folder + "/zozedud.Ini"), c.ini);
            EXPECT_EQ(tree.read(c.folder + "/Default.DAT"), "dat");
            EXPECT_TRUE(QFile::permissions(place.folder + "/zozedud.Ini") & QFile::WriteOwner);
        }
    }
}

} // namespace
