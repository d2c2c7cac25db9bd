#include "app/ProgramFolder.h"

#include "support/DataHarness.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include <QDir>
#include <gtest/gtest.h>

using namespace zoz;

using zoz::test::DataHarness;

namespace {

// A temporary tree ("path=content"; "path/" a folder) with bin/zozedud, whether bin may be written,
// the user's data folder ("~" is the tree), the folder expected and the user's settings there.
struct Case {
    const char* what;
    QStringList files;
    bool binWritable;
    QString dataHome, folder, errorKey, ini;
};

const QStringList kShare = {"share/zozedud/zozedud.Ini=template", "share/zozedud/Default.DAT=dat"};

// clang-format off
const Case kCases[] = {
    {"portable", kShare + QStringList{"bin/zozedud.Ini=mine"}, true, "~data", "bin", "", ""},
    {"build folder", {}, true, "~data", "bin", "", ""},
    {"read-only copy, no templates", {"bin/zozedud.Ini=mine"}, false, "~data", "bin", "", ""},
    {"read-only bin", kShare + QStringList{"bin/zozedud.Ini=mine"}, false, "~data", "data/zozedud",
     "", "template"},
    {"root, or no settings file beside", kShare, true, "~data", "data/zozedud", "", "template"},
    {"a prefix of ~/.local", kShare, true, "~share", "share/zozedud", "", "template"},
    {"the user's copy is kept", kShare + QStringList{"data/zozedud/zozedud.Ini=mine"}, false,
     "~data", "data/zozedud", "", "mine"},
    {"templates missing", {"share/zozedud/"}, false, "~data", "data/zozedud",
     "ProgramFolder_Templates_Err", ""},
    {"data home is a file", kShare + QStringList{"data=file"}, false, "~data", "data/zozedud",
     "ProgramFolder_Create_Err", ""},
    {"no home", kShare, false, "", "", "ProgramFolder_Create_Err", ""},
};
// clang-format on

TEST(ProgramFolderTest, EachKindOfInstallationGetsItsFolderFilledFromTheTemplates) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        test::ProgramFolder tree;
        const QString root = tree.dir.path() + '/';
        for (const QString& file : c.files + QStringList{"bin/zozedud=exe"})
            tree.write(file.section('=', 0, 0), file.section('=', 1).toUtf8());
        QFile::setPermissions(root + "share/zozedud/zozedud.Ini", QFile::ReadOwner);
        ProgramFolder::Environment env{QString(c.dataHome).replace("~", root),
                                       [&](const QString&) { return c.binWritable; }};
        const ProgramPlace place = ProgramFolder::Locate(root + "bin/zozedud", env);

        EXPECT_EQ(place.errorKey, c.errorKey) << place.fallbackMessage.toStdString();
        EXPECT_EQ(place.folder,
                  c.folder.isEmpty() ? place.folder : QDir::cleanPath(root + c.folder));
        if (!c.ini.isEmpty()) {
            EXPECT_EQ(DataHarness::readFile(place.folder + "/zozedud.Ini"), c.ini);
            EXPECT_EQ(DataHarness::readFile(place.folder + "/Default.DAT"), "dat");
            EXPECT_TRUE(QFile::permissions(place.folder + "/zozedud.Ini") & QFile::WriteOwner);
        }
    }
}

} // namespace
