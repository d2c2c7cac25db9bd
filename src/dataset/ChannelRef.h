#pragma once

namespace zoz {

// A channel as group * 100 + 0-based number within the group (1 digital in, 2 analog in, 3 ADAT in,
// 4 ext. monitor in, 5 bus; 0 = none). On the wire it is the flat number 1..40.
class ChannelRef {
public:
    // Flat numbers above 40 carry on in the bus group (41 -> 504): the controller is not checked.
    static int FromFlat(int flat);
    // Groups outside 1..5 send the channel number alone.
    static int ToFlat(int channelRef);
};

} // namespace zoz
