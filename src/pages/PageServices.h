#pragma once

#include <QString>

namespace zoz {

// What the pages ask of the rest of the program and need an answer or an effect from; the
// composition root implements it.
class PageServices {
public:
    virtual ~PageServices() = default;

    // BlankNames_Replaced of the data store, with ShowStatus (a tab change, between taking the
    // pages over and refreshing them).
    virtual void blankNamesReplaced() = 0;
    // The snapshot page's transfers: configuration 1..8, or 0 for the group. The description of
    // a failure ("" otherwise), which the pages report to the log.
    virtual QString requestConfiguration(int index) = 0;
    virtual QString sendConfiguration(int index) = 0;
    virtual void writeLog(const QString& text) = 0;
};

} // namespace zoz
