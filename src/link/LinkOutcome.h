#pragma once

#include <QString>

namespace zoz {

// How one step of the link ended (a send, a wait, a received frame acted on), as a value: the
// reporter turns it into the boxes, status and log lines, the command-line tool into its exit
// code. Nobody has to read the texts back to know what happened.
struct LinkOutcome {
    enum Kind {
        Done,
        TimedOut,
        ChecksumMismatch,
        HungUp,     // the line went away under us
        PortClosed, // the port was not open, or refused the bytes
        Cancelled,
    };

    Kind kind = Done;
    // The message key of the report ("Comm_Timeout_Waiting_For_Answer"); "" for nothing to say.
    QString key;
    // The system's description of an error, or what was awaited (an answer code).
    QString detail;
    // Where it happened, as the texts name the port.
    QString place;

    static LinkOutcome done(const QString& key = {}) { return {Done, key, {}, {}}; }
    static LinkOutcome failed(Kind kind, const QString& key, const QString& detail = {},
                              const QString& place = {}) {
        return {kind, key, detail, place};
    }

    bool ok() const { return kind == Done; }
    explicit operator bool() const { return ok(); }
};

} // namespace zoz
