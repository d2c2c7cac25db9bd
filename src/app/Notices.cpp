#include "app/Notices.h"

#include "log/AppLog.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

namespace zoz {

Notices::Notices(const Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
                 Activity& activity)
    : m_switches(switches), m_texts(texts), m_log(log), m_prompts(prompts), m_activity(activity) {}

QString Notices::text(const QString& key) {
    return m_texts.cached(key);
}

QString Notices::line(const QString& key, const QString& p1, const QString& p2) {
    QString t = QStringLiteral("  ") + text(key);
    if (!p1.isNull() || !p2.isNull())
        ReplaceParams(t, p1, p2);
    return t;
}

void Notices::status(const QString& text) {
    m_activity.showStatusText(text);
}

void Notices::log(const QString& text) {
    m_log.WriteLog(text);
}

void Notices::statusAndLog(const QString& text) {
    status(text);
    log(text);
}

bool Notices::showMsgBox() const {
    return m_switches.ShowMsgBox;
}

void Notices::box(const QString& text, MsgIcon icon, bool always) {
    if (always || m_switches.ShowMsgBox)
        m_prompts.messageBox(text, MsgButtons::Ok, icon, m_switches.ProgramName);
}

void Notices::errorBox(const QString& report, bool always) {
    if (always || m_switches.ShowMsgBox)
        m_prompts.errorBox(report, m_switches.ProgramName);
}

QString Notices::errorReport(const QString& key, const QString& description, const QString& detail,
                             ShownIn where, const QString& appended) {
    QString t = QStringLiteral("  ") + m_texts.message(key);
    ReplaceParams(t, description, detail);
    if (!appended.isEmpty())
        t += QStringLiteral(" - ") + appended;
    return report(t, where);
}

QString Notices::report(const QString& text, ShownIn where) {
    // The log first: the line is kept even when nobody ever closes the box.
    log(text);
    if (where & ShowIn::Box)
        errorBox(text, true);
    if (where & ShowIn::StatusBar)
        status(text);
    m_activity.setBusyCursor(false);
    return text;
}

} // namespace zoz
