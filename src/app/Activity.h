#pragma once

#include <QString>

namespace zoz {

// What the user sees of work in progress: status text, busy cursor, the transfer dialog, and the
// focus going back to the tab strip when a file or transfer is done.
class Activity {
public:
    virtual ~Activity() = default;

    virtual void showStatusText(const QString& text) = 0;
    // true: hourglass; false: every override removed (not a stack).
    virtual void setBusyCursor(bool busy) = 0;
    virtual void processEvents() = 0;
    // The transfer dialog with its Cancel button; shown and hidden in pairs.
    virtual void showCommDialog(const QString& caption) = 0;
    virtual void hideCommDialog() = 0;
    virtual void focusTabStrip() = 0;
};

} // namespace zoz
