#include "link/LinkReporter.h"

#include "settings/Texts.h"

namespace zoz {

void LinkReporter::report(const LinkOutcome& outcome) {
    const QString& key = outcome.key;
    if (key.isEmpty()) {
        if (outcome.kind == LinkOutcome::HungUp && !m_hangUpReport.isEmpty())
            status(m_hangUpReport);
        return;
    }
    if (key == QLatin1String("Comm_TransmitData_Err")) {
        errorReport(key, outcome.detail, {}, ShowIn::Box | ShowIn::StatusBar);
    } else if (key == QLatin1String("Comm_HangUp_Err")) {
        m_hangUpReport = errorReport(
            key, outcome.detail, outcome.place, ShowIn::StatusBar,
            m_hangUpHint ? texts().message(QStringLiteral("Comm_HangUp_Info")) : QString());
    } else if (key == QLatin1String("Comm_Timeout_Waiting_For_Answer")) {
        box(line(key, outcome.detail), MsgIcon::Exclamation);
        statusAndLog(line(QStringLiteral("Comm_Timeout_Short")));
    } else if (key == QLatin1String("Comm_Timeout_Completing_Data")) {
        statusAndLog(line(QStringLiteral("Comm_Timeout_Short")));
        box(text(key), MsgIcon::Exclamation);
    } else if (key == QLatin1String("Comm_TransferDone")) {
        Notices::report(line(key), ShowIn::StatusBar);
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
