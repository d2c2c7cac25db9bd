#pragma once

#include "app/StartupParts.h"

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
    // The clock start-up measures the splash time with, and how it waits.
    struct Timing {
        std::function<qint64()> tickCount; // milliseconds, monotonic
        std::function<void(int)> wait;     // WaitMilliseconds
        std::function<QDate()> today;      // local date of the log file name
    };

    static constexpr int kMinimumSplashMs = 5000;
    static constexpr int kStatusToDataPauseMs = 1000;

    Startup(Switches& switches, Texts& texts, AppLog& log, Prompts& prompts, Activity& activity,
            Shell& shell, Shutdown& shutdown, StartupParts& parts, Timing timing = {});

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
    StartupParts& m_parts;
    Timing m_timing;
    int m_errStep = 0;
};

} // namespace zoz
