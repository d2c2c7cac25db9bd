#include "app/IniFile.h"
#include "app/Shutdown.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

const QString kShipped = QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini");

TEST(ShippedIni, StartsWithAllTextsAndSurvivesTheEndOfARun) {
    ASSERT_TRUE(QFile::exists(kShipped));
    EXPECT_FALSE(GetIniValue(kShipped, "Main", "LoadAtStartup_Default", "").isEmpty());
    EXPECT_EQ(GetIniValue(kShipped, "Main", "Language", ""), "GER");
    for (const char* section : {"Messages_GER", "Messages_ENG"}) {
        for (const char* key : {"WriteLog_Err", "NotDefined", "Ready", "QueryEndProg",
                                "QueryEndProg_ByUser", "QueryEndProg_NoQuery"}) {
            EXPECT_NE(GetIniValue(kShipped, section, key, "(missing)"), "(missing)")
                << section << " " << key;
        }
    }
    // Every run ends with FormatIniFile: it must accept the file.
    QTemporaryDir dir;
    const QString copy = dir.filePath("zozedud.Ini");
    ASSERT_TRUE(QFile::copy(kShipped, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(FormatIniFile(copy), 0);
    EXPECT_EQ(GetIniKeys("Main", copy), GetIniKeys("Main", kShipped));
}

} // namespace
