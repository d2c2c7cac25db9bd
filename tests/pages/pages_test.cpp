// The nine pages: what they show of the data set, edits through real input events (reaching the
// data set at the next TakeOverPages), their texts, and an exchange with the simulator.
#include "PageFixture.h"
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "dataset/FieldCatalog.h"
#include "dataset/HexCodec.h"
#include "pages/SnapShotPage.h"
#include "support/LinkRig.h"
#include "widgets/AssignBox.h"
#include "widgets/KeyFilter.h"
#include "widgets/ValueCheckBox.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <dlfcn.h>

// Counts every exception thrown. DataPage::step swallows a failing statement, so a loop run past
// the last control of a page would go unnoticed without it.
static int thrown = 0;
extern "C" void __cxa_throw(void* object, void* type, void (*destroy)(void*)) {
    ++thrown;
    using Throw = void (*)(void*, void*, void (*)(void*));
    static const auto real = reinterpret_cast<Throw>(dlsym(RTLD_NEXT, "__cxa_throw"));
    real(object, type, destroy);
    std::abort();
}

namespace zoz::test {
namespace {

using PageRefresh = PageFixture;
using PagesDeathTest = PageFixture;

TEST_F(PageRefresh, FullDataSetTravelsToThePagesAndBackUnchangedShowingTheStoredValues) {
    populate(store.DataSet, dir.path());
    for (int i = 1; i <= 6; ++i)
        store.StatusText[i] = QStringLiteral("status line %1 of the controller").arg(i);
    store.StatusText[1] = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
    store.QPLVersion = QStringLiteral("0213");
    const DataSet original = store.DataSet;
    const auto status = store.StatusText;
    thrown = 0;
    pages->RefreshPages();

    // 102 shows the name of digital input 2; the ext. monitor input in D although the chooser
    // never offers it; GPIO code 103 the fourth definition "12=Locate|extra"; "9=" has no text.
    // page|control|text shown
    for (const QString row :
         {"1|txtStatus_0|ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "2|txtInputDigital_15|Kick/Sn",
          "2|txtOutputSummen_3|G5ch4", "3|txtInputA_1|G1ch3", "3|txtInputD_5|G4ch2",
          "3|txtInputC_2|- none -", "4|txtExtMon_1|G5ch2", "5|txtInput_1|12",
          "5|txtInputInfo_1|Locate", "5|txtInput_2|0", "5|txtInputInfo_2|- none -",
          "5|txtOutput_1|9", "5|txtOutputInfo_1|", "7|txtInfoPart01_0|SNAP1.CNS",
          "7|txtInfoPart01_2|C:\\show\\SNAP3.CNS", "7|txtInfoPart02_0|GROUP.CNG",
          "8|txtOutput_0|21", "8|txtOutputInfo_0|Mute", "9|txtQPLVersion|0213"}) {
        const QStringList f = row.split('|');
        EXPECT_EQ(find<QLineEdit>(f[0].toInt(), f[1])->text(), f[2]) << f[1].toStdString();
    }
    EXPECT_EQ(find<QComboBox>(4, "cmbVolume")->currentText(), "    0 dB");
    EXPECT_EQ(find<QComboBox>(4, "cmbKanal")->currentText(), "IN 3/4 ");
    EXPECT_EQ(find<QComboBox>(6, "cmbFrames")->currentText(), "30 frames");

    store.DataSet = DataSet{};
    store.StatusText = {};
    store.QPLVersion = QString();
    pages->TakeOverPages();
    EXPECT_TRUE(store.DataSet == original);
    EXPECT_EQ(store.StatusText, status);
    EXPECT_EQ(store.QPLVersion.text(), QStringLiteral("0213"));
    EXPECT_EQ(thrown, 0) << "a statement failed on a valid data set";
}

TEST_F(PageRefresh, OddValuesKeepTheControlsAsTheyWereAndLongTextsAreCut) {
    store.DataSet.Monitor.MonVolume = 44;
    store.DataSet.Monitor.MonKanal = 13;
    store.DataSet.Name.InputDigitalName[4] = QStringLiteral("Vox");
    store.DataSet.Layer.LayerA[1] = 103;
    store.DataSet.Monitor.MonMode[2] = 1;
    store.DataSet.Editor.MachSource(3) = {0, 0, 1, 0, 0, 0};
    pages->RefreshPages();
    store.DataSet.Monitor.MonVolume = 45;
    store.DataSet.Monitor.MonKanal = -2;
    store.DataSet.Layer.LayerA[1] = 600;            // no such group
    store.DataSet.GPIO.GPIOInput[1] = 150;          // no such definition
    store.DataSet.Layer.LayerB[1] = -105;           // negative: not assigned
    store.DataSet.Layer.LayerB[2] = 104;            // a channel without a name: not assigned
    find<AssignBox>(5, "txtInput_0")->setText("x"); // what the row showed before
    // The click raised on every change runs the group rule: the checked mode box stays, while
    // a machine source may lose all rows and a greyed box is kept as 2.
    store.DataSet.Monitor.MonMode = {0, 0, 0, 0, 0};
    store.DataSet.Editor.MachSource(3) = {0, 0, 0, 0, 0, 0};
    store.DataSet.Editor.MachSource(4) = {0, 0, 0, 2, 0, 0};
    // Another folder on Linux, where file names keep their case: shown and kept as stored.
    store.DataSet.SnapShot.SnapShotFile[1] = dir.path().toUpper() + "/A.CNS";
    store.DataSet.SnapShot.SnapShotFile[4] = dir.path() + "x/B.CNS"; // a sibling folder
    pages->RefreshPages();

    EXPECT_EQ(find<QComboBox>(4, "cmbVolume")->currentText(), "+12 dB");
    EXPECT_EQ(find<QComboBox>(4, "cmbKanal")->currentText(), "ext Mon 7/8");
    EXPECT_EQ(find<AssignBox>(3, "txtInputA_0")->text(), "Vox"); // kept: the name of 103
    EXPECT_EQ(find<AssignBox>(5, "txtInput_0")->text(), "x");
    EXPECT_EQ(find<AssignBox>(3, "txtInputB_1")->text(), "- none -");
    EXPECT_EQ(find<QLineEdit>(7, "txtInfoPart01_0")->text(), dir.path().toUpper() + "/A.CNS");
    EXPECT_EQ(find<QLineEdit>(7, "txtInfoPart01_3")->text(), dir.path() + "x/B.CNS");
    EXPECT_EQ(find<QLineEdit>(7, "txtInfoPart01_3")->cursorPosition(), 0); // shown from its start
    auto* name = find<QLineEdit>(2, "txtInputAnalog_0");
    name->setMaxLength(32767);
    name->setText("LongerThanEight  ");
    find<QLineEdit>(7, "txtInfoPart01_1")->setText("  sub/SNAP2.CNS  ");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Monitor.MonVolume, 44);
    EXPECT_EQ(store.DataSet.Layer.LayerA[1], 600);
    EXPECT_EQ(store.DataSet.GPIO.GPIOInput[1], 150);
    EXPECT_EQ(store.DataSet.Layer.LayerB, (std::array<qint16, 7>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(store.DataSet.Monitor.MonMode, (std::array<qint16, 5>{0, 0, 1, 0, 0}));
    EXPECT_EQ(store.DataSet.Editor.MachSource(3), (MachSourceRows{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(store.DataSet.Editor.MachSource(4), (MachSourceRows{0, 0, 0, 2, 0, 0}));
    EXPECT_EQ(store.DataSet.Name.InputAnalogName[1].text(), "LongerTh");
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotFile[1].trimmedRight(),
              dir.path().toUpper() + "/A.CNS");
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotFile[2].trimmedRight(), dir.path() + "/sub/SNAP2.CNS");
    store.DataSet.Monitor.MonKanal = -1; // -1 clears the selection
    pages->RefreshPages();
    EXPECT_EQ(find<QComboBox>(4, "cmbKanal")->currentIndex(), -1);
}

TEST_F(PageRefresh, TagsAreReadAsTheLeadingNumber) {
    auto* cell = find<AssignBox>(3, "txtInputB_0");
    const QList<QPair<QString, int>> cases = {
        {"", 0},        {"0", 0},       {"abc", 0},       {"-5", 0},       {"107xy", 107},
        {" 2 03", 203}, {"101.6", 102}, {"32767", 32767}, {"32768", 32767}}; // too large: the value
                                                                             // before stays
    for (const auto& [tag, expected] : cases) {
        cell->setTag(tag);
        pages->TakeOverPages();
        EXPECT_EQ(store.DataSet.Layer.LayerB[1], expected) << tag.toStdString();
    }
}

// Picks the row holding `code` in the choose dialog by a click and OK or by a double click
// (code < 0: Cancel); notes what the dialog offered and which code it preselected.
struct Offer {
    QList<int> codes;
    QStringList texts;
    int preselected = -1;
};
void scriptChooser(ChooseDialog& chooser, int code, bool doubleClick, Offer& offer) {
    chooser.setModalRunner([&offer, code, doubleClick](ChooseDialog& dialog) {
        QListWidget* list = dialog.lstChoose();
        for (int row = 0; row < list->count(); ++row) {
            offer.codes.append(list->item(row)->data(Qt::UserRole).toInt());
            offer.texts.append(list->item(row)->text());
            if (list->item(row)->isSelected())
                offer.preselected = offer.codes.last();
        }
        auto* button = dialog.findChild<QPushButton*>(code < 0 ? "cmdCancel" : "cmdOk");
        const int row = static_cast<int>(offer.codes.indexOf(code));
        const QPoint at = row < 0 ? QPoint() : list->visualItemRect(list->item(row)).center();
        if (row >= 0)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (row >= 0 && doubleClick)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(button, Qt::LeftButton);
    });
}

class PageEditing : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        populate(store.DataSet, dir.path());
        store.DataSetDefault = store.DataSet;
        pages->RefreshPages();
    }
};

TEST_F(PageEditing, TypingAndClickingReachTheDataSetAtTheTakeOver) {
    auto* box = find<QLineEdit>(2, "txtInputAnalog_2");
    box->clear();
    // Apostrophe, quote and umlaut are dropped; 8 characters at most.
    for (const QChar c : QString::fromUtf8("A'b\"/ ä§9xyz")) // keyClicks knows ASCII only
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    EXPECT_EQ(box->text(), QString::fromUtf8("Ab/ §9xy"));
    QTest::keyClick(box, Qt::Key_Backspace);
    auto* version = find<QLineEdit>(9, "txtQPLVersion");
    version->clear();
    QTest::keyClicks(version, "1a2.3-45");
    EXPECT_EQ(version->text(), "1234");
    QTest::keyClick(version, Qt::Key_Backspace);
    // The filter's upper-case form folds a letter before checking it.
    EXPECT_EQ(KeyFilter::FilterNameKey('a', true), 'A');
    // Option groups keep exactly one checked box, a machine source column at most one.
    const MachSourceRows source4 = store.DataSet.Editor.MachSource(4);
    auto* mono = find<ValueCheckBox>(4, "chkMonMode_1");
    QTest::mouseClick(mono, Qt::LeftButton);
    QTest::mouseClick(mono, Qt::LeftButton); // the checked box stays checked
    QTest::mouseClick(find<ValueCheckBox>(6, "chkControl_2"), Qt::LeftButton);
    QTest::mouseClick(find<ValueCheckBox>(6, "chkControl_1"), Qt::LeftButton);
    QTest::mouseClick(find<ValueCheckBox>(4, "chkPeakmeter_0"), Qt::LeftButton);
    QTest::mouseClick(find<ValueCheckBox>(4, "chkMonAbgriff_0"), Qt::LeftButton);
    auto* rowA = find<ValueCheckBox>(6, "chkMachSource05_1");
    QTest::mouseClick(rowA, Qt::LeftButton);
    EXPECT_EQ(store.DataSet.Name.InputAnalogName[3].trimmedRight(), "G2ch3"); // not yet taken
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Name.InputAnalogName[3].text(), QString::fromUtf8("Ab/ §9x "));
    EXPECT_EQ(store.QPLVersion.text(), "123 ");
    EXPECT_EQ(store.DataSet.Monitor.MonMode, (std::array<qint16, 5>{0, 0, 1, 0, 0}));
    EXPECT_EQ(store.DataSet.Editor.Control, (std::array<qint16, 4>{0, 0, 1, 0}));
    EXPECT_EQ(store.DataSet.Monitor.Peakmeter, (std::array<qint16, 3>{0, 1, 0}));
    EXPECT_EQ(store.DataSet.Monitor.MonAbgriff, (std::array<qint16, 4>{0, 1, 0, 0}));
    EXPECT_EQ(store.DataSet.Editor.MachSource(5), (MachSourceRows{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(store.DataSet.Editor.MachSource(4), source4); // other sources untouched
    QTest::mouseClick(rowA, Qt::LeftButton); // clicking the checked box clears the source
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Editor.MachSource(5), (MachSourceRows{0, 0, 0, 0, 0, 0}));
}

TEST_F(PageEditing, ChoosersOfferTheirListsAndStoreTheChoice) {
    // Layer row 2 takes even-numbered channels: digital 2 .. 16, analog and Adat 2 .. 8; no ext.
    // monitor, no outputs, no "none". Its current 202 lies on the other side of the pair.
    auto* cell = find<AssignBox>(3, "txtInputB_1");
    Offer layer, cancelled, plain, withOutputs, fbox, gpio, fifth;
    scriptChooser(*chooser, 105, false, layer);
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_EQ(layer.codes, (QList<int>{101, 103, 105, 107, 109, 111, 113, 115, 201, 203, 205, 207,
                                       301, 303, 305, 307}));
    EXPECT_EQ(layer.texts.first(), "G1ch2");
    EXPECT_EQ(layer.preselected, -1);
    EXPECT_EQ(cell->text(), "G1ch6");
    EXPECT_EQ(store.DataSet.Layer.LayerB[2], 202); // not yet taken over
    scriptChooser(*chooser, -1, false, cancelled); // the drop-down button, then Cancel
    QTest::mouseClick(find<QToolButton>(3, "picA_2"), Qt::LeftButton);
    EXPECT_EQ(cancelled.preselected, 104);
    EXPECT_EQ(find<AssignBox>(3, "txtInputA_2")->text(), "G1ch5");
    scriptChooser(*chooser, -1, false, fifth); // row 5 takes odd-numbered channels
    QTest::mouseClick(find<AssignBox>(3, "txtInputC_4"), Qt::LeftButton);
    EXPECT_EQ(fifth.codes.mid(0, 3), (QList<int>{100, 102, 104}));

    scriptChooser(*chooser, 402, true, plain);
    QTest::mouseClick(find<AssignBox>(4, "txtExtMon_0"), Qt::LeftButton); // the first box
    EXPECT_TRUE(plain.codes.contains(400)) << "the first ext. monitor box opens its list";
    scriptChooser(*chooser, 402, true, plain);
    QTest::mouseClick(find<AssignBox>(4, "txtExtMon_2"), Qt::LeftButton); // odd channels
    EXPECT_TRUE(plain.codes.contains(400) && plain.codes.contains(402));
    EXPECT_FALSE(plain.codes.contains(401) || plain.codes.contains(500));
    EXPECT_EQ(plain.preselected, 402);
    switches.OutputOnMonitorKeys = true;
    scriptChooser(*chooser, 503, true, withOutputs);
    QTest::mouseClick(find<QToolButton>(4, "pic_1"), Qt::LeftButton); // even channels
    EXPECT_EQ(withOutputs.codes.mid(withOutputs.codes.size() - 4),
              (QList<int>{401, 403, 501, 503}));
    EXPECT_EQ(find<AssignBox>(4, "txtExtMon_1")->text(), "G5ch4");

    scriptChooser(*chooser, 101, true, fbox); // both GPIO pages use the shared lists
    QTest::mouseClick(find<AssignBox>(8, "txtOutput_3"), Qt::LeftButton);
    EXPECT_EQ(fbox.codes, (QList<int>{100, 101, 102, 103}));
    EXPECT_EQ(fbox.texts, (QStringList{"3\tTally red", "4\tTally green", "9\t", "21\tMute"}));
    EXPECT_EQ(fbox.preselected, 100);
    EXPECT_EQ(find<AssignBox>(8, "txtOutput_3")->text(), "4");
    EXPECT_EQ(find<QLineEdit>(8, "txtOutputInfo_3")->text(), "Tally green");
    scriptChooser(*chooser, 103, false, gpio);
    QTest::mouseClick(find<QToolButton>(5, "picIn_2"), Qt::LeftButton);
    EXPECT_EQ(gpio.texts.first(), "1\tStart");
    EXPECT_EQ(find<QLineEdit>(5, "txtInputInfo_2")->text(), "Locate");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Layer.LayerB[2], 105);
    EXPECT_EQ(store.DataSet.Layer.LayerA[3], 104);
    EXPECT_EQ(store.DataSet.Monitor.ExtMon[2], 503);
    EXPECT_EQ(store.DataSet.FBox.FBoxOutput[4], 101);
    EXPECT_EQ(store.DataSet.GPIO.GPIOInput[3], 103);
}

TEST_F(PageEditing, SnapshotSwitchesToggleAndButtonsRequestAndSendTheirConfiguration) {
    build(defaultIni() + "[TabStrip_SnapShot_ENG]\r\nPart01.Button01.ToolTip_ON=one on\r\n"
                         "Part01.Button01.ToolTip_OFF=one off\r\n");
    store.DataSet.SnapShot.SnapShotSwitch1[2] = 2;
    store.DataSet.SnapShot.SnapShotSwitch1[3] = 0;
    store.DataSet.SnapShot.SnapShotSwitch2[3] = 2;
    pages->RefreshPages();
    const auto button = [this](int row, int b) {
        return SnapShotPage::button(find<QToolBar>(7, QString("ToolbarPart01_%1").arg(row)), b);
    };
    EXPECT_EQ(SnapShotPage::imageOf(button(0, 1)), 1); // switch 1 on
    EXPECT_EQ(SnapShotPage::imageOf(button(1, 1)), 2); // 2 shows off
    EXPECT_EQ(SnapShotPage::imageOf(button(1, 2)), 3); // switch 2 on
    EXPECT_EQ(SnapShotPage::imageOf(button(0, 2)), 4);
    QToolButton* first = button(2, 1);
    EXPECT_EQ(first->toolTip(), "one off");
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(first->property("Tag").toString(), "1");
    EXPECT_EQ(SnapShotPage::imageOf(first), 1);
    EXPECT_EQ(first->toolTip(), "one on");
    QTest::mouseClick(button(2, 2), Qt::LeftButton); // 2 counts as on for the toggle
    EXPECT_EQ(SnapShotPage::imageOf(button(2, 2)), 4);
    button(1, 2)->setProperty("Tag", "1.9x"); // taken over by its integer part
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch1[3], 1);
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch2[3], 0);
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch1[2], 2);
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch2[2], 1);

    QList<int> commands;
    QObject::connect(pages.get(), &DataPages::commandWanted,
                     [&](MenuCommand c) { commands.append(NumberOf(c)); });
    const std::pair<const char*, int> clicks[] = {
        {"01_5", 4}, {"01_0", 5}, {"02_0", 4}, {"02_0", 5}, {"01_7", 3}};
    QList<int> transfers; // after each click: one transfer each, none for the last
    for (const auto& [bar, b] : clicks) {
        QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, QString("ToolbarPart") + bar), b),
                          Qt::LeftButton);
        transfers.append(int(services.requested.size() + services.sent.size()));
    }
    EXPECT_EQ(transfers, (QList<int>{1, 2, 3, 4, 4}));
    QTest::mouseClick(find<QToolBar>(9, "ToolbarPart01")->findChild<QToolButton*>("Button1"),
                      Qt::LeftButton);
    EXPECT_EQ(services.requested, (QList<int>{6, 0}));
    EXPECT_EQ(services.sent, (QList<int>{1, 0}));
    EXPECT_EQ(commands, (QList<int>{108}));
    EXPECT_EQ(services.logged, QStringList("  Transfer failed: disk full")); // only the failed send
}

