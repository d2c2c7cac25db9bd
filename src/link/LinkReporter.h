#pragma once

#include "app/Notices.h"
#include "link/LinkOutcome.h"

#include <QString>

namespace zoz {

// How the device link tells the user what became of a send, a wait or a received frame.
class LinkReporter : public Notices {
public:
    using Notices::Notices;
    using Notices::report;

    // The one translation of a link outcome into what the user sees: boxes, status and log lines
    // in their order, chosen by the outcome's message key. An empty key says nothing new; a wait
    // ended by a hang-up puts the hang-up back into the status bar.
    void report(const LinkOutcome& outcome);
    // A hang-up report names the way out (the editor's port picker) after its text.
    void setHangUpHint(bool on) { m_hangUpHint = on; }

private:
    bool m_hangUpHint = false;
    QString m_hangUpReport; // the last hang-up as told
};

} // namespace zoz
