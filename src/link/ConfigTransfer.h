#pragma once

#include "link/LinkOutcome.h"

#include <QString>

namespace zoz {

class CommandInterpreter;
class ConfigFile;
class DataStore;
class Encoder;
class FrameTransport;
class LinkReporter;
class PageCopy;

// Moves snapshot configurations between their files and the controller: one configuration
// (index 1..8, block "31".."38", *.CNS) or the group of all eight (index 0, *.CNG).
class ConfigTransfer {
public:
    static constexpr int GroupPauseMs = 500;

    ConfigTransfer(DataStore& store, ConfigFile& configFile, Encoder& encoder,
                   FrameTransport& transport, CommandInterpreter& interpreter,
                   LinkReporter& reporter, PageCopy& pageCopy);

    // Reads the configuration file (asking for it) and sends it; the group as eight single
    // blocks, each acknowledged and followed by a pause. The description of a failure for the
    // caller's error report, "" otherwise (also when the user cancelled).
    QString SendConfiguration(int index);
    // Asks the controller for a configuration; for the group the .CNG name is asked first and the
    // decoder collects the eight answers into it.
    QString RequestConfiguration(int index);

    // The name offered when none was chosen yet: program folder, program name, a blank, the
    // index as two digits and the extension ("zozedud 03.CNS").
    QString ProposedFileName(int index) const;

    // How the link part of the last SendConfiguration or RequestConfiguration ended: the first
    // failure of its exchanges, or Done.
    LinkOutcome LastOutcome;
    // Hand each acknowledgement to the interpreter as soon as it is there, for a program without
    // the receive timer (the command-line tool): LastOutcome then includes the checksum check.
    bool InterpretAnswers = false;

private:
    QString waitingCaption(const QString& key);
    void record(const LinkOutcome& outcome);

    DataStore& m_store;
    ConfigFile& m_configFile;
    Encoder& m_encoder;
    FrameTransport& m_transport;
    CommandInterpreter& m_interpreter;
    LinkReporter& m_reporter;
    PageCopy& m_pageCopy;
};

} // namespace zoz
