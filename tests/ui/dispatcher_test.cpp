#include "ui/Dispatcher.h"

#include "app/IniFile.h"
#include "app/Shutdown.h"
#include "dataset/DataSetImage.h"
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "dataset/HexCodec.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "link/ConfigTransfer.h"
#include "support/LinkRig.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

// The dispatcher with the real link, files, encoder and decoder behind it, talking to qpl-sim; the
// user is scripted.
struct DispatchRig : LinkRig {
    DispatchRig() {
        for (const auto& [key, text] : {std::pair{"QuerySendData", "Send?"},
                                        {"QueryRequestData", "Receive?"},
                                        {"QuerySendDataReset", "Reset?"},
                                        {"TransmitData_Send", "Sending"},
                                        {"TransmitData_Request", "Requesting"},
                                        {"Comm_Command_Unknown", "Unknown [&]"},
                                        {"Interpret_MenuCommand_Err", "Command failed: &"},
                                        {"ReadingData_Ok", "Read ok"}})
            SetIniValue(iniPath(), QStringLiteral("Messages_ENG"), QString::fromLatin1(key),
                        QString::fromLatin1(text));
        ui.caption = QStringLiteral("VX418 ZozEdud Version 2.0 Build 1");
        dataFile = std::make_unique<DataFile>(store, switches, *texts, *log, ui, [] {});
        configFile = std::make_unique<ConfigFile>(*dataFile, *texts, *log, ui);
        encoder = std::make_unique<Encoder>(store, switches, *texts, *log, ui);
        decoder = std::make_unique<Decoder>(store, switches, *texts, *log, ui,
                                            configFile->decoderFiles());
        transfer = std::make_unique<ConfigTransfer>(store, *configFile, *encoder, *transport,
                                                    *interpreter, *reporter);
        shutdown = std::make_unique<Shutdown>(switches, *texts, *log, ui);
        shutdown->setTerminator([this] { ++terminated; });
        CommandInterpreter::Collaborators c;
        c.interpretHexData = [this](QString& payload) {
            decoded << payload;
            decoder->Interpret_HexData(payload);
        };
        interpreter->setCollaborators(c);
        dispatcher =
            std::make_unique<Dispatcher>(switches, *texts, *log, ui, store, *encoder, *decoder,
                                         *dataFile, *transport, *interpreter, *transfer, *shutdown);
        dispatcher->windows.showProtocol = [this] { windowsShown << "protocol"; };
        dispatcher->windows.showAbout = [this] { windowsShown << "about"; };
        store.InitDataSet(ui);
        // The Names page shows the data set.
        ui.onNameBox = [this](int group, int index) {
            return NameBox{store.DataSet.ChannelName(group, index).trimmedRight(), {}};
        };
    }

    int questions() const {
        int n = 0;
        for (const auto& box : ui.boxes)
            n += box.buttons == MsgButtons::YesNo;
        return n;
    }

    void run(int command) { dispatcher->Interpret_MenuCommand(command); }

    std::unique_ptr<DataFile> dataFile;
    std::unique_ptr<ConfigFile> configFile;
    std::unique_ptr<Encoder> encoder;
    std::unique_ptr<Decoder> decoder;
    std::unique_ptr<ConfigTransfer> transfer;
    std::unique_ptr<Shutdown> shutdown;
    std::unique_ptr<Dispatcher> dispatcher;
    QStringList windowsShown;
    int terminated = 0;
};

TEST(Dispatcher, ConfirmationsAskWithTheStopIconAndNoSendsNothing) {
    DispatchRig rig;
    ASSERT_TRUE(rig.opened);
    rig.interpreter->RequestedBlock = QStringLiteral("33");
    rig.ui.answers.append({MsgAnswer::No, MsgAnswer::No, MsgAnswer::No, MsgAnswer::Cancel});
    rig.run(5);
    rig.run(6);
    rig.run(7);
    rig.run(6);
    ASSERT_EQ(rig.ui.boxes.size(), 4);
    EXPECT_EQ(rig.ui.boxes[0].text, "Send?");
    EXPECT_EQ(rig.ui.boxes[1].text, "Receive?");
    EXPECT_EQ(rig.ui.boxes[2].text, "Reset?");
    for (const auto& box : rig.ui.boxes) {
        EXPECT_EQ(box.buttons, MsgButtons::YesNo);
        EXPECT_EQ(box.icon, MsgIcon::Critical);
        EXPECT_EQ(box.title, rig.ui.caption);
    }
    EXPECT_TRUE(rig.sim.quietFor("RX ", 400));
    // No leaves the controller's request for a later send.
    EXPECT_EQ(rig.interpreter->RequestedBlock, "33");
}

