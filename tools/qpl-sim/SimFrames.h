#pragma once

#include <QByteArray>

namespace zoz::sim {

// The controller's frame format as the simulator writes and checks it: code byte, upper-case hex
// payload, 0x0D; texts padded with blanks to their fixed width.
class SimFrames {
public:
    static QByteArray frame(quint8 code, const QByteArray& payload = {});
    static int checksum(const QByteArray& payload);
    static QByteArray toHex(const QByteArray& bytes);
    static QByteArray fromHex(const QByteArray& hex);
    static QByteArray fixed(const QByteArray& text, int width);
};

} // namespace zoz::sim
