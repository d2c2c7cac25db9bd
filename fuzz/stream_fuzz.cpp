// Received bytes, cut into pieces, through the frame transport's receive path into the
// interpreter and on to the decoder, as the port would deliver them.
#include "FuzzRig.h"

#include <cstdint>

using namespace zoz::fuzz;

namespace {

// The transport's own test of a whole frame, so that a wait is never left to its time-out.
bool mayBeWhole(const QByteArray& buffer) {
    return buffer.size() >= 2 && buffer.endsWith('\r') && quint8(buffer.at(0)) >= 0x80 &&
           quint8(buffer.at(0)) <= 0x89;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    FuzzRig& rig = FuzzRig::instance();
    rig.reset();
    const int piece = 1 + data[0] % 48;
    QByteArray input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    input.replace(QByteArray(1, '\0'), QByteArray()); // the port drops NUL bytes
    qsizetype pos = 0;
    const auto feed = [&] {
        emit rig.port.received(input.mid(pos, piece));
        pos += piece;
    };
    rig.ui.onProcessEvents = [&] {
        while (pos < input.size() && !mayBeWhole(rig.transport.ReceiveBuffer()))
            feed();
        if (!mayBeWhole(rig.transport.ReceiveBuffer()))
            rig.transport.Cancel();
    };
    for (int round = 0; round <= input.size(); ++round) {
        if (rig.transport.ReceiveBuffer().isEmpty()) {
            if (pos >= input.size())
                break;
            feed();
        }
        rig.transport.WaitForData();
    }
    if (!rig.transport.ReceiveBuffer().isEmpty())
        __builtin_trap(); // a frame left behind would never be handled
    rig.ui.onProcessEvents = nullptr;
    return 0;
}