// Each command sends its frame; 6 and 7 only after a Yes, 106, 8 and 9 without a question. Each
// answer is interpreted on the next receive tick, before the user's next command.
TEST(Dispatcher, CommandsSendTheirFramesAndTheAnswersAreInterpreted) {
    DispatchRig rig;
    const auto resetDone = [&] {
        return std::any_of(rig.ui.boxes.begin(), rig.ui.boxes.end(),
                           [](const auto& b) { return b.text.contains("Comm_Reset_Done"); });
    };
    const QList<std::tuple<int, QString, std::function<bool()>>> commands = {
        {6, "RX 84 20", [&] { return rig.decoded.size() == 1; }},
        {106, "RX 84 20", [&] { return rig.decoded.size() == 2; }},
        {7, "RX 87 ", resetDone},
        {8, "RX 82 ", [&] { return rig.store.StatusText[3].trimmedRight().contains("V2."); }},
        {9, "RX 80 ", [&] { return !rig.statusesWith("Comm_OnlineTest_Info").isEmpty(); }}};
    for (const auto& [command, frame, answered] : commands) {
        rig.ui.answers.enqueue(MsgAnswer::Yes);
        rig.run(command);
        rig.ui.answers.clear();
        EXPECT_EQ(rig.sim.waitFor(frame.left(5)), frame) << command;
        EXPECT_TRUE(LinkRig::spinUntil(answered, 3000)) << command;
    }
    EXPECT_EQ(rig.questions(), 2);
    EXPECT_EQ(rig.ui.events.filter("commShow:").value(0), "commShow:Requesting");
    EXPECT_TRUE(rig.decoded[0].startsWith("20"));
}

TEST(Dispatcher, SendDataKeepsTheChecksumAndClearsTheRequest) {
    DispatchRig rig;
    rig.store.DataSet.Name.InputDigitalName[1] = QStringLiteral("Kick");
    rig.ui.onTakeOver = [&] {
        rig.store.DataSet.Name.InputDigitalName[2] = QStringLiteral("Snare");
    };
    rig.interpreter->RequestedBlock = QStringLiteral("20");
    rig.ui.answers.append({MsgAnswer::Yes});
    rig.run(5);
    const QString line = rig.sim.waitFor("RX 85");
    ASSERT_FALSE(line.isEmpty());
    const QString payload = line.mid(6);
    EXPECT_TRUE(payload.startsWith("20"));
    // The pages were taken over before the data set was encoded.
    EXPECT_TRUE(payload.contains(StrToHex("Snare   ")));
    EXPECT_TRUE(payload.contains(StrToHex("Kick    ")));
    EXPECT_EQ(rig.interpreter->LastSentChecksum, CalcChecksum(payload));
    // The controller's checksum matches the one kept: the interpreter reports success.
    EXPECT_EQ(rig.sim.waitFor("TX 86"), QStringLiteral("TX 86 %1").arg(CalcChecksum(payload)));
    EXPECT_TRUE(
        LinkRig::spinUntil([&] { return !rig.statusesWith("Comm_Data_Sent").isEmpty(); }, 3000));
    EXPECT_TRUE(rig.statusesWith("Comm_Checksum_Err").isEmpty());
    EXPECT_EQ(rig.interpreter->RequestedBlock, "");
}

TEST(Dispatcher, AnsweringARequestSendsTheRequestedBlockWithoutAsking) {
    DispatchRig rig;
    // The controller asks for configuration 3: 107 sends that file, not the data set.
    const QString file = rig.dir.filePath("three.CNS");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(512, 'c'));
    f.close();
    rig.ui.fileNames.enqueue(file);
    rig.interpreter->RequestedBlock = QStringLiteral("33");
    rig.run(107);
    const QString line = rig.sim.waitFor("RX 85");
    EXPECT_TRUE(line.startsWith("RX 85 33" + QString("63").repeated(8))) << line.toStdString();
    EXPECT_EQ(rig.interpreter->RequestedBlock, "");

    rig.run(107); // nothing requested: the data set
    EXPECT_TRUE(rig.sim.waitFor("RX 85").startsWith("RX 85 20"));
    EXPECT_EQ(rig.questions(), 0);
}

