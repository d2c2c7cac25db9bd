#include "app/Texts.h"

#include "app/IniFile.h"

#include "support/QtPrinters.h"
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zoz;

namespace {

class TextsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("zozedud.Ini"));

    void write(const QByteArray& bytes) {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(TextsTest, MessagesComeFromTheSectionOfTheLanguage) {
    write("[Messages_]\nWriteLog_Err=no language yet\n"
          "[Messages_GER]\nReady=Bereit\n"
          "[Messages_ENG]\nReady=Ready to go\n");
    Texts texts(ini);
    EXPECT_EQ(texts.message("WriteLog_Err"), "no language yet"); // before [Main] Language is read
    texts.setLanguage("eng");
    EXPECT_EQ(texts.language(), "ENG");
    EXPECT_EQ(texts.message("Ready"), "Ready to go");
    texts.setLanguage("GER");
    EXPECT_EQ(texts.message("Ready"), "Bereit");
    EXPECT_EQ(texts.lookup("Messages_ENG", "Ready", "x"), "Ready to go");
}

TEST_F(TextsTest, AMissingTextShowsItsKeyOrTheGivenDefault) {
    Texts texts(ini); // no file at all
    texts.setLanguage("GER");
    EXPECT_EQ(texts.message("Ready"), "Ready");
    EXPECT_EQ(texts.message("MonitorOff", "off"), "off");
    EXPECT_EQ(texts.lookup("TabStrip_Names_GER", "Caption", ""), "");
}

TEST_F(TextsTest, CachedTextIsLookedUpAgainOnlyWhileEmpty) {
    write("[Messages_GER]\nReady=Bereit\nEmpty=\n");
    Texts texts(ini);
    texts.setLanguage("GER");
    EXPECT_EQ(texts.cached("Ready"), "Bereit");
    EXPECT_EQ(texts.cached("Empty"), "");
    // The user edits the file while the program runs: the kept text stays, the empty one is
    // looked up again.
    write("[Messages_GER]\nReady=Fertig\nEmpty=jetzt da\n");
    EXPECT_EQ(texts.cached("Ready"), "Bereit");
    EXPECT_EQ(texts.cached("Empty"), "jetzt da");
    EXPECT_EQ(texts.message("Ready"), "Fertig"); // the plain lookup reads the file every time
}

} // namespace
