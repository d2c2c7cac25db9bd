#pragma once

#include "app/Activity.h"
#include "app/Prompts.h"

#include <QFlags>
#include <QString>

namespace zoz {

class AppLog;
class Texts;
struct Switches;

// Where an error report is shown besides the log.
enum class ShowIn { LogOnly = 0x0, Box = 0x1, StatusBar = 0x2 };
Q_DECLARE_FLAGS(ShownIn, ShowIn)
Q_DECLARE_OPERATORS_FOR_FLAGS(ShownIn)

// The one way a core procedure tells the user: texts looked up by key, parameters filled, the
// log line, the status bar and boxes titled with the program's file name. Callers decide whether
// to report; this decides how a report looks.
class Notices {
public:
    Notices(const Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
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
    // An error text in an exclamation box, shown without its leading blanks; when ShowMsgBox is
    // on (or always).
    void errorBox(const QString& report, bool always = false);

    // An error report: "  " + text of key with the error description and a detail filled in
    // (appended, a hint, follows it), then report(). Returns the report.
    QString errorReport(const QString& key, const QString& description, const QString& detail,
                        ShownIn where, const QString& appended = {});
    // A finished report to the log, then as `where` says in a box (always) and the status bar;
    // the mouse pointer back to default. Returns the report.
    QString report(const QString& text, ShownIn where);

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
};

} // namespace zoz
