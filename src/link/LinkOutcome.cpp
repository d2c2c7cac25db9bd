#include "link/LinkOutcome.h"

namespace zoz {

QString LinkOutcome::kindName() const {
    switch (kind) {
    case Done:
        return QStringLiteral("done");
    case TimedOut:
        return QStringLiteral("time-out");
    case ChecksumMismatch:
        return QStringLiteral("checksum mismatch");
    case HungUp:
        return QStringLiteral("hang-up");
    case PortClosed:
        return QStringLiteral("port closed");
    case Cancelled:
        return QStringLiteral("cancelled");
    }
    return {};
}

} // namespace zoz
