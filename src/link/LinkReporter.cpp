#include "link/LinkReporter.h"

#include "app/IniFile.h"
#include "app/Switches.h"
#include "app/Texts.h"
#include "log/AppLog.h"

namespace zoz {

LinkReporter::LinkReporter(const Switches& switches, Texts& texts, AppLog& log, UserInterface& ui)
    : m_switches(switches), m_texts(texts), m_log(log), m_ui(ui) {}

QString LinkReporter::text(const QString& key) {
    m_said.insert(key);
    return m_texts.cached(key);
}

QString LinkReporter::line(const QString& key, const QString& p1, const QString& p2) {
    QString t = QStringLiteral("  ") + text(key);
    if (!p1.isNull() || !p2.isNull())
        ReplaceParams(t, p1, p2);
    return t;
}

void LinkReporter::status(const QString& text) {
    m_ui.showStatusText(text);
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
        m_ui.messageBox(text, MsgButtons::Ok, icon, m_switches.ProgramName);
}

void LinkReporter::errorBox(const QString& report, bool always) {
    if (always || m_switches.ShowMsgBox)
        m_ui.errorBox(report, m_switches.ProgramName);
}

void LinkReporter::errorReport(const QString& key, const QString& description,
                               const QString& detail, bool inBox, bool inStatus,
                               const QString& appended) {
    m_said.insert(key);
    QString t = QStringLiteral("  ") + m_texts.message(key);
    ReplaceParams(t, description, detail);
    if (!appended.isEmpty())
        t += QStringLiteral(" - ") + appended;
    if (inBox)
        errorBox(t, true);
    if (inStatus)
        status(t);
    log(t);
    m_ui.setBusyCursor(false);
}

} // namespace zoz
