#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "dataset/HexCodec.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "link/ConfigTransfer.h"
#include "support/LinkRig.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zoz;
using zoz::test::LinkRig;

namespace {

// The link with the real encoder, decoder and configuration files behind it.
struct TransferRig : LinkRig {
    explicit TransferRig(const QStringList& simArgs = {}) : LinkRig({}, simArgs) {
        dataFile = std::make_unique<DataFile>(store, switches, *texts, *log, ui, [] {});
        configFile = std::make_unique<ConfigFile>(*dataFile, *texts, *log, ui);
        encoder = std::make_unique<Encoder>(store, switches, *texts, *log, ui);
        decoder = std::make_unique<Decoder>(store, switches, *texts, *log, ui,
                                            configFile->decoderFiles());
        transfer = std::make_unique<ConfigTransfer>(store, *configFile, *encoder, *transport,
                                                    *interpreter, *reporter);
        CommandInterpreter::Collaborators c;
        c.interpretHexData = [this](QString& payload) {
            decoded << payload;
            decoder->Interpret_HexData(payload);
        };
        interpreter->setCollaborators(c);
    }
    std::unique_ptr<DataFile> dataFile;
    std::unique_ptr<ConfigFile> configFile;
    std::unique_ptr<Encoder> encoder;
    std::unique_ptr<Decoder> decoder;
    std::unique_ptr<ConfigTransfer> transfer;
};

// 512 bytes that differ from block to block and from the simulator's own.
QByteArray block(int k) {
    QByteArray b;
    for (int i = 0; b.size() < 512; ++i)
        b += "Cfg" + QByteArray::number(k) + "-" + QByteArray::number(i) + ";";
    return b.left(512);
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

} // namespace

TEST(ConfigTransfer, ProposesTheProgramNameWithTheTwoDigitIndex) {
    TransferRig rig;
    EXPECT_EQ(rig.transfer->ProposedFileName(3), rig.dir.path() + "/zozedud 03.CNS");
    EXPECT_EQ(rig.transfer->ProposedFileName(0), rig.dir.path() + "/zozedud 00.CNG");
    // Cancelling the open dialog leaves the names and the controller untouched.
    EXPECT_EQ(rig.transfer->SendConfiguration(3), "");
    ASSERT_EQ(rig.ui.fileDialogs.size(), 1);
    EXPECT_TRUE(rig.ui.fileDialogs[0].initialName.endsWith("zozedud 03.CNS"))
        << rig.ui.fileDialogs[0].initialName.toStdString();
    EXPECT_FALSE(rig.ui.fileDialogs[0].save);
    EXPECT_TRUE(rig.store.DataSet.SnapShot.SnapShotFile[3] == FileText{}); // untouched
    EXPECT_TRUE(rig.sim.quietFor("RX ", 300));
}

TEST(ConfigTransfer, SendsOneConfigurationFromItsFile) {
    TransferRig rig;
    const QString file = writeFile(rig.dir.filePath("three.CNS"), block(3));
    rig.ui.fileNames.enqueue(file);
    EXPECT_EQ(rig.transfer->SendConfiguration(3), "");
    EXPECT_EQ(rig.sim.waitFor("RX 85"), "RX 85 33" + hex(block(3)));
    ASSERT_TRUE(
        LinkRig::spinUntil([&] { return !rig.statusesWith("Comm_Data_Sent").isEmpty(); }, 2000));
    EXPECT_TRUE(rig.statusesWith("Comm_Checksum_Err").isEmpty());
    EXPECT_EQ(TrimBlanks(rig.store.DataSet.SnapShot.SnapShotFile[3].text()), file);
    const auto held = rig.sim.dump();
    EXPECT_EQ(held.value("33"), hex(block(3)));
    EXPECT_EQ(held.value("34"), hex(QByteArray("Sim configuration 4").leftJustified(512, ' ')));
}

// The controller asks for configuration 3: 100 ms later command 107 sends it without a question.
TEST(ConfigTransfer, ARequestForBlock33SendsConfiguration3) {
    TransferRig rig;
    const QString file = writeFile(rig.dir.filePath("snap3.CNS"), block(3));
    rig.store.DataSet.SnapShot.SnapShotFile[3] = file;
    rig.ui.fileNames.enqueue(file);
    QTimer timSendData;
    timSendData.setSingleShot(true);
    QObject::connect(rig.interpreter.get(), &CommandInterpreter::sendDataRequested, &timSendData,
                     qOverload<int>(&QTimer::start));
    QElapsedTimer clock;
    qint64 armedAt = -1;
    QObject::connect(&timSendData, &QTimer::timeout, [&] {
        armedAt = clock.elapsed();
        const int index = BlockCodeToIndex(rig.interpreter->RequestedBlock);
        EXPECT_EQ(index, 3);
        rig.transfer->SendConfiguration(index);
        rig.interpreter->RequestedBlock.clear();
    });
    clock.start();
    rig.sim.command("send 84 33");
    EXPECT_EQ(rig.sim.waitFor("RX 85", 4000), "RX 85 33" + hex(block(3)));
    EXPECT_GE(armedAt, 100);
    ASSERT_EQ(rig.ui.fileDialogs.size(), 1);
    EXPECT_TRUE(rig.ui.fileDialogs[0].initialName.endsWith("snap3.CNS"));
    EXPECT_EQ(rig.sim.dump().value("33"), hex(block(3)));
}

TEST(ConfigTransfer, TheGroupGoesAsEightAcknowledgedBlocksEachFollowedByAPause) {
    TransferRig rig;
    QByteArray all;
    for (int k = 1; k <= 8; ++k)
        all += block(k);
    rig.ui.fileNames.enqueue(writeFile(rig.dir.filePath("all.CNG"), all));
    QList<qint64> sentAt;
    QList<QByteArray> codes;
    QElapsedTimer clock;
    QObject::connect(rig.port.get(), &SerialPort::writing, [&](const QByteArray& bytes) {
        if (bytes.startsWith('\x85')) {
            sentAt << clock.elapsed();
            codes << bytes.mid(1, 2);
        }
    });
    clock.start();
    EXPECT_EQ(rig.transfer->SendConfiguration(0), "");
    const qint64 finished = clock.elapsed();
    ASSERT_EQ(codes, QList<QByteArray>({"31", "32", "33", "34", "35", "36", "37", "38"}));
    for (int i = 1; i < sentAt.size(); ++i)
        EXPECT_GE(sentAt[i] - sentAt[i - 1], 500) << i;
    EXPECT_GE(finished - sentAt.last(), 500); // the eighth pause too
    EXPECT_EQ(rig.statusesWith("Comm_Data_Sent").size(), 8);
    EXPECT_TRUE(rig.statusesWith("Comm_Checksum_Err").isEmpty());
    const auto held = rig.sim.dump();
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(held.value(QString::number(30 + k)), hex(block(k))) << k;
}

TEST(ConfigTransfer, RequestingOneConfigurationAsksForTheNameOnlyWhenItArrives) {
    TransferRig rig;
    rig.sim.command("config 5 five");
    rig.sim.waitFor("OK config");
    const QString target = rig.dir.filePath("five.CNS");
    rig.ui.fileNames.enqueue(target);
    EXPECT_EQ(rig.transfer->RequestConfiguration(5), "");
    EXPECT_EQ(rig.sim.waitFor("RX 84"), "RX 84 35");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return QFile::exists(target); }, 3000));
    ASSERT_EQ(rig.ui.fileDialogs.size(), 1);
    EXPECT_TRUE(rig.ui.fileDialogs[0].save);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("five").leftJustified(512, ' '));
    EXPECT_FALSE(rig.store.GroupReceiveActive);
}

