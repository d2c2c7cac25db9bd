#include "app/Shutdown.h"

#include "app/FormPosition.h"
#include "app/Prompts.h"
#include "app/Shell.h"
#include "base/CodePage.h"
#include "log/AppLog.h"
#include "settings/IniCache.h"
#include "settings/IniFile.h"
#include "settings/IniLayout.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

#include <cstdio>
#include <cstdlib>

namespace zoz {

namespace {

void terminateProcess() {
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace

Shutdown::Shutdown(const Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
                   Shell& shell)
    : m_switches(switches), m_texts(texts), m_log(log), m_prompts(prompts), m_shell(shell),
      m_terminate(terminateProcess) {}

void Shutdown::setTerminator(std::function<void()> terminator) {
    Q_ASSERT(terminator);
    m_terminate = std::move(terminator);
}

bool Shutdown::QueryEndProg(bool& query) {
    // Events run inside the last log lines; a second end request meanwhile changes nothing.
    if (m_ending)
        return true;
    if (query) {
        const MsgAnswer answer =
            m_prompts.messageBox(m_texts.message(QStringLiteral("QueryEndProg")), MsgButtons::YesNo,
                                 MsgIcon::Critical, m_prompts.mainCaption());
        if (answer != MsgAnswer::Yes)
            return false;
    }
    m_ending = true;
    emit linkToStop();
    emit ending();
    m_log.WriteLog(m_texts.message(query ? QStringLiteral("QueryEndProg_ByUser")
                                         : QStringLiteral("QueryEndProg_NoQuery")));
    IniCache* cache = m_texts.iniCache();
    SaveFormPosition(m_shell, m_switches.IniFileName, QStringLiteral("Screen"),
                     QStringLiteral("Coord_"), cache);
    SetIniValue(m_switches.IniFileName, QStringLiteral("Recent"), QStringLiteral("ActTabStrip"),
                QString::number(m_shell.activeTab()), cache);
    FormatIniFile(m_switches.IniFileName, cache);
    emit portToClose();
    m_log.CloseLog();
    m_terminate();
    return true;
}

} // namespace zoz
