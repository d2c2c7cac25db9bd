#pragma once

namespace zoz {

class ValueCheckBox;

// Check boxes of one array on a page act as an option group.
class OptionGroup {
public:
    // After `box` was clicked: a checked box unchecks the others of its array on its page;
    // with keepOne, unchecking the last checked box checks it again.
    static void click(ValueCheckBox* box, bool keepOne);
};

} // namespace zoz
