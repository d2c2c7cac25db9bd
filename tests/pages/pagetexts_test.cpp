// LoadTexts of every page: the defaults when the settings file has no texts, and the shipped
// settings file giving every page text in German and English.
#include "PageFixture.h"

#include "app/IniFile.h"
#include "pages/AssignBox.h"
#include "pages/DataPage.h"
#include "pages/ValueCheckBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>

namespace zoz::test {
namespace {

class PageTexts : public PageFixture {
protected:
    void SetUp() override {}

    static QString shippedIni() { return QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini"); }

    void buildWithShipped(const QString& language) {
        QFile file(shippedIni());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        build(file.readAll());
        texts->setLanguage(language);
        switches.Language = language;
        switches.NotDefinedText = texts->message("NotDefined");
        pages.reset();
        pages = std::make_unique<DataPages>(store, switches, *texts, *chooser, nullptr);
    }

    // Every visible caption of the nine pages, by control name.
    QStringList captions() const {
        QStringList all;
        for (int p = 1; p <= 9; ++p) {
            QWidget* page = pages->page(p);
            for (auto* label : page->findChildren<QLabel*>())
                all << label->objectName() + "=" + label->text();
            for (auto* frame : page->findChildren<QGroupBox*>())
                all << frame->objectName() + "=" + frame->title();
            for (auto* box : page->findChildren<QCheckBox*>())
                all << box->objectName() + "=" + box->text();
            for (auto* list : page->findChildren<QComboBox*>())
                for (int i = 0; i < list->count(); ++i)
                    all << list->objectName() + "=" + list->itemText(i);
        }
        return all;
    }
};

TEST_F(PageTexts, WithoutTextsEveryCaptionShowsItsKey) {
    build("[Main]\r\n");
    EXPECT_EQ(find<QLabel>(1, "lblStatus_0")->text(), "Label01");
    EXPECT_EQ(find<QLabel>(1, "lblStatus_5")->text(), "Label06");
    EXPECT_EQ(find<QLineEdit>(1, "txtStatus_3")->toolTip(), "");
    EXPECT_EQ(find<QGroupBox>(1, "fraStatus")->title(), "");
    EXPECT_EQ(find<QLabel>(2, "lblPart03_1")->text(), "Part03.Label02");
    EXPECT_EQ(find<QGroupBox>(2, "fraContainerPart01")->title(), "");
    EXPECT_EQ(find<QGroupBox>(3, "fraChannelLayer02")->title(), "Row.Caption");
    EXPECT_EQ(find<QGroupBox>(3, "fraChannelLayer03")->title(), "Col.Caption");
    EXPECT_EQ(find<QGroupBox>(4, "fraContainerPart03")->title(), "Part03");
    EXPECT_EQ(find<QCheckBox>(4, "chkMonMode_3")->text(), "Part01.Opt04.Caption");
    EXPECT_EQ(find<QLabel>(4, "lblPart04_3")->text(), "Part04.Label04");
    EXPECT_EQ(find<QComboBox>(4, "cmbVolume")->itemText(0), "  off");
    EXPECT_EQ(find<QLabel>(5, "lblPart02_15")->text(), "Part02.Label16");
    EXPECT_EQ(find<AssignBox>(5, "txtOutput_15")->text(), "0");
    EXPECT_EQ(find<QLineEdit>(5, "txtOutputInfo_15")->text(), "NotDefined");
    EXPECT_EQ(find<QGroupBox>(6, "fraMachSourceColHdr")->title(), "Col.Caption");
    EXPECT_EQ(find<QGroupBox>(6, "fraMachSourceRowHdr")->title(), "Row.Caption");
    auto* channels = find<QComboBox>(6, "cmbChannels");
    ASSERT_EQ(channels->count(), 2);
    EXPECT_EQ(channels->itemText(0), "TwoChannels");
    EXPECT_EQ(channels->itemData(0).toInt(), 2);
    EXPECT_EQ(channels->itemText(1), "FourChannels");
    EXPECT_EQ(channels->itemData(1).toInt(), 1);
    EXPECT_EQ(channels->currentIndex(), 0);
    auto* startUp = find<QComboBox>(7, "cmbStartUpConf");
    ASSERT_EQ(startUp->count(), 9);
    EXPECT_EQ(startUp->itemText(0), "StartUpConf_Temp");
    EXPECT_EQ(startUp->itemText(8), "Part01.Label08");
    EXPECT_EQ(startUp->itemData(8).toInt(), 8);
    EXPECT_EQ(find<QLabel>(8, "lblPart02_8")->text(), "Part02.Label09");
    EXPECT_EQ(find<QGroupBox>(9, "fraContainerPart01")->title(), "Systeminformation");
    EXPECT_EQ(find<QLabel>(9, "lblPart01_0")->text(), "QPL Version");
}

TEST_F(PageTexts, FixedListsAreExactlyAsDesigned) {
    build("[Main]\r\n");
    auto* volume = find<QComboBox>(4, "cmbVolume");
    ASSERT_EQ(volume->count(), 45);
    const QStringList expected = {"- 60 dB", "- 54 dB", "- 48 dB", "- 42 dB",
                                  "- 36 dB", "- 30 dB", "- 27 dB", "- 24 dB"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(volume->itemText(i + 1), expected[i]);
    EXPECT_EQ(volume->itemText(22), "- 10 dB");
    EXPECT_EQ(volume->itemText(23), "-   9 dB");
    EXPECT_EQ(volume->itemText(31), "-   1 dB");
    EXPECT_EQ(volume->itemText(32), "    0 dB");
    EXPECT_EQ(volume->itemText(33), "+  1 dB");
    EXPECT_EQ(volume->itemText(41), "+  9 dB");
    EXPECT_EQ(volume->itemText(42), "+10 dB");
    EXPECT_EQ(volume->itemText(44), "+12 dB");
    auto* kanal = find<QComboBox>(4, "cmbKanal");
    ASSERT_EQ(kanal->count(), 14);
    EXPECT_EQ(kanal->itemText(1), "IN 3/4 ");
    EXPECT_EQ(kanal->itemText(9), "Aux 1/2");
    EXPECT_EQ(kanal->itemText(13), "ext Mon 7/8");
    auto* frames = find<QComboBox>(6, "cmbFrames");
    ASSERT_EQ(frames->count(), 2);
    EXPECT_EQ(frames->itemText(0), "25 frames");
    EXPECT_EQ(frames->itemData(0).toInt(), 25);
    EXPECT_EQ(frames->itemData(1).toInt(), 30);
}

TEST_F(PageTexts, ControlsAreNamedLockedAndLimitedAsDesigned) {
    build("[Main]\r\n");
    const struct {
        int page;
        const char* name;
        int count;
        bool readOnly;
    } arrays[] = {{1, "txtStatus", 6, true},       {2, "txtInputDigital", 16, false},
                  {2, "txtInputAnalog", 8, false}, {2, "txtInputAdat", 8, false},
                  {2, "txtInputExtMon", 4, false}, {2, "txtOutputSummen", 4, false},
                  {3, "txtInputA", 6, true},       {3, "txtInputD", 6, true},
                  {4, "txtExtMon", 4, true},       {5, "txtInput", 4, true},
                  {5, "txtOutputInfo", 16, true},  {7, "txtInfoPart01", 8, true},
                  {8, "txtInput", 9, true},        {8, "txtOutputInfo", 9, true}};
    for (const auto& a : arrays) {
        for (int i = 0; i < a.count; ++i) {
            auto* box = find<QLineEdit>(a.page, QString("%1_%2").arg(a.name).arg(i));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isReadOnly(), a.readOnly) << a.name << i;
            if (a.page == 2) {
                EXPECT_EQ(box->maxLength(), 8);
            }
        }
        EXPECT_EQ(
            pages->page(a.page)->findChild<QLineEdit*>(QString("%1_%2").arg(a.name).arg(a.count)),
            nullptr);
    }
    EXPECT_EQ(find<QLineEdit>(9, "txtQPLVersion")->maxLength(), 4);
    EXPECT_FALSE(find<QLineEdit>(9, "txtQPLVersion")->isReadOnly());
    for (int s = 1; s <= 12; ++s)
        for (int k = 0; k < 5; ++k)
            find<ValueCheckBox>(6, QString("chkMachSource%1_%2").arg(s, 2, 10, QChar('0')).arg(k));
    for (int i = 0; i < 8; ++i) {
        auto* bar = find<QToolBar>(7, QString("ToolbarPart01_%1").arg(i));
        EXPECT_EQ(bar->findChildren<QToolButton*>(QRegularExpression("^Button[1-5]$")).size(), 5);
    }
    for (int p = 1; p <= 9; ++p) {
        EXPECT_EQ(pages->page(p)->objectName(), QString("frmTabStripData0%1").arg(p));
        EXPECT_NE(pages->page(p)->findChild<QWidget*>("fraTab"), nullptr);
    }
    EXPECT_EQ(pages->page(7)->findChild<QWidget*>("fraTab")->windowTitle(), "snapshot");
}

TEST_F(PageTexts, XpLookGivesEveryDropDownButtonTheXpPicture) {
    build("[Main]\r\n", false);
    EXPECT_EQ(find<QToolButton>(3, "picC_4")->property("Picture").toString(), "dropdown");
    build("[Main]\r\n", true);
    const struct {
        int page;
        const char* name;
        int count;
    } buttons[] = {{3, "picA", 6},    {3, "picD", 6},  {4, "pic", 4},   {5, "picIn", 4},
                   {5, "picOut", 16}, {8, "picIn", 9}, {8, "picOut", 9}};
    for (const auto& b : buttons)
        for (int i = 0; i < b.count; ++i)
            EXPECT_EQ(find<QToolButton>(b.page, QString("%1_%2").arg(b.name).arg(i))
                          ->property("Picture")
                          .toString(),
                      "picXP")
                << b.name << i;
}

// No caption of any page shows a lookup key, in either language.
TEST_F(PageTexts, ShippedSettingsFileHasEveryPageTextInBothLanguages) {
    const QRegularExpression keyLike(
        "=(Part\\d\\d|Label\\d\\d|Row\\.Caption|Col\\.Caption|StartUpConf_Temp|TwoChannels|"
        "FourChannels|NotDefined)");
    for (const QString language : {"GER", "ENG"}) {
        buildWithShipped(language);
        pages->RefreshPages();
        for (const QString& caption : captions())
            EXPECT_FALSE(keyLike.match(caption).hasMatch())
                << language.toStdString() << " " << caption.toStdString();
        // Every row of the pages explains itself (the group file box has no tip of its own).
        for (int p = 2; p <= 8; ++p) {
            for (auto* box : pages->page(p)->findChildren<QLineEdit*>()) {
                if (box->objectName() != "txtInfoPart02_0") {
                    EXPECT_FALSE(box->toolTip().isEmpty())
                        << language.toStdString() << " " << box->objectName().toStdString();
                }
            }
        }
        EXPECT_FALSE(find<QComboBox>(4, "cmbVolume")->itemText(0).trimmed().isEmpty());
        EXPECT_FALSE(switches.NotDefinedText.isEmpty());
        EXPECT_GE(store.lstData[0].size(), 8) << "GPIO input functions";
        EXPECT_GE(store.lstData[1].size(), 8) << "GPIO output functions";
        store.lstData[0].clear();
        store.lstData[1].clear();
    }
}

// The German and English sections of the pages carry the same keys, so neither language falls
// back to a key where the other has a text.
TEST_F(PageTexts, ShippedPageSectionsHaveTheSameKeysInBothLanguages) {
    const QString ini = shippedIni();
    for (const QString prefix :
         {"TabStrip_Status_", "TabStrip_Name_", "TabStrip_Layer_", "TabStrip_Monitor_",
          "TabStrip_GPIO_", "TabStrip_Editor_", "TabStrip_SnapShot_", "TabStrip_FBox_",
          "TabStrip_System_", "GPIO_Input_Data_", "GPIO_Output_Data_"}) {
        const QStringList ger = GetIniKeys(prefix + "GER", ini);
        const QStringList eng = GetIniKeys(prefix + "ENG", ini);
        EXPECT_GT(ger.size(), 2) << prefix.toStdString();
        EXPECT_EQ(ger, eng) << prefix.toStdString();
        for (const QString& key : ger.mid(1)) {
            EXPECT_FALSE(GetIniValue(ini, prefix + "GER", key, "").isEmpty() &&
                         !prefix.startsWith("GPIO"))
                << prefix.toStdString() << key.toStdString();
            if (prefix.startsWith("GPIO")) {
                bool number = false;
                key.toInt(&number);
                EXPECT_TRUE(number)
                    << "GPIO keys are the controller's numbers: " << key.toStdString();
            }
        }
    }
    for (const QString key :
         {"StartUpConf_Temp", "TwoChannels", "FourChannels", "MonitorOff", "Form_Choose.Caption",
          "Form_Choose.ToolTip", "NotDefined", "SnapShot_Transfer_Err"})
        for (const QString language : {"GER", "ENG"})
            EXPECT_NE(GetIniValue(ini, "Messages_" + language, key, "?missing?"), "?missing?")
                << key.toStdString() << " " << language.toStdString();
}

} // namespace
} // namespace zoz::test

namespace zoz::test {
namespace {

// The main window's XP look pads every frame caption with blanks to 150 characters; no page may
// grow wider than the window for it.
TEST_F(PageTexts, PaddedXpCaptionsKeepEveryPageWithinTheWindowWidth) {
    for (const QString language : {"GER", "ENG"}) {
        buildWithShipped(language);
        switches.XPLook = true;
        for (int p = 1; p <= 9; ++p) {
            QWidget* fraTab = pages->page(p)->findChild<QWidget*>("fraTab");
            for (auto* frame : fraTab->findChildren<QGroupBox*>())
                frame->setTitle(frame->title().leftJustified(150, ' '));
            fraTab->layout()->invalidate();
            EXPECT_LE(fraTab->layout()->minimumSize().width(), DataPage::DesignWidth)
                << language.toStdString() << " page " << p;
        }
    }
}

} // namespace
} // namespace zoz::test