TEST_F(PageEditing, ATabChangeAfterStartUpCarriesNamesToTheLayerPageAndRestoresClearedOnes) {
    store.DataSetDefault.Name.InputDigitalName[2] = QStringLiteral("Factory2");
    store.DataSetDefault.Name.OutputSummenName[2] = QStringLiteral("BusTwo");
    auto* renamed = find<QLineEdit>(2, "txtInputDigital_4");
    renamed->clear();
    QTest::keyClicks(renamed, "Snare");
    auto* digital = find<QLineEdit>(2, "txtInputDigital_1");
    auto* bus = find<QLineEdit>(2, "txtOutputSummen_1");
    digital->selectAll();
    // Delete with the text the platform gives it: the name filter lets it through.
    QTest::sendKeyEvent(QTest::Click, digital, Qt::Key_Delete, QChar(0x7f), Qt::NoModifier);
    EXPECT_EQ(digital->text(), "");
    bus->selectAll();
    QTest::keyClick(bus, Qt::Key_Backspace);
    auto* cell = find<AssignBox>(3, "txtInputA_2"); // holds 104
    EXPECT_EQ(cell->text(), "G1ch5");
    switches.InitDone = false; // nothing is taken over before the end of start-up
    pages->TabSelected(3);
    EXPECT_EQ(store.DataSet.Name.InputDigitalName[5].trimmedRight(), "G1ch5");
    switches.InitDone = true;
    pages->TabSelected(3);
    EXPECT_EQ(cell->text(), "Snare");
    EXPECT_EQ(store.DataSet.Name.InputDigitalName[5].trimmedRight(), "Snare");
    EXPECT_EQ(digital->text(), "Factory2");
    EXPECT_EQ(bus->text(), "BusTwo");
    EXPECT_EQ(ui.lastStatus(), "Blank name of Bus 2 replaced");
    // The GPIO lists load when a page showing them is selected by its window's name.
    store.lstData = {};
    pages->PageSelected(QStringLiteral("frmTabStripData01"));
    EXPECT_TRUE(store.lstData[0].isEmpty());
    pages->PageSelected(QStringLiteral("FRMTABSTRIPDATA05"));
    EXPECT_EQ(store.lstData[1].size(), 4);
}

