// Receive the data set from qpl-sim onto the real pages, edit three pages through input events,
// send it back: the simulator then holds exactly the edited block.
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "dataset/HexCodec.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "link/ConfigTransfer.h"
#include "pages/AssignBox.h"
#include "pages/DataPage.h"
#include "pages/DataPages.h"
#include "pages/SnapShotPage.h"
#include "pages/ValueCheckBox.h"
#include "support/LinkRig.h"
#include "ui/ChooseDialog.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace zoz::test {
namespace {

class PagesAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.opened);
        QFile ini(rig.iniPath());
        ASSERT_TRUE(ini.open(QIODevice::Append));
        ini.write("NotDefined=(none)\r\n[GPIO_Input_Data_ENG]\r\n1=Talkback\r\n2=Dim\r\n"
                  "[GPIO_Output_Data_ENG]\r\n1=Red light\r\n2=Tally\r\n");
        ini.close();
        rig.switches.NotDefinedText = rig.texts->message("NotDefined");
        rig.switches.InitDone = true;
        dataFile = std::make_unique<DataFile>(rig.store, rig.switches, *rig.texts, *rig.log, rig.ui,
                                              [] {});
        configFile = std::make_unique<ConfigFile>(*dataFile, *rig.texts, *rig.log, rig.ui);
        decoder = std::make_unique<Decoder>(rig.store, rig.switches, *rig.texts, *rig.log, rig.ui,
                                            configFile->decoderFiles());
        encoder = std::make_unique<Encoder>(rig.store, rig.switches, *rig.texts, *rig.log, rig.ui);
        chooser = std::make_unique<ChooseDialog>(*rig.texts);
        pages = std::make_unique<DataPages>(rig.store, rig.switches, *rig.texts, *chooser, nullptr);
        pages->services.blankNamesReplaced = [this](bool show) {
            rig.store.BlankNames_Replaced(rig.ui, *rig.texts, *rig.log, show);
        };
        rig.ui.onRefresh = [this] { pages->RefreshPages(); };
        rig.ui.onTakeOver = [this] { pages->TakeOverPages(); };
        rig.ui.onNameBox = [this](int g, int i) { return pages->nameBox(g, i); };
        CommandInterpreter::Collaborators c;
        c.interpretHexData = [this](QString& payload) {
            ++decodedBlocks;
            decoder->Interpret_HexData(payload);
        };
        rig.interpreter->setCollaborators(c);
    }

    QWidget* control(int page, const QString& name) {
        QWidget* w = pages->page(page)->findChild<QWidget*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    // A generous answer time: the machine running the suite may be busy.
    LinkRig rig{{{"TimeOut", "10"}}};
    std::unique_ptr<DataFile> dataFile;
    std::unique_ptr<ConfigFile> configFile;
    std::unique_ptr<Decoder> decoder;
    std::unique_ptr<Encoder> encoder;
    std::unique_ptr<ChooseDialog> chooser;
    std::unique_ptr<DataPages> pages;
    int decodedBlocks = 0;
};

