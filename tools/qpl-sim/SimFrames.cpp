#include "SimFrames.h"

namespace zoz::sim {

QByteArray SimFrames::fixed(const QByteArray& text, int width) {
    QByteArray t = text.left(width);
    t.append(QByteArray(width - t.size(), ' '));
    return t;
}

QByteArray SimFrames::frame(quint8 code, const QByteArray& payload) {
    return char(code) + payload + '\r';
}

QByteArray SimFrames::toHex(const QByteArray& bytes) {
    return bytes.toHex().toUpper();
}

QByteArray SimFrames::fromHex(const QByteArray& hex) {
    return QByteArray::fromHex(hex);
}

// The controller sums the values of the hex pairs; a malformed pair counts as 0, as on the editor.
int SimFrames::checksum(const QByteArray& payload) {
    static const QByteArray digits("0123456789ABCDEF");
    int sum = 0;
    for (int i = 0; i < payload.size(); i += 2) {
        QByteArray pair = payload.mid(i, 2);
        while (pair.size() < 2)
            pair.prepend('0');
        const int h = digits.indexOf(pair[0]) + 1;
        const int l = digits.indexOf(pair[1]) + 1;
        const int value = (h - 1) * 16 + l - 1;
        sum += (value >= 0 && value <= 255) ? value : 0;
    }
    return sum;
}

} // namespace zoz::sim
