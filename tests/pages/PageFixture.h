#pragma once

#include "dataset/DataStore.h"
#include "log/AppLog.h"
#include "pages/DataPage.h"
#include "pages/DataPages.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "support/ProgramFolder.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUi.h"
#include "widgets/ChooseDialog.h"

#include <gtest/gtest.h>
#include <memory>

namespace zoz::test {

// The GPIO function lists, a few texts, the store, the chooser and the nine pages, wired as
// the composition root wires them.
class PageFixture : public ::testing::Test {
protected:
    static QByteArray defaultIni() {
        return "[Main]\r\nLanguage=ENG\r\n[Messages_ENG]\r\nNotDefined=- none -\r\n"
               "MonitorOff=mute\r\nBlankNames_Replaced=Blank name of & replaced\r\n"
               "SnapShot_Transfer_Err=Transfer failed: &\r\n[GPIO_Input_Data_ENG]\r\n1=Start\r\n"
               "5=Stop\r\n7=Record\r\n12=Locate|extra\r\n[GPIO_Output_Data_ENG]\r\n"
               "3=Tally red\r\n4=Tally green\r\n9=\r\n21=Mute\r\n[TabStrip_Name_ENG]\r\n"
               "Part01.ToolTip01=Digital input 1\r\nPart05.ToolTip02=Bus 2\r\n";
    }

    void SetUp() override { build(defaultIni()); }

    void build(const QByteArray& ini, const QString& language = QStringLiteral("ENG")) {
        pages.reset();
        switches.ProgramFolder = dir.path();
        switches.IniFileName = folder.writeIni(ini);
        switches.Language = language;
        texts = std::make_unique<Texts>(switches.IniFileName);
        texts->setLanguage(language);
        switches.NotDefinedText = texts->message(QStringLiteral("NotDefined"));
        chooser = std::make_unique<ChooseDialog>(*texts);
        pages = std::make_unique<DataPages>(
            store, switches, *texts, ui, [this]() -> ChooseDialog& { return *chooser; }, nullptr);
        ui.onNameBox = [this](int group, int index) { return pages->nameBox(group, index); };
        pages->setServices(services);
        switches.InitDone = true;
    }

    template <typename T> T* find(int page, const QString& name) const {
        T* widget = pages->page(page)->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    // Names for all 40 channels, every option group with one member set, valid codes.
    static void populate(DataSet& d, const QString& folder) {
        for (int g = 1; g <= DataSet::GroupCount; ++g)
            for (int i = 1; i <= DataSet::GroupSize[g]; ++i)
                d.ChannelName(g, i) = QStringLiteral("G%1ch%2").arg(g).arg(i);
        d.ChannelName(1, 16) = QStringLiteral("Kick/Sn ");
        for (int r = 1; r <= 6; ++r) {
            d.Layer.LayerA[r] = static_cast<qint16>(100 + 2 * (r - 1));
            d.Layer.LayerB[r] = static_cast<qint16>(201 + (r - 1));
            d.Layer.LayerC[r] = static_cast<qint16>(r == 3 ? 0 : 300 + r);
            d.Layer.LayerD[r] = static_cast<qint16>(r == 6 ? 401 : 114);
        }
        d.Monitor.MonMode[3] = d.Monitor.MonAbgriff[2] = d.Monitor.Peakmeter[2] = 1;
        d.Monitor.MonVolume = 32;
        d.Monitor.MonKanal = 1;
        d.Monitor.ExtMon = {0, 100, 501, 402, 0};
        d.GPIO.GPIOInput = {0, 100, 103, 0, 101};
        for (int i = 1; i <= 16; ++i)
            d.GPIO.GPIOOutput[i] = static_cast<qint16>(i % 5 == 0 ? 0 : 100 + i % 4);
        for (int s = 1; s <= 12; ++s)
            d.Editor.MachSource(s)[1 + (s * 3) % 5] = 1;
        d.Editor.MachSource(7) = {0, 0, 0, 0, 0, 0};
        d.Editor.Control[2] = d.Editor.Frames = d.Editor.Channels = 1;
        for (int i = 1; i <= 8; ++i) {
            d.SnapShot.SnapShotSwitch1[i] = static_cast<qint16>(i % 2);
            d.SnapShot.SnapShotSwitch2[i] = static_cast<qint16>((i / 2) % 2);
            d.SnapShot.SnapShotFile[i] = QStringLiteral("%1/SNAP%2.CNS").arg(folder).arg(i);
        }
        d.SnapShot.SnapShotFile[3] = QStringLiteral("C:\\show\\SNAP3.CNS");
        d.SnapShot.SnapShotFile[5] = QStringLiteral("/elsewhere/SNAP5.CNS");
        d.SnapShot.SnapShotFile[8] = QString();
        d.SnapShot.SnapShotGroupFile = folder + QStringLiteral("/GROUP.CNG");
        d.SnapShot.StartUpConf = 4;
        d.FBox.FBoxInput = {0, 100, 101, 102, 103, 0, 100, 101, 102, 103};
        d.FBox.FBoxOutput = {0, 103, 102, 101, 100, 0, 103, 102, 101, 100};
    }

    ProgramFolder folder;
    const QTemporaryDir& dir = folder.dir;
    Switches switches;
    std::unique_ptr<Texts> texts;
    AppLog log{dir.path(), QStringLiteral("zozedud")};
    DataStore store;
    ScriptedUi ui;
    // The composition root's side: names checked against the Names page, transfers and log lines
    // recorded; sending the group (0) fails.
    struct Services : PageServices {
        explicit Services(PageFixture& f) : f(f) {}
        void blankNamesReplaced() override {
            f.store.BlankNames_Replaced(f.ui, f.ui, *f.texts, f.log, true);
        }
        QString requestConfiguration(int c) override {
            requested.append(c);
            return {};
        }
        QString sendConfiguration(int c) override {
            sent.append(c);
            return c == 0 ? QStringLiteral("disk full") : QString();
        }
        void writeLog(const QString& text) override { logged.append(text); }
        PageFixture& f;
        QList<int> requested, sent;
        QStringList logged;
    } services{*this};
    std::unique_ptr<ChooseDialog> chooser;
    std::unique_ptr<DataPages> pages;
};

} // namespace zoz::test
