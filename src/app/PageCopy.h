#pragma once

#include <QString>

namespace zoz {

// A name box of the Names page as the user sees it right now (text and tool tip).
struct NameBox {
    QString text;
    QString toolTip;
};

// The data pages as copies of the data set: what the core asks of them.
class PageCopy {
public:
    virtual ~PageCopy() = default;

    // Copy the data set onto every page, or every page into the data set.
    virtual void refreshPages() = 0;
    virtual void takeOverPages() = 0;
    // group 2..5 (analog, ADAT, ext. monitor, bus), index from 1 within the group. Group 1
    // (digital) is asked too, for the tool tip of a replaced name only.
    virtual NameBox nameBox(int group, int index) = 0;
};

} // namespace zoz
