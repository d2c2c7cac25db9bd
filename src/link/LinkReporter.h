#pragma once

#include "app/Activity.h"
#include "app/Prompts.h"
#include "link/LinkOutcome.h"

#include <QString>

namespace zoz {

class AppLog;
class Texts;
struct Switches;

// The one place where the device link tells the user: status bar, log and message boxes with the
// program's file name as title. Message texts are looked up once and kept for the run.
class LinkReporter {
public:
    LinkReporter(const Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
                 Activity& activity);

    // Cached text of a message key, the key itself as default.
    QString text(const QString& key);
    // "  " + text of key, placeholders filled.
    QString line(const QString& key, const QString& p1 = {}, const QString& p2 = {});

    void status(const QString& text);
    void log(const QString& text);
    void statusAndLog(const QString& text);
    // A box when ShowMsgBox is on (or always), titled with the program's file name.
    void box(const QString& text, MsgIcon icon, bool always = false);
    bool showMsgBox() const;
    // An error text (a key ending in "_Err") in an exclamation box, shown without its leading
    // blanks; when ShowMsgBox is on (or always).
    void errorBox(const QString& report, bool always = false);

    // An error report: "  " + text of key with the error description and a detail filled in, to
    // the log; optionally in a box (always) and the status bar; the mouse pointer back to default.
    // appended (a hint such as Comm_Dialout_Info) follows the described text.
    // Returns the report.
    QString errorReport(const QString& key, const QString& description, const QString& detail,
                        bool inBox, bool inStatus, const QString& appended = {});

    // The one translation of a link outcome into what the user sees: boxes, status and log lines
    // in their order, chosen by the outcome's message key. An empty key says nothing new; a wait
    // ended by a hang-up puts the hang-up back into the status bar.
    void report(const LinkOutcome& outcome);
    // A hang-up report names the way out (the editor's port picker) after its text.
    void setHangUpHint(bool on) { m_hangUpHint = on; }

    Prompts& prompts() { return m_prompts; }
    Activity& activity() { return m_activity; }
    AppLog& appLog() { return m_log; }
    Texts& texts() { return m_texts; }
    const Switches& switches() const { return m_switches; }

private:
    const Switches& m_switches;
    Texts& m_texts;
    AppLog& m_log;
    Prompts& m_prompts;
    Activity& m_activity;
    bool m_hangUpHint = false;
    QString m_hangUpReport; // the last hang-up as told
};

} // namespace zoz
