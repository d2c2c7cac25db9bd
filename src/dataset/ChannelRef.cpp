#include "dataset/ChannelRef.h"

namespace zoz {

int ChannelRef::FromFlat(int flat) {
    if (flat >= 37)
        return 500 + (flat - 37);
    if (flat >= 33)
        return 400 + (flat - 33);
    if (flat >= 25)
        return 300 + (flat - 25);
    if (flat >= 17)
        return 200 + (flat - 17);
    if (flat >= 1)
        return 100 + (flat - 1);
    return 0;
}

int ChannelRef::ToFlat(int channelRef) {
    static constexpr int offset[] = {0, 1, 17, 25, 33, 37};
    const int group = channelRef / 100;
    const int k = channelRef % 100;
    if (group >= 1 && group <= 5)
        return k + offset[group];
    return k;
}

} // namespace zoz