TEST(Dispatcher, VersionNumberNeedsAValueAndIsSentAsHex) {
    DispatchRig rig;
    rig.ui.onTakeOver = [&] { rig.store.QPLVersion = QStringLiteral(""); }; // an empty box
    rig.run(108);
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes[0].text, "Keine QPL Versionsnummer angegeben...");
    EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::Critical);
    EXPECT_EQ(rig.ui.boxes[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(rig.sim.quietFor("RX ", 300));

    // The System page's text arrives through TakeOverPages.
    rig.ui.onTakeOver = [&] { rig.store.QPLVersion = QStringLiteral("12"); };
    rig.run(108);
    EXPECT_EQ(rig.sim.waitFor("RX "), "RX 89 31322020");
    EXPECT_EQ(rig.sim.waitFor("VERSION"), "VERSION 12  ");
    EXPECT_EQ(rig.ui.lastStatus(), QStringLiteral("  QPL Versionsnummer übertragen"));
}

TEST(Dispatcher, UnknownCommandsGoToTheLogOnly) {
    DispatchRig rig;
    for (int command : {4, 10, 13, 0, 15, 105, 109, -3})
        rig.run(command);
    const QString proto = rig.proto.text();
    EXPECT_TRUE(proto.contains("  Command failed:   Unknown [ 4]")) << proto.toStdString();
    EXPECT_TRUE(proto.contains("  Command failed:   Unknown [ 109]"));
    EXPECT_TRUE(proto.contains("  Command failed:   Unknown [-3]"));
    EXPECT_EQ(proto.count("Command failed"), 8);
    EXPECT_TRUE(rig.ui.boxes.isEmpty());
    EXPECT_TRUE(rig.sim.quietFor("RX ", 300));
}

TEST(Dispatcher, WindowsAndTheEnd) {
    DispatchRig rig;
    rig.run(11);
    rig.run(12);
    EXPECT_EQ(rig.windowsShown, (QStringList{"protocol", "about"}));
    rig.ui.answers.append({MsgAnswer::No, MsgAnswer::Yes});
    rig.run(14);
    EXPECT_EQ(rig.terminated, 0);
    rig.run(14);
    EXPECT_EQ(rig.terminated, 1);
    EXPECT_EQ(rig.ui.boxes.size(), 2);
}

TEST(Dispatcher, FilesAndResetGoThroughTheDataFile) {
    DispatchRig rig;
    DataSet other = rig.store.DataSet;
    other.Name.InputAnalogName[4] = QStringLiteral("Vox");
    const QString file = rig.dir.filePath("other.DAT");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(DataSetImage::Write(other));
    f.close();
    rig.ui.fileNames.enqueue(file);
    rig.ui.answers.append({MsgAnswer::Yes});
    const int refreshes = rig.ui.refreshCount;
    rig.run(1);
    EXPECT_EQ(rig.store.DataSet.Name.InputAnalogName[4].trimmedRight(), "Vox");
    EXPECT_EQ(rig.switches.DatFileName, file);
    EXPECT_GT(rig.ui.refreshCount, refreshes);
    EXPECT_EQ(rig.ui.lastStatus(), "Read ok");

    // Saving takes the pages over first and writes the chosen file.
    const QString saved = rig.dir.filePath("saved.DAT");
    rig.ui.fileNames.enqueue(saved);
    rig.ui.onTakeOver = [&] { rig.store.DataSet.Name.InputAnalogName[4] = QStringLiteral("Bass"); };
    rig.run(2);
    QFile s(saved);
    ASSERT_TRUE(s.open(QIODevice::ReadOnly));
    EXPECT_TRUE(s.readAll().contains("Bass    "));
}

TEST(Dispatcher, ProtocolWindowIsCentredAndKeptOnTheScreen) {
    const QSize screen(1024, 768);
    const QSize proto(400, 300);
    EXPECT_EQ(Dispatcher::ProtocolWindowPosition(QRect(100, 100, 625, 480), proto, screen),
              QPoint(100 + 225 / 2, 100 + 90));
    // Near the right and bottom edges: the window's edges lie on the screen's.
    EXPECT_EQ(Dispatcher::ProtocolWindowPosition(QRect(900, 700, 625, 480), proto, screen),
              QPoint(1024 - 400, 768 - 300));
    // Off to the left and top: at 1, 1.
    EXPECT_EQ(Dispatcher::ProtocolWindowPosition(QRect(-600, -400, 625, 480), proto, screen),
              QPoint(1, 1));
}

TEST(Dispatcher, TestButtonRunsEncoderAndDecoderWithoutAController) {
    DispatchRig rig;
    rig.store.DataSet.Name.InputAdatName[2] = QStringLiteral("Keys");
    rig.ui.onTakeOver = [&] { rig.store.DataSet.Name.InputAdatName[3] = QStringLiteral("Pads"); };
    rig.dispatcher->TestButton();
    ASSERT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_EQ(rig.ui.boxes[0].text, "Erstellt");
    EXPECT_EQ(rig.ui.boxes[0].icon, MsgIcon::None);
    // The round trip keeps the taken-over names and sends nothing.
    EXPECT_EQ(rig.store.DataSet.Name.InputAdatName[2].trimmedRight(), "Keys");
    EXPECT_EQ(rig.store.DataSet.Name.InputAdatName[3].trimmedRight(), "Pads");
    // A data set the encoder refuses: the failure goes to the log, no box, the cursor back.
    rig.store.DataSet.Editor.Frames = 2;
    rig.ui.busy = true;
    rig.dispatcher->TestButton();
    EXPECT_EQ(rig.ui.boxes.size(), 1);
    EXPECT_TRUE(rig.proto.text().contains("  Command failed: Subscript out of range\r\n"))
        << rig.proto.text().toStdString();
    EXPECT_FALSE(rig.ui.busy);
    EXPECT_TRUE(rig.sim.quietFor("RX ", 300));
}

} // namespace