TEST(ConfigTransfer, TheGroupArrivesAsEightSingleBlocksInOneFile) {
    TransferRig rig; // the simulator answers "30" with "31".."38", each after its 86
    for (int k = 1; k <= 8; ++k) {
        rig.sim.command(QStringLiteral("config %1 group block %1").arg(k));
        rig.sim.waitFor("OK config");
    }
    const QString target = rig.dir.filePath("group.CNG");
    rig.ui.fileNames.enqueue(target);
    EXPECT_EQ(rig.transfer->RequestConfiguration(0), "");
    EXPECT_EQ(rig.sim.waitFor("RX 84"), "RX 84 30");
    ASSERT_TRUE(LinkRig::spinUntil([&] { return QFile::exists(target); }, 8000));
    EXPECT_EQ(rig.decoded.size(), 8);
    EXPECT_FALSE(rig.store.GroupReceiveActive);
    EXPECT_EQ(rig.store.GroupReceiveCount, 0);
    EXPECT_EQ(rig.ui.fileDialogs.size(), 1); // only the group's name, asked first
    EXPECT_EQ(TrimBlanks(rig.store.DataSet.SnapShot.SnapShotGroupFile.text()), target);
    QByteArray expected;
    for (int k = 1; k <= 8; ++k)
        expected += QByteArray("group block " + QByteArray::number(k)).leftJustified(512, ' ');
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), expected);
    EXPECT_EQ(rig.sim.lines().filter("ACK OK").size(), 8);
}

TEST(ConfigTransfer, CancellingTheGroupNameSendsNothing) {
    TransferRig rig;
    EXPECT_EQ(rig.transfer->RequestConfiguration(0), "");
    EXPECT_EQ(rig.ui.fileDialogs.size(), 1);
    EXPECT_FALSE(rig.store.GroupReceiveActive);
    EXPECT_TRUE(rig.sim.quietFor("RX ", 300));
}
