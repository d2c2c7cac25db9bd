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

// Without texts every caption shows its key; the fixed lists and the control arrays are complete
// and no array has a control beyond its last element.
TEST_F(PageTexts, WithoutTextsKeysFixedListsAndControlArrays) {
    build("[Main]\r\n");
    const auto caption = [this](int page, const char* name) -> QString {
        QWidget* w = find<QWidget>(page, name);
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        if (auto* frame = qobject_cast<QGroupBox*>(w))
            return frame->title();
        if (auto* box = qobject_cast<QAbstractButton*>(w))
            return box->text();
        return qobject_cast<QLineEdit*>(w)->text();
    };
    const QList<std::tuple<int, const char*, QString>> captions = {
        {1, "lblStatus_0", "Label01"},
        {1, "lblStatus_5", "Label06"},
        {1, "fraStatus", ""},
        {2, "lblPart03_1", "Part03.Label02"},
        {3, "fraChannelLayer02", "Row.Caption"},
        {3, "fraChannelLayer03", "Col.Caption"},
        {4, "fraContainerPart03", "Part03"},
        {4, "chkMonMode_3", "Part01.Opt04.Caption"},
        {4, "lblPart04_3", "Part04.Label04"},
        {5, "lblPart02_15", "Part02.Label16"},
        {5, "txtOutput_15", "0"},
        {5, "txtOutputInfo_15", "NotDefined"},
        {6, "fraMachSourceRowHdr", "Row.Caption"},
        {8, "lblPart02_8", "Part02.Label09"},
        {9, "fraContainerPart01", "Systeminformation"},
        {9, "lblPart01_0", "QPL Version"}};
    for (const auto& [page, name, text] : captions)
        EXPECT_EQ(caption(page, name), text) << name;

    const auto items = [this](int page, const char* name, QList<int> rows, bool data = true) {
        auto* list = find<QComboBox>(page, name);
        QStringList texts{QString::number(list->count())};
        for (int row : rows)
            texts << list->itemText(row) + (data ? "=" + list->itemData(row).toString() : "");
        return texts.join(" | ");
    };
    EXPECT_EQ(items(4, "cmbVolume", {0, 1, 8, 22, 23, 31, 32, 33, 41, 42, 44}, false),
              "45 |   off | - 60 dB | - 24 dB | - 10 dB | -   9 dB | -   1 dB | "
              "    0 dB | +  1 dB | +  9 dB | +10 dB | +12 dB");
    EXPECT_EQ(items(4, "cmbKanal", {1, 9, 13}, false), "14 | IN 3/4  | Aux 1/2 | ext Mon 7/8");
    EXPECT_EQ(items(6, "cmbFrames", {0, 1}), "2 | 25 frames=25 | 30 frames=30");
    EXPECT_EQ(items(6, "cmbChannels", {0, 1}), "2 | TwoChannels=2 | FourChannels=1");
    EXPECT_EQ(items(7, "cmbStartUpConf", {0, 8}), "9 | StartUpConf_Temp=0 | Part01.Label08=8");

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
            EXPECT_TRUE(a.page != 2 || box->maxLength() == 8);
        }
        EXPECT_EQ(
            pages->page(a.page)->findChild<QLineEdit*>(QString("%1_%2").arg(a.name).arg(a.count)),
            nullptr);
    }
    EXPECT_EQ(find<QLineEdit>(9, "txtQPLVersion")->maxLength(), 4);
    EXPECT_EQ(find<QToolButton>(3, "picC_4")->property("Picture").toString(), "dropdown");
    build("[Main]\r\n", true); // the XP look gives every drop-down button the XP picture
    for (int p : {3, 4, 5, 8})
        for (auto* b : pages->page(p)->findChildren<QToolButton*>(QRegularExpression("^pic")))
            EXPECT_EQ(b->property("Picture").toString(), "picXP") << b->objectName().toStdString();
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
