// Editing every kind of page control through real input events; the change reaches the data set
// at the next TakeOverPages and not before.
#include "PageFixture.h"

#include "pages/AssignBox.h"
#include "pages/SnapShotPage.h"
#include "pages/ValueCheckBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace zoz::test {
namespace {

// Types any character, also those outside ASCII that QTest::keyClicks cannot name.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class PageEditing : public PageFixture {
protected:
    void SetUp() override {
        PageFixture::SetUp();
        populate(store.DataSet, dir.path());
        store.DataSetDefault = store.DataSet;
        pages->RefreshPages();
    }

    // The user's part in the choose dialog: what it offered and which row it preselected.
    struct Offer {
        QList<int> codes;
        QStringList texts;
        int preselected = -1;
    };

    // Picks the row with `code` by a click and OK (or a double click), or presses Cancel.
    void scriptChooser(int code, bool doubleClick, Offer& offer, bool cancel = false) {
        chooser->setModalRunner([&offer, code, doubleClick, cancel](ChooseDialog& dialog) {
            QListWidget* list = dialog.lstChoose();
            for (int row = 0; row < list->count(); ++row) {
                offer.codes.append(list->item(row)->data(Qt::UserRole).toInt());
                offer.texts.append(list->item(row)->text());
                if (list->item(row)->isSelected())
                    offer.preselected = offer.codes.last();
            }
            if (cancel) {
                QTest::mouseClick(dialog.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
                return;
            }
            const int row = static_cast<int>(offer.codes.indexOf(code));
            ASSERT_GE(row, 0) << "code " << code << " not offered";
            const QPoint at = list->visualItemRect(list->item(row)).center();
            if (doubleClick) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            } else {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
            }
        });
    }
};

TEST_F(PageEditing, TypingIntoANameBoxPassesOnlyTheAllowedCharacters) {
    auto* box = find<QLineEdit>(2, "txtInputAnalog_2");
    box->clear();
    typeText(box, QString::fromUtf8("A'b\"/ ä§9xyz"));
    EXPECT_EQ(box->text(),
              QString::fromUtf8("Ab/ §9xy")); // apostrophe, quote, umlaut dropped; 8 max
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(store.DataSet.Name.InputAnalogName[3].trimmedRight(), "G2ch3"); // not yet taken over
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Name.InputAnalogName[3].text(), QString::fromUtf8("Ab/ §9x "));
    EXPECT_EQ(CodePage::fromUnicode(store.DataSet.Name.InputAnalogName[3].text()).at(4),
              static_cast<char>(167));
}

TEST_F(PageEditing, TheVersionBoxTakesFourDigitsOnly) {
    auto* box = find<QLineEdit>(9, "txtQPLVersion");
    box->clear();
    QTest::keyClicks(box, "1a2.3-45");
    EXPECT_EQ(box->text(), "1234");
    QTest::keyClick(box, Qt::Key_Backspace);
    pages->TakeOverPages();
    EXPECT_EQ(store.QPLVersion.text(), "123 ");
}

TEST_F(PageEditing, ChoosingAChannelOnTheLayerPageOffersThePairAndStoresTheChoice) {
    auto* cell = find<AssignBox>(3, "txtInputB_1"); // row 2: even-numbered channels
    ASSERT_EQ(cell->tag(), "202");
    Offer offer;
    scriptChooser(105, false, offer);
    QTest::mouseClick(cell, Qt::LeftButton);

    // Digital 2, 4 .. 16, analog 2 .. 8, Adat 2 .. 8; no ext. monitor, no outputs, no "none".
    QList<int> expected;
    for (int k = 1; k < 16; k += 2)
        expected.append(100 + k);
    for (int group : {2, 3})
        for (int k = 1; k < 8; k += 2)
            expected.append(group * 100 + k);
    EXPECT_EQ(offer.codes, expected);
    EXPECT_EQ(offer.texts.first(), "G1ch2");
    EXPECT_EQ(offer.preselected, -1); // 202 lies on the other side of the pair
    EXPECT_EQ(cell->text(), "G1ch6");
    EXPECT_EQ(store.DataSet.Layer.LayerB[2], 202);
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Layer.LayerB[2], 105);
}