// The control arrays are complete and none has a control beyond its last element; the fields
// of the catalogue map to them.
TEST_F(PageRefresh, ControlArraysEndAtTheirLastElementAndShowEveryCatalogueField) {
    const std::tuple<int, const char*, int, bool> arrays[] = {
        {1, "txtStatus", 6, true},       {2, "txtInputDigital", 16, false},
        {2, "txtInputAnalog", 8, false}, {2, "txtInputAdat", 8, false},
        {2, "txtInputExtMon", 4, false}, {2, "txtOutputSummen", 4, false},
        {3, "txtInputA", 6, true},       {3, "txtInputD", 6, true},
        {4, "txtExtMon", 4, true},       {5, "txtInput", 4, true},
        {5, "txtOutputInfo", 16, true},  {7, "txtInfoPart01", 8, true},
        {8, "txtInput", 9, true},        {8, "txtOutputInfo", 9, true}};
    for (const auto& [page, name, count, readOnly] : arrays) {
        for (int i = 0; i < count; ++i) {
            auto* box = find<QLineEdit>(page, QString("%1_%2").arg(name).arg(i));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->isReadOnly(), readOnly) << name << i;
        }
        const QString beyond = QString("%1_%2").arg(name).arg(count);
        EXPECT_EQ(pages->page(page)->findChild<QLineEdit*>(beyond), nullptr);
    }

    // Marks and accessible names reach a field's control through its page: every field a page
    // shows has one live control there, and no page names a field the catalogue lacks.
    const FieldCatalog catalog(*texts, store);
    QHash<QString, int> shownBy;
    for (int p = 1; p <= 9; ++p)
        for (const auto& [key, control] : pages->page(p)->fieldControls().asKeyValueRange()) {
            EXPECT_GE(catalog.indexOf(key), 0) << key.toStdString();
            EXPECT_TRUE(control && pages->page(p)->fraTab()->isAncestorOf(control))
                << key.toStdString();
            ++shownBy[key];
        }
    for (const FieldRef& ref : catalog.fields())
        EXPECT_EQ(shownBy.value(ref.key), ref.shown ? 1 : 0) << ref.key.toStdString();

    // Every control has its own place on its page: one left out of a layout lies on another.
    for (int p = 1; p <= 9; ++p) {
        QWidget* root = pages->page(p)->fraTab();
        pages->page(p)->show();
        QList<QPair<QWidget*, QRect>> placed;
        for (QWidget* w : root->findChildren<QWidget*>()) {
            if (!w->isVisible() ||
                !(qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                  qobject_cast<QComboBox*>(w) || qobject_cast<QLabel*>(w) ||
                  qobject_cast<QGroupBox*>(w)))
                continue;
            const QRect at(w->mapTo(root, QPoint()), w->size());
            for (const auto& [other, rect] : std::as_const(placed))
                EXPECT_FALSE(rect.intersects(at) && !other->isAncestorOf(w))
                    << p << " " << w->objectName().toStdString() << " on "
                    << other->objectName().toStdString();
            placed.append({w, at});
        }
        EXPECT_GT(placed.size(), 2) << p;
        pages->page(p)->hide();
    }
}

