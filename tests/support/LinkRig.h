#pragma once

#include "dataset/Encoder.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "link/CommandInterpreter.h"
#include "link/ConfigTransfer.h"
#include "link/FrameTransport.h"
#include "link/LinkReporter.h"
#include "link/SerialPort.h"
#include "log/AppLog.h"
#include "log/MemoryProtoSink.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedUi.h"
#include "support/SimProcess.h"

#include <QTest>

namespace zoz::test {

// The program's side of the link talking to qpl-sim over a pseudo terminal, in a temporary program
// folder; [Comm] has a short TimeOut and TimerInterval unless comm overrides a key.
class LinkRig : public ProgramFolder {
public:
    explicit LinkRig(const QMap<QString, QString>& comm = {}, const QStringList& simArgs = {},
                     bool open = true);
    // The real files, encoder, decoder and transfer behind the link; received data is decoded.
    void addFiles();

    SimProcess sim;
    Switches switches;
    std::unique_ptr<Texts> texts;
    std::unique_ptr<AppLog> log;
    MemoryProtoSink proto;
    ScriptedUi ui;
    std::unique_ptr<LinkReporter> reporter;
    std::unique_ptr<SerialPort> port;
    std::unique_ptr<FrameTransport> transport;
    DataStore store;
    std::unique_ptr<CommandInterpreter> interpreter; // its collaborators count their calls
    std::unique_ptr<DataFile> dataFile;
    std::unique_ptr<ConfigFile> configFile;
    std::unique_ptr<Encoder> encoder;
    std::unique_ptr<Decoder> decoder;
    std::unique_ptr<ConfigTransfer> transfer;
    QStringList decoded; // payloads handed to the decoder
    int resets = 0;
    int endings = 0;
    bool opened = false;

    QString iniPath() const { return switches.IniFileName; }
    static bool spinUntil(const std::function<bool()>& pred, int ms) {
        return QTest::qWaitFor(pred, ms);
    }
};

} // namespace zoz::test
