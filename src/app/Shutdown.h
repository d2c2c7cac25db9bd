#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace zoz {

class AppLog;
class Texts;
class Prompts;
class Shell;
struct Switches;

// The one way the program ends: optional question, last log line, saved window state, the
// settings file lined up, port and log closed, process ended.
class Shutdown : public QObject {
    Q_OBJECT
public:
    Shutdown(const Switches& switches, Texts& texts, AppLog& log, Prompts& prompts, Shell& shell);

    // Ends the process. The default flushes the standard streams and exits at once, so no
    // further window event runs; tests put a recorder in its place.
    void setTerminator(std::function<void()> terminator);

    // false when the user declined the question; otherwise the process has ended (a test
    // terminator returns, and then so does this, with true).
    bool QueryEndProg(bool& query);
    bool QueryEndProg(bool&& query) { return QueryEndProg(query); }

signals:
    // First once the end is decided: the link starts no receive any more. The end lets events
    // run (log lines, closing the port); a receive begun then would wait and show its box, and
    // the end would never finish.
    void linkToStop();
    // Next, before anything is written or closed (the editor keeps its unsent edits there).
    void ending();
    // After the settings file is lined up: the serial port closes.
    void portToClose();

private:
    const Switches& m_switches;
    Texts& m_texts;
    AppLog& m_log;
    Prompts& m_prompts;
    Shell& m_shell;
    std::function<void()> m_terminate;
    bool m_ending = false;
};

} // namespace zoz
