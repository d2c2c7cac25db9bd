#include "control/Dispatcher.h"

#include "app/Shutdown.h"
#include "dataset/DataSetImage.h"
#include "dataset/HexCodec.h"
#include "support/LinkRig.h"

#include <functional>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

// The dispatcher with the real link, files, encoder and decoder behind it; the user is scripted.
struct DispatchRig : LinkRig {
    DispatchRig() {
        write("zozedud.Ini", read("zozedud.Ini") +
                                 "QuerySendData=Send?\r\nQueryRequestData=Receive?\r\n"
                                 "QuerySendDataReset=Reset?\r\nTransmitData_Request=Requesting\r\n"
                                 "Comm_Command_Unknown=Unknown [&]\r\nReadingData_Ok=Read ok\r\n"
                                 "Interpret_MenuCommand_Err=Command failed: &\r\n");
        ui.caption = QStringLiteral("VX418 ZozEdud Version 2.0 Build 1");
        addFiles();
        shutdown = std::make_unique<Shutdown>(switches, *texts, *log, ui, ui);
        shutdown->setTerminator([this] { ++terminated; });
        dispatcher = std::make_unique<Dispatcher>(switches, *texts, *log, ui, ui, ui, store,
                                                  *encoder, *decoder, *dataFile, *transport,
                                                  *interpreter, *transfer, *shutdown);
        QObject::connect(dispatcher.get(), &Dispatcher::protocolRequested,
                         [this] { windowsShown << "protocol"; });
        QObject::connect(dispatcher.get(), &Dispatcher::aboutRequested,
                         [this] { windowsShown << "about"; });
        store.InitDataSet(ui);
        // The Names page shows the data set.
        ui.onNameBox = [this](int group, int index) {
            return NameBox{store.DataSet.ChannelName(group, index).trimmedRight(), {}};
        };
    }

    void run(int command) { dispatcher->Interpret_MenuCommand(command); }

    std::unique_ptr<Shutdown> shutdown;
    std::unique_ptr<Dispatcher> dispatcher;
    QStringList windowsShown;
    int terminated = 0;
};

// No (or Cancel) to a question sends nothing; 6 and 7 send after a Yes, 106, 8 and 9 without a
// question. Each answer is interpreted on the next receive tick, before the user's next command.
TEST(Dispatcher, CommandsAskWhereNeededSendTheirFramesAndTheAnswersAreInterpreted) {
    DispatchRig rig;
    rig.interpreter->RequestedBlock = QStringLiteral("33");
    rig.ui.answers.append({MsgAnswer::No, MsgAnswer::No, MsgAnswer::No, MsgAnswer::Cancel});
    for (const int command : {5, 6, 7, 6})
        rig.run(command);
    EXPECT_EQ(rig.ui.events.filter("box:"),
              QStringList({"box:Send?", "box:Receive?", "box:Reset?", "box:Receive?"}));
    for (const auto& box : rig.ui.boxes) {
        EXPECT_EQ(box.buttons, MsgButtons::YesNo);
        EXPECT_EQ(box.icon, MsgIcon::Critical);
        EXPECT_EQ(box.title, rig.ui.caption);
    }
    EXPECT_TRUE(rig.sim.quietFor("RX ", 400));
    EXPECT_EQ(rig.interpreter->RequestedBlock, "33"); // kept for a later send

    const QList<std::tuple<int, QString, std::function<bool()>>> commands = {
        {6, "RX 84 20", [&] { return rig.decoded.size() == 1; }},
        {106, "RX 84 20", [&] { return rig.decoded.size() == 2; }},
        {7, "RX 87 ", [&] { return !rig.ui.events.filter("box:  Comm_Reset_Done").isEmpty(); }},
        {8, "RX 82 ", [&] { return rig.store.StatusText[3].trimmedRight().contains("V2."); }},
        {9, "RX 80 ",
         [&] { return !rig.ui.statusTexts.filter("Comm_OnlineTest_Info").isEmpty(); }}};
    for (const auto& [command, frame, answered] : commands) {
        rig.ui.answers.enqueue(MsgAnswer::Yes);
        rig.run(command);
        EXPECT_EQ(rig.ui.answers.isEmpty(), command == 6 || command == 7) << command; // asked
        rig.ui.answers.clear();
        EXPECT_EQ(rig.sim.waitFor(frame.left(5)), frame) << command;
        EXPECT_TRUE(LinkRig::spinUntil(answered, 3000)) << command;
    }
    EXPECT_EQ(rig.ui.events.filter("commShow:").value(0), "commShow:Requesting");
}

