#include "link/LinkReporter.h"

#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "log/AppLog.h"

namespace zoz {

LinkReporter::LinkReporter(const Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
                           Activity& activity)
    : m_switches(switches), m_texts(texts), m_log(log), m_prompts(prompts), m_activity(activity) {}

QString LinkReporter::text(const QString& key) {
    return m_texts.cached(key);
}

QString LinkReporter::line(const QString& key, const QString& p1, const QString& p2) {
    QString t = QStringLiteral("  ") + text(key);
    if (!p1.isNull() || !p2.isNull())
        ReplaceParams(t, p1, p2);
    return t;
}

void LinkReporter::status(const QString& text) {
    m_activity.showStatusText(text);
}

void LinkReporter::log(const QString& text) {
    m_log.WriteLog(text);
}

void LinkReporter::statusAndLog(const QString& text) {
    status(text);
    log(text);
}

bool LinkReporter::showMsgBox() const {
    return m_switches.ShowMsgBox;
}

void LinkReporter::box(const QString& text, MsgIcon icon, bool always) {
    if (always || m_switches.ShowMsgBox)
        m_prompts.messageBox(text, MsgButtons::Ok, icon, m_switches.ProgramName);
}

void LinkReporter::errorBox(const QString& report, bool always) {
    if (always || m_switches.ShowMsgBox)
        m_prompts.errorBox(report, m_switches.ProgramName);
}

QString LinkReporter::errorReport(const QString& key, const QString& description,
                                  const QString& detail, bool inBox, bool inStatus,
                                  const QString& appended) {
    QString t = QStringLiteral("  ") + m_texts.message(key);
    ReplaceParams(t, description, detail);
    if (!appended.isEmpty())
        t += QStringLiteral(" - ") + appended;
    if (inBox)
        errorBox(t, true);
    if (inStatus)
        status(t);
    log(t);
    m_activity.setBusyCursor(false);
    return t;
}

void LinkReporter::report(const LinkOutcome& outcome) {
    const QString& key = outcome.key;
    if (key.isEmpty()) {
        if (outcome.kind == LinkOutcome::HungUp && !m_hangUpReport.isEmpty())
            status(m_hangUpReport);
        return;
    }
    if (key == QLatin1String("Comm_TransmitData_Err")) {
        errorReport(key, outcome.detail, {}, true, true);
    } else if (key == QLatin1String("Comm_HangUp_Err")) {
        m_hangUpReport = errorReport(
            key, outcome.detail, outcome.place, false, true,
            m_hangUpHint ? m_texts.message(QStringLiteral("Comm_HangUp_Info")) : QString());
    } else if (key == QLatin1String("Comm_Timeout_Waiting_For_Answer")) {
        box(line(key, outcome.detail), MsgIcon::Exclamation);
        statusAndLog(line(QStringLiteral("Comm_Timeout_Short")));
    } else if (key == QLatin1String("Comm_Timeout_Completing_Data")) {
        statusAndLog(line(QStringLiteral("Comm_Timeout_Short")));
        box(text(key), MsgIcon::Exclamation);
    } else if (key == QLatin1String("Comm_TransferDone")) {
        const QString t = line(key);
        log(t);
        status(t);
        m_activity.setBusyCursor(false);
    } else {
        // One line in the status bar and the log, after a box where the message has one.
        const QString t = line(key);
        if (key == QLatin1String("Comm_TransmitData_Timeout_Err"))
            errorBox(t);
        else if (key == QLatin1String("Comm_Checksum_Err"))
            errorBox(t, true);
        else if (key == QLatin1String("Comm_Action_Cancelled") ||
                 key == QLatin1String("Comm_Data_Sent"))
            box(t, MsgIcon::Exclamation);
        statusAndLog(t);
    }
}

} // namespace zoz