TEST_F(PageEditing, DropDownButtonAndCellOpenTheSameChooserAndCancelKeepsTheCell) {
    auto* cell = find<AssignBox>(3, "txtInputA_2");
    ASSERT_EQ(cell->tag(), "104");
    Offer viaCell, viaButton;
    scriptChooser(0, false, viaCell, true);
    QTest::mouseClick(cell, Qt::LeftButton);
    scriptChooser(0, false, viaButton, true);
    QTest::mouseClick(find<QToolButton>(3, "picA_2"), Qt::LeftButton);
    EXPECT_EQ(viaCell.codes, viaButton.codes);
    EXPECT_EQ(viaCell.preselected, 104);
    EXPECT_EQ(viaButton.preselected, 104);
    EXPECT_EQ(cell->tag(), "104");
    EXPECT_EQ(cell->text(), "G1ch5");
}

TEST_F(PageEditing, OkWithoutASelectionAssignsNothing) {
    auto* cell = find<AssignBox>(3, "txtInputA_0");
    chooser->setModalRunner([](ChooseDialog& dialog) {
        dialog.lstChoose()->clearSelection();
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_EQ(cell->text(), "- none -");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Layer.LayerA[1], 0);
}

TEST_F(PageEditing, MonitorKeysOfferExtMonInputsAndOutputsOnlyWhenAsked) {
    Offer plain;
    scriptChooser(402, true, plain);
    QTest::mouseClick(find<AssignBox>(4, "txtExtMon_2"), Qt::LeftButton); // odd channels
    EXPECT_TRUE(plain.codes.contains(400));
    EXPECT_TRUE(plain.codes.contains(402));
    EXPECT_FALSE(plain.codes.contains(401));
    EXPECT_FALSE(plain.codes.contains(500));
    EXPECT_EQ(plain.preselected, 402);

    switches.OutputOnMonitorKeys = true;
    Offer withOutputs;
    scriptChooser(503, true, withOutputs);
    QTest::mouseClick(find<QToolButton>(4, "pic_1"), Qt::LeftButton); // even channels
    EXPECT_EQ(withOutputs.codes.mid(withOutputs.codes.size() - 4),
              (QList<int>{401, 403, 501, 503}));
    EXPECT_EQ(find<AssignBox>(4, "txtExtMon_1")->text(), "G5ch4");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Monitor.ExtMon[2], 503);
}

TEST_F(PageEditing, ChoosingAGpioFunctionOnTheFBoxPageUsesTheSharedLists) {
    Offer offer;
    scriptChooser(101, true, offer);
    QTest::mouseClick(find<AssignBox>(8, "txtOutput_3"), Qt::LeftButton);
    EXPECT_EQ(offer.codes, (QList<int>{100, 101, 102, 103}));
    EXPECT_EQ(offer.texts, (QStringList{"3\tTally red", "4\tTally green", "9\t", "21\tMute"}));
    EXPECT_EQ(offer.preselected, 100);
    EXPECT_EQ(find<AssignBox>(8, "txtOutput_3")->text(), "4");
    EXPECT_EQ(find<QLineEdit>(8, "txtOutputInfo_3")->text(), "Tally green");

    Offer inputs;
    scriptChooser(103, false, inputs);
    QTest::mouseClick(find<QToolButton>(5, "picIn_2"), Qt::LeftButton);
    EXPECT_EQ(inputs.texts.first(), "1\tStart");
    EXPECT_EQ(find<QLineEdit>(5, "txtInputInfo_2")->text(), "Locate");
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.FBox.FBoxOutput[4], 101);
    EXPECT_EQ(store.DataSet.GPIO.GPIOInput[3], 103);
}

