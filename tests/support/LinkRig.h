#pragma once

#include "app/Switches.h"
#include "app/Texts.h"
#include "dataset/DataStore.h"
#include "link/CommandInterpreter.h"
#include "link/FrameTransport.h"
#include "link/LinkReporter.h"
#include "link/SerialPort.h"
#include "log/AppLog.h"
#include "log/MemoryProtoSink.h"
#include "support/ScriptedUi.h"
#include "support/SimProcess.h"

#include <QMap>
#include <QTemporaryDir>
#include <memory>

namespace zoz::test {

// The program's side of the link (port, transport, scripted user, log) talking to qpl-sim over a
// real pseudo terminal. The settings file lives in a temporary folder; [Comm] defaults to a short
// TimeOut and TimerInterval so that tests stay fast, and comm overrides any key.
class LinkRig {
public:
    explicit LinkRig(const QMap<QString, QString>& comm = {}, const QStringList& simArgs = {},
                     bool open = true);

    QTemporaryDir dir;
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
    // Wired to the transport; its collaborators count what they were asked to do.
    std::unique_ptr<CommandInterpreter> interpreter;
    QStringList decoded; // payloads handed to the decoder
    int resets = 0;
    int endings = 0;
    QList<int> sendTimerArmed;
    int setUpStep = -1;
    bool opened = false;

    QString iniPath() const { return switches.IniFileName; }
    // Runs the event loop for ms.
    static void spin(int ms);
    // Runs the event loop until pred holds or ms pass; the final value of pred.
    static bool spinUntil(const std::function<bool()>& pred, int ms);
    // Every status text containing key, in order.
    QStringList statusesWith(const QString& key) const;
};

} // namespace zoz::test
