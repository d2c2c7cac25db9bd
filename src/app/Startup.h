#pragma once

#include "app/MenuCommand.h"

#include <QDate>
#include <QString>
#include <functional>

namespace zoz {

class AppLog;
class ProtoSink;
class Shutdown;
class Texts;
class Activity;
class Prompts;
class Shell;
struct Switches;

// Start-up: derives the file names, opens the log, reads the [Main] switches and brings up the
// main window; a failing step shows its fixed bilingual text and ends through QueryEndProg.
class Startup {
public:
    // What start-up calls in the parts that own the data set, the port and the commands. The
    // composition root connects them; one left empty does nothing (and succeeds).
    struct Collaborators {
        std::function<ProtoSink*()> txtProto;         // the protocol window's text box
        std::function<bool()> initDataSet;            // InitDataSet; false is a failure
        std::function<int()> setCommParameters;       // 0, or the set-up step 1..11 that failed
        std::function<void()> markPortClosed;         // PortOpened = false
        std::function<void()> resetDataSet;           // ResetDataSet(NoQuery, ReadDefaultFile)
        std::function<void(MenuCommand)> menuCommand; // Interpret_MenuCommand
        // The language once it is known (step 12, or the failure path before it): Qt's own
        // texts follow it before any box shows.
        std::function<void(const QString&)> languageKnown;
        // The port as the settings name it, for the failure text of set-up step 1 (step 31).
        std::function<QString()> commPortName;
        // True when the settings file was taken back from its lined-up copy before start-up
        // (an installed program folder does that before filling in the templates).
        std::function<bool()> settingsTakenBack;
    };
    // The clock start-up measures the splash time with, and how it waits.
    struct Timing {
        std::function<qint64()> tickCount; // milliseconds, monotonic
        std::function<void(int)> wait;     // WaitMilliseconds
        std::function<QDate()> today;      // local date of the log file name
    };

    static constexpr int kMinimumSplashMs = 5000;
    static constexpr int kStatusToDataPauseMs = 1000;

    Startup(Switches& switches, Texts& texts, AppLog& log, Prompts& prompts, Activity& activity,
            Shell& shell, Shutdown& shutdown, Collaborators collaborators = {}, Timing timing = {});

    Collaborators& collaborators() { return m_collaborators; }

    // Entry of the program: runs InitProgram; errors of its own are ignored.
    void Main();
    // The 27 steps. Returns with InitDone true, or after QueryEndProg on a failure (which ends
    // the process unless a test terminator returns).
    void InitProgram();
    int ErrStep() const { return m_errStep; }

    // The built-in failure message of a step; "" for 0.
    static QString FailureText(int step, bool german);
    // "VX418 ZozEdud Version 2.<minor> Build <revision>"
    static QString Caption();

private:
    bool runSteps();
    void failurePath();
    bool readSwitch(int step, const char* key, const char* defaultValue);

    Switches& m_switches;
    Texts& m_texts;
    AppLog& m_log;
    Prompts& m_prompts;
    Activity& m_activity;
    Shell& m_shell;
    Shutdown& m_shutdown;
    Collaborators m_collaborators;
    Timing m_timing;
    int m_errStep = 0;
};

} // namespace zoz
