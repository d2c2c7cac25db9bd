#pragma once

namespace zoz {

// A GPIO function as 99 + its 1-based position in the input or output function list (the first
// entry is 100); 0 = no function. On the wire the function travels as the entry's key.
class GpioItemCode {
public:
    static constexpr int None = 0;
    static constexpr int First = 100;
    static constexpr int FromPosition(int position) { return 99 + position; }
    static constexpr int ToPosition(int code) { return code - 99; }
};

} // namespace zoz