// 5 sends the data set with the pages taken over first and keeps its checksum for the answer; 107
// answers the controller's request without asking, with the requested block; 108 the version.
TEST(Dispatcher, SendingTheDataSetARequestedBlockAndTheVersion) {
    DispatchRig rig;
    rig.ui.onTakeOver = [&] {
        rig.store.DataSet.Name.InputDigitalName[2] = QStringLiteral("Snare");
    };
    rig.interpreter->RequestedBlock = QStringLiteral("20");
    rig.ui.answers.append({MsgAnswer::Yes});
    rig.run(5);
    const QString payload = rig.sim.waitFor("RX 85").mid(6);
    EXPECT_TRUE(payload.startsWith("20"));
    EXPECT_TRUE(payload.contains(StrToHex("Snare   ")));
    EXPECT_EQ(rig.interpreter->LastSentChecksum, CalcChecksum(payload));
    EXPECT_TRUE(
        LinkRig::spinUntil([&] { return rig.ui.statusTexts.contains("  Comm_Data_Sent"); }, 3000));
    EXPECT_EQ(rig.interpreter->RequestedBlock, "");

    rig.ui.fileNames.enqueue(rig.write("three.CNS", QByteArray(512, 'c')));
    rig.interpreter->RequestedBlock = QStringLiteral("33");
    rig.ui.answers.append({MsgAnswer::No}); // would stop a send that asked
    rig.run(107);
    const QString line = rig.sim.waitFor("RX 85");
    EXPECT_TRUE(line.startsWith("RX 85 33" + QString("63").repeated(8))) << line.toStdString();
    EXPECT_EQ(rig.interpreter->RequestedBlock, "");
    rig.run(107); // nothing requested: the data set
    EXPECT_TRUE(rig.sim.waitFor("RX 85").startsWith("RX 85 20"));

    rig.ui.boxes.clear();
    rig.ui.onTakeOver = [&] { rig.store.QPLVersion = QStringLiteral(""); }; // an empty box
    rig.run(108);
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes[0].text, "Keine QPL Versionsnummer angegeben...");
    EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::Critical);
    rig.ui.onTakeOver = [&] { rig.store.QPLVersion = QStringLiteral("12"); };
    rig.run(108);
    EXPECT_EQ(rig.sim.waitFor("RX "), "RX 89 31322020");
    EXPECT_EQ(rig.ui.lastStatus(), QStringLiteral("  QPL Versionsnummer übertragen"));
}

// 11 and 12 show their windows, 14 ends the program after a Yes; any other number goes to the log.
// The test button runs encoder and decoder without a controller; a failure goes to the log too.
TEST(Dispatcher, CommandsWithoutTheControllerAndTheirFailures) {
    DispatchRig rig;
    rig.ui.answers.append({MsgAnswer::No, MsgAnswer::Yes});
    for (const int command : {11, 4, 12, 10, 13, 0, 14, 15, 105, 109, -3})
        rig.run(command);
    EXPECT_EQ(rig.windowsShown, (QStringList{"protocol", "about"}));
    EXPECT_EQ(rig.terminated, 0);
    rig.run(14);
    EXPECT_EQ(rig.terminated, 1);
    EXPECT_EQ(rig.ui.boxes.size(), 2);
    const QString proto = rig.proto.text();
    for (const char* number : {" 4", " 109", "-3"})
        EXPECT_TRUE(proto.contains(QString("  Command failed:   Unknown [%1]").arg(number)));
    EXPECT_EQ(proto.count("Command failed"), 8);

    rig.ui.boxes.clear();
    rig.ui.onTakeOver = [&] { rig.store.DataSet.Name.InputAdatName[3] = QStringLiteral("Pads"); };
    rig.dispatcher->TestButton();
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes[0].text, "Erstellt");
    EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::None);
    EXPECT_EQ(rig.store.DataSet.Name.InputAdatName[3].trimmedRight(), "Pads");
    rig.store.DataSet.Editor.Frames = 2; // refused by the encoder
    rig.ui.busy = true;
    rig.dispatcher->TestButton();
    EXPECT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_TRUE(rig.proto.text().contains("  Command failed: Subscript out of range\r\n"));
    EXPECT_FALSE(rig.ui.busy);
    EXPECT_TRUE(rig.sim.quietFor("RX ", 300));
}

TEST(Dispatcher, FilesGoThroughTheDataFile) {
    DispatchRig rig;
    DataSet other = rig.store.DataSet;
    other.Name.InputAnalogName[4] = QStringLiteral("Vox");
    const QString file = rig.write("other.DAT", DataSetImage::Write(other));
    rig.ui.fileNames.enqueue(file);
    rig.ui.answers.append({MsgAnswer::Yes});
    const int refreshes = rig.ui.refreshCount;
    rig.run(1);
    EXPECT_EQ(rig.store.DataSet.Name.InputAnalogName[4].trimmedRight(), "Vox");
    EXPECT_EQ(rig.switches.DatFileName, file);
    EXPECT_GT(rig.ui.refreshCount, refreshes);
    EXPECT_EQ(rig.ui.lastStatus(), "Read ok");
    // Saving takes the pages over first and writes the chosen file.
    rig.ui.fileNames.enqueue(rig.path("saved.DAT"));
    rig.ui.onTakeOver = [&] { rig.store.DataSet.Name.InputAnalogName[4] = QStringLiteral("Bass"); };
    rig.run(2);
    EXPECT_TRUE(rig.read("saved.DAT").contains("Bass    "));
}

// Centred on the main window; kept on the screen, and at 1, 1 when off to the left and top.
TEST(Dispatcher, ProtocolWindowIsCentredAndKeptOnTheScreen) {
    const QList<std::pair<QRect, QPoint>> cases{{{100, 100, 625, 480}, {100 + 225 / 2, 100 + 90}},
                                                {{900, 700, 625, 480}, {1024 - 400, 768 - 300}},
                                                {{-600, -400, 625, 480}, {1, 1}}};
    for (const auto& [window, expected] : cases)
        EXPECT_EQ(Dispatcher::ProtocolWindowPosition(window, {400, 300}, {1024, 768}), expected);
}

} // namespace