TEST_F(PagesAgainstSimulator, ReceiveEditOnThreePagesAndSendGivesTheSimulatorTheEditedBlock) {
    // Receive: 84 "20", the controller answers 85 with its data set.
    ASSERT_TRUE(rig.transport->TransmitData(QByteArray("\x84"
                                                       "20\r")));
    ASSERT_TRUE(rig.transport->WaitForResponse("85"));
    ASSERT_TRUE(LinkRig::spinUntil([this] { return decodedBlocks == 1; }, 3000));
    auto* digital2 = qobject_cast<QLineEdit*>(control(2, "txtInputDigital_1"));
    EXPECT_EQ(digital2->text(), "Dig 02");
    const DataSet received = rig.store.DataSet;

    // Names page: rename digital input 2 by typing.
    digital2->selectAll();
    QTest::keyClicks(digital2, "Snare'");
    // Layer page: cell A of row 1 gets digital input 1 from the chooser.
    chooser->setModalRunner([](ChooseDialog& dialog) {
        QListWidget* list = dialog.lstChoose();
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(Qt::UserRole).toInt() == 100) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(row)).center());
                break;
            }
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    });
    QTest::mouseClick(control(3, "txtInputA_0"), Qt::LeftButton);
    // Editor page: machine source 3 moves to row "D".
    QTest::mouseClick(control(6, "chkMachSource03_4"), Qt::LeftButton);

    DataSet edited = received;
    edited.Name.InputDigitalName[2] = QStringLiteral("Snare");
    edited.Layer.LayerA[1] = 100;
    edited.Editor.MachSource(3) = {0, 0, 0, 0, 0, 1};
    EXPECT_TRUE(rig.store.DataSet == received); // nothing reaches the data set before a take-over

    // Send: take over, 85 "20", the controller answers 86 with the checksum.
    pages->TakeOverPages();
    EXPECT_TRUE(rig.store.DataSet == edited);
    QString frame;
    ASSERT_EQ(encoder->Preparing_DataExchange(frame, "20"), "");
    const QString payload = frame.mid(1, frame.size() - 2);
    rig.interpreter->LastSentChecksum = CalcChecksum(payload);
    ASSERT_TRUE(rig.transport->TransmitData(frame));
    ASSERT_TRUE(rig.transport->WaitForResponse("86"));
    LinkRig::spin(100);

    EXPECT_EQ(rig.sim.dump().value("20").toUpper(), payload.toUpper());
    // The block the simulator holds is the received one with exactly the three edits.
    rig.store.DataSet = edited;
    QString expectedFrame;
    ASSERT_EQ(encoder->Preparing_DataExchange(expectedFrame, "20"), "");
    EXPECT_EQ(expectedFrame, frame);
    rig.store.DataSet = received;
    QString receivedFrame;
    ASSERT_EQ(encoder->Preparing_DataExchange(receivedFrame, "20"), "");
    EXPECT_NE(receivedFrame, frame);
}

TEST_F(PagesAgainstSimulator, SnapshotButtonsTransferTheirConfiguration) {
    ConfigTransfer transfer(rig.store, *configFile, *encoder, *rig.transport, *rig.interpreter,
                            *rig.reporter);
    pages->services.requestConfiguration = [&](int i) { return transfer.RequestConfiguration(i); };
    pages->services.sendConfiguration = [&](int i) { return transfer.SendConfiguration(i); };
    pages->RefreshPages();

    // Row 3 asks the controller for configuration 3.
    QTest::mouseClick(
        SnapShotPage::button(qobject_cast<QToolBar*>(control(7, "ToolbarPart01_2")), 4),
        Qt::LeftButton);
    EXPECT_EQ(rig.sim.waitFor("RX 84"), "RX 84 33");

    // Row 2 sends configuration 2 from the file the user picks; the page shows that file.
    QByteArray image(512, ' ');
    image.replace(0, 12, "SNAPSHOT TWO");
    const QString file = rig.dir.filePath("two.CNS");
    QFile cns(file);
    ASSERT_TRUE(cns.open(QIODevice::WriteOnly));
    cns.write(image);
    cns.close();
    rig.ui.fileNames.enqueue(file);
    QTest::mouseClick(
        SnapShotPage::button(qobject_cast<QToolBar*>(control(7, "ToolbarPart01_1")), 5),
        Qt::LeftButton);
    EXPECT_TRUE(rig.sim.waitFor("RX 85").startsWith("RX 85 32"));
    LinkRig::spin(100);
    EXPECT_EQ(rig.sim.dump().value("32").toUpper(), QString::fromLatin1(image.toHex()).toUpper());
    EXPECT_EQ(qobject_cast<QLineEdit*>(control(7, "txtInfoPart01_1"))->text(), "two.CNS");
}

} // namespace
} // namespace zoz::test
