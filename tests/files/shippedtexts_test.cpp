#include "app/IniFile.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zoz;

namespace {

// The texts of the data set and file procedures, with the number of "&" each one fills.
const QList<QPair<const char*, int>> kTexts = {{"SaveAs", 0},
                                               {"OpenFile", 0},
                                               {"DataFile", 0},
                                               {"ConfigFile", 0},
                                               {"QueryOverwrite", 1},
                                               {"FileNotFound", 1},
                                               {"WritingData", 0},
                                               {"WritingFile", 1},
                                               {"WritingData_Ok", 0},
                                               {"ReadingData", 0},
                                               {"ReadingFile", 1},
                                               {"ReadingData_Ok", 0},
                                               {"ReadingData_Err", 1},
                                               {"QueryReadData", 1},
                                               {"QueryDataReset", 0},
                                               {"ResetDone", 0},
                                               {"WriteToDisk_Err", 2},
                                               {"ReadFromDisk_Err", 2},
                                               {"ReadingConfig", 0},
                                               {"ReadingConfig_Ok", 0},
                                               {"ReadingConfig_Err", 1},
                                               {"WritingConfig", 0},
                                               {"WritingConfig_Ok", 0},
                                               {"Preparing_DataExchange", 0},
                                               {"BlankNames_Replaced", 1},
                                               {"Interpret_HexData_Err", 1}};

TEST(ShippedTexts, EveryFileAndDataSetTextExistsInBothLanguages) {
    const QString ini = QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini");
    for (const char* section : {"Messages_GER", "Messages_ENG"}) {
        for (const auto& [key, placeholders] : kTexts) {
            const QString text = GetIniValue(ini, section, key, "(missing)");
            EXPECT_NE(text, "(missing)") << section << " " << key;
            EXPECT_EQ(text.count('&'), placeholders) << section << " " << key;
        }
    }
    EXPECT_EQ(GetIniValue(ini, "Messages_GER", "OpenFile", ""),
              QStringLiteral("Datei \u00f6ffnen"));
}

} // namespace
