#pragma once

#include "app/ConsoleUserInterface.h"
#include "dataset/DataStore.h"
#include "dataset/Decoder.h"
#include "dataset/Encoder.h"
#include "files/ConfigFile.h"
#include "files/DataFile.h"
#include "files/HistoryStore.h"
#include "link/CommandInterpreter.h"
#include "link/ConfigTransfer.h"
#include "link/FrameTransport.h"
#include "link/LinkReporter.h"
#include "link/SerialPort.h"
#include "log/AppLog.h"
#include "log/MemoryProtoSink.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

#include <QString>

namespace zoz {

// The editor's core objects wired as the editor wires them, for one run of the command-line tool:
// settings, texts, log, data set, files and the link, with a console user interface that answers
// every question with yes and every file dialog with the name the command gave.
class CliSession {
public:
    struct Options {
        QString settingsFile; // a file that does not exist: built-in values
        QString port;         // "" = [Comm] Port
        int timeoutSeconds = -1;
        bool quiet = false; // no daily log
    };
    explicit CliSession(const Options& options);
    ~CliSession();

    // Sets up and opens the port: 0, or an exit code of CliTool with `error` naming the cause.
    int openLink(QString& error);
    // The port as the settings name it and the device it is ("2 (/dev/ttyS1)").
    QString portName() const;

    // Sends a frame and waits for the answer code; the answer then runs through the interpreter.
    // The first outcome that is not Done, else the interpreter's.
    LinkOutcome exchange(const QByteArray& frame, const QString& answerCode);
    // 0 for Done, else the exit code of CliTool for the outcome with `error` naming the port and
    // what happened.
    int exitCode(const LinkOutcome& outcome, QString& error) const;
    // Asks the controller's version (82 -> 83): 0, or an exit code with `error`
    // (VersionConflict when it runs another major version).
    int checkVersion(QString& error);
    // With an editor's settings file (its default data file beside it): the data set as received
    // or sent goes into the editor's History there, as the editor keeps it. "" or the reason no
    // entry was kept.
    QString enterHistory(HistoryEntry::Direction direction);

    Switches switches;
    Texts texts;
    AppLog log;
    MemoryProtoSink proto;
    DataStore store;
    ConsoleUserInterface ui;
    DataFile dataFile;
    ConfigFile configFile;
    Encoder encoder;
    Decoder decoder;
    LinkReporter reporter;
    SerialPort serial;
    FrameTransport transport;
    CommandInterpreter interpreter;
    ConfigTransfer configTransfer;
    bool versionConflict = false;

private:
    Options m_options;
};

} // namespace zoz
