#pragma once

#include <QString>

namespace zoz {

// How the pages read a number from a control's Tag.
class TagNumber {
public:
    // The numeric value of "0" + text: leading digits (and a fraction) count, anything after them
    // is ignored, so "", "abc" and "-5" give 0.
    static double of(const QString& text);
};

} // namespace zoz