TEST_F(PageEditing, OptionGroupsKeepExactlyOneCheckedBox) {
    auto* mono = find<ValueCheckBox>(4, "chkMonMode_1");
    QTest::mouseClick(mono, Qt::LeftButton);
    QTest::mouseClick(mono, Qt::LeftButton); // the checked box stays checked
    auto* esam = find<ValueCheckBox>(6, "chkControl_1");
    QTest::mouseClick(find<ValueCheckBox>(6, "chkControl_2"), Qt::LeftButton);
    QTest::mouseClick(esam, Qt::LeftButton);
    QTest::mouseClick(find<ValueCheckBox>(4, "chkPeakmeter_0"), Qt::LeftButton);
    QTest::mouseClick(find<ValueCheckBox>(4, "chkMonAbgriff_0"), Qt::LeftButton);
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Monitor.MonMode, (std::array<qint16, 5>{0, 0, 1, 0, 0}));
    EXPECT_EQ(store.DataSet.Editor.Control, (std::array<qint16, 4>{0, 0, 1, 0}));
    EXPECT_EQ(store.DataSet.Monitor.Peakmeter, (std::array<qint16, 3>{0, 1, 0}));
    EXPECT_EQ(store.DataSet.Monitor.MonAbgriff, (std::array<qint16, 4>{0, 1, 0, 0}));
}

TEST_F(PageEditing, MachineSourceColumnsHoldAtMostOneRow) {
    const MachSourceRows source4 = store.DataSet.Editor.MachSource(4);
    auto* rowA = find<ValueCheckBox>(6, "chkMachSource05_1");
    QTest::mouseClick(rowA, Qt::LeftButton);
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Editor.MachSource(5), (MachSourceRows{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(store.DataSet.Editor.MachSource(4), source4); // other sources untouched
    QTest::mouseClick(rowA, Qt::LeftButton); // clicking the checked box clears the source
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Editor.MachSource(5), (MachSourceRows{0, 0, 0, 0, 0, 0}));
}

TEST_F(PageEditing, SnapshotSwitchesToggleTheirTagImageAndToolTip) {
    build(defaultIni() + "[TabStrip_SnapShot_ENG]\r\nPart01.Button01.ToolTip_ON=one on\r\n"
                         "Part01.Button01.ToolTip_OFF=one off\r\n");
    store.DataSet.SnapShot.SnapShotSwitch1[3] = 0;
    store.DataSet.SnapShot.SnapShotSwitch2[3] = 2;
    pages->RefreshPages();
    auto* bar = find<QToolBar>(7, "ToolbarPart01_2");
    QToolButton* first = SnapShotPage::button(bar, 1);
    QToolButton* second = SnapShotPage::button(bar, 2);
    EXPECT_EQ(first->toolTip(), "one off");
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(first->property("Tag").toString(), "1");
    EXPECT_EQ(SnapShotPage::imageOf(first), 1);
    EXPECT_EQ(first->toolTip(), "one on");
    QTest::mouseClick(second, Qt::LeftButton); // 2 counts as on for the toggle
    EXPECT_EQ(second->property("Tag").toString(), "0");
    EXPECT_EQ(SnapShotPage::imageOf(second), 4);
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch1[3], 1);
    EXPECT_EQ(store.DataSet.SnapShot.SnapShotSwitch2[3], 0);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(first->property("Tag").toString(), "0");
    EXPECT_EQ(SnapShotPage::imageOf(first), 2);
    EXPECT_EQ(first->toolTip(), "one off");
}