// No caption of any page shows a lookup key and every row explains itself, in both languages.
TEST_F(PageRefresh, ShippedSettingsFileHasEveryPageTextInBothLanguages) {
    QFile shipped(QStringLiteral(ZOZ_SOURCE_DIR "/resources/zozedud.Ini"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray ini = shipped.readAll();
    const QRegularExpression keyLike("^(Part\\d\\d|Label\\d\\d|Row\\.Caption|Col\\.Caption|"
                                     "StartUpConf_Temp|TwoChannels|FourChannels|NotDefined)");
    for (const QString language : {"GER", "ENG"}) {
        store.lstData = {};
        build(ini, language);
        pages->RefreshPages();
        for (int p = 1; p <= 9; ++p) {
            QStringList frames; // each frame of a page has its own caption
            for (auto* w : pages->page(p)->findChildren<QWidget*>()) {
                QStringList captions = {w->property("text").toString(),
                                        w->property("title").toString()};
                if (w->objectName().startsWith("fraContainerPart"))
                    frames << captions[1];
                if (auto* list = qobject_cast<QComboBox*>(w))
                    for (int i = 0; i < list->count(); ++i)
                        captions << list->itemText(i);
                for (const QString& caption : captions)
                    EXPECT_FALSE(keyLike.match(caption).hasMatch()) << caption.toStdString();
                // The group file box has no tip of its own.
                EXPECT_TRUE(!qobject_cast<QLineEdit*>(w) || p == 1 || p == 9 ||
                            w->objectName() == "txtInfoPart02_0" || !w->toolTip().isEmpty())
                    << language.toStdString() << " " << w->objectName().toStdString();
            }
            EXPECT_EQ(QSet<QString>(frames.begin(), frames.end()).size(), frames.size()) << p;
        }
        EXPECT_TRUE(find<QLabel>(2, "lblPart01_3")->text().endsWith("13-16")); // a group's last
        EXPECT_GE(store.lstData[0].size(), 8) << "GPIO input functions";
        EXPECT_GE(store.lstData[1].size(), 8) << "GPIO output functions";
    }
}

// Receive, edit on three pages through real events, send: the simulator holds the edited block.
TEST(PagesAgainstSimulator, ReceiveEditOnThreePagesAndSendGivesTheSimulatorTheEditedBlock) {
    LinkRig rig{{{"TimeOut", "10"}}}; // a generous answer time: the machine may be busy
    ASSERT_TRUE(rig.opened);
    rig.switches.InitDone = true;
    // A data set block only: neither a reset nor a configuration file is needed here.
    Decoder::Files none{
        [] {}, [](QString&, int, const ConfigBlock&, const ConfigGroup&, bool) { return true; }};
    Decoder decoder(rig.store, rig.switches, *rig.texts, *rig.log, rig.ui, rig.ui, none);
    Encoder encoder(rig.store, rig.switches, *rig.texts, *rig.log, rig.ui);
    ChooseDialog chooser(*rig.texts);
    DataPages pages(
        rig.store, rig.switches, *rig.texts, rig.ui, [&]() -> ChooseDialog& { return chooser; },
        nullptr);
    rig.ui.onRefresh = [&] { pages.RefreshPages(); };
    rig.ui.onTakeOver = [&] { pages.TakeOverPages(); };
    rig.ui.onNameBox = [&](int g, int i) { return pages.nameBox(g, i); };
    QObject::disconnect(rig.interpreter.get(), &CommandInterpreter::hexDataReceived, nullptr,
                        nullptr);
    QObject::connect(rig.interpreter.get(), &CommandInterpreter::hexDataReceived,
                     [&](QString payload) { decoder.Interpret_HexData(payload); });

    // Receive: 84 "20", the controller answers 85 with its data set.
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x84") + "20\r"));
    ASSERT_TRUE(rig.transport->WaitForResponse("85"));
    auto* digital2 = pages.page(2)->findChild<QLineEdit*>("txtInputDigital_1");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return digital2->text() == "Dig 02"; }, 3000));
    const DataSet received = rig.store.DataSet;

    digital2->selectAll();
    QTest::keyClicks(digital2, "Snare'");
    Offer offer;
    scriptChooser(chooser, 100, false, offer); // digital input 1 into cell A of row 1
    QTest::mouseClick(pages.page(3)->findChild<QWidget*>("txtInputA_0"), Qt::LeftButton);
    QTest::mouseClick(pages.page(6)->findChild<QWidget*>("chkMachSource03_4"), Qt::LeftButton);
    DataSet edited = received;
    edited.Name.InputDigitalName[2] = QStringLiteral("Snare");
    edited.Layer.LayerA[1] = 100;
    edited.Editor.MachSource(3) = {0, 0, 0, 0, 0, 1};
    EXPECT_TRUE(rig.store.DataSet == received); // nothing reaches the data set before a take-over

    // Send: take over, 85 "20", the controller answers 86 with the checksum.
    pages.TakeOverPages();
    EXPECT_TRUE(rig.store.DataSet == edited);
    QString frame;
    ASSERT_EQ(encoder.Preparing_DataExchange(frame, "20"), "");
    const QString payload = frame.mid(1, frame.size() - 2);
    rig.interpreter->LastSentChecksum = CalcChecksum(payload);
    ASSERT_TRUE(rig.transport->TransmitData(frame));
    ASSERT_TRUE(rig.transport->WaitForResponse("86"));
    EXPECT_EQ(rig.sim.dump().value("20").toUpper(), payload.toUpper());
}

// Pages whose services were never connected stop at their first use, saying so.
TEST_F(PagesDeathTest, WithoutServicesTheFirstUseStopsSayingSo) {
    DataPages bare(
        store, switches, *texts, ui, [this]() -> ChooseDialog& { return *chooser; }, nullptr);
    EXPECT_DEATH(bare.Synchronise(), "services not connected");
}

} // namespace
} // namespace zoz::test