TEST_F(PageEditing, RequestAndSendButtonsActOnTheirConfiguration) {
    QList<int> requested, sent, commands;
    QStringList logged;
    pages->services.requestConfiguration = [&](int c) {
        requested.append(c);
        return QString();
    };
    pages->services.sendConfiguration = [&](int c) {
        sent.append(c);
        return c == 0 ? QStringLiteral("disk full") : QString();
    };
    pages->services.writeLog = [&](const QString& text) { logged.append(text); };
    pages->services.menuCommand = [&](int c) { commands.append(c); };
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart01_5"), 4),
                      Qt::LeftButton);
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart01_0"), 5),
                      Qt::LeftButton);
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart02_0"), 4),
                      Qt::LeftButton);
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart02_0"), 5),
                      Qt::LeftButton);
    QTest::mouseClick(SnapShotPage::button(find<QToolBar>(7, "ToolbarPart01_7"), 3),
                      Qt::LeftButton);
    QTest::mouseClick(find<QToolBar>(9, "ToolbarPart01")->findChild<QToolButton*>("Button1"),
                      Qt::LeftButton);
    EXPECT_EQ(requested, (QList<int>{6, 0}));
    EXPECT_EQ(sent, (QList<int>{1, 0}));
    EXPECT_EQ(commands, (QList<int>{108}));
    // Only the failed group send is reported, with the failure's description.
    EXPECT_EQ(logged, (QStringList{"  Transfer failed: disk full"}));
}

TEST_F(PageEditing, ChoosingListItemsByKeyboard) {
    auto* volume = find<QComboBox>(4, "cmbVolume");
    volume->setFocus();
    QTest::keyClick(volume, Qt::Key_Down); // 32 -> 33
    auto* kanal = find<QComboBox>(4, "cmbKanal");
    QTest::keyClick(kanal, Qt::Key_Up); // 1 -> 0
    QTest::keyClick(find<QComboBox>(6, "cmbFrames"), Qt::Key_Up);
    QTest::keyClick(find<QComboBox>(6, "cmbChannels"), Qt::Key_Up);
    QTest::keyClick(find<QComboBox>(7, "cmbStartUpConf"), Qt::Key_End);
    pages->TakeOverPages();
    EXPECT_EQ(store.DataSet.Monitor.MonVolume, 33);
    EXPECT_EQ(volume->currentText(), "+  1 dB");
    EXPECT_EQ(store.DataSet.Monitor.MonKanal, 0);
    EXPECT_EQ(store.DataSet.Editor.Frames, 0);
    EXPECT_EQ(store.DataSet.Editor.Channels, 0);
    EXPECT_EQ(store.DataSet.SnapShot.StartUpConf, 8);
}

TEST_F(PageEditing, RenamedDigitalInputAppearsOnTheLayerPageAtTheTabChange) {
    auto* name = find<QLineEdit>(2, "txtInputDigital_4");
    name->clear();
    QTest::keyClicks(name, "Snare");
    auto* cell = find<AssignBox>(3, "txtInputA_2"); // holds 104
    EXPECT_EQ(cell->text(), "G1ch5");
    pages->TabSelected(3);
    EXPECT_EQ(cell->text(), "Snare");
    EXPECT_EQ(store.DataSet.Name.InputDigitalName[5].trimmedRight(), "Snare");
}

TEST_F(PageEditing, AClearedNameTakesItsDefaultBackAtTheTabChange) {
    store.DataSetDefault.Name.InputDigitalName[2] = QStringLiteral("Factory2");
    store.DataSetDefault.Name.OutputSummenName[2] = QStringLiteral("BusTwo");
    auto* digital = find<QLineEdit>(2, "txtInputDigital_1");
    auto* bus = find<QLineEdit>(2, "txtOutputSummen_1");
    digital->selectAll();
    QTest::keyClick(digital, Qt::Key_Delete);
    bus->selectAll();
    QTest::keyClick(bus, Qt::Key_Backspace);
    ASSERT_TRUE(bus->text().isEmpty());
    pages->TabSelected(4);
    EXPECT_EQ(digital->text(), "Factory2");
    EXPECT_EQ(bus->text(), "BusTwo");
    EXPECT_EQ(ui.lastStatus(), "Blank name of Bus 2 replaced");
}

} // namespace
} // namespace zoz::test
