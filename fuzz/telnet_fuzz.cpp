// A device server's telnet stream, cut into pieces, through the telnet layer of rfc2217:// ports:
// no crash, no more data out than in, the same result for any cut, and escaped data comes back.
#include "link/TelnetCodec.h"

#include <cstdint>

using zoz::TelnetCodec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const qsizetype piece = 1 + data[0] % 16;

    TelnetCodec whole;
    whole.greeting(data[0] & 0x80);
    const QByteArray wholeData = whole.decode(input);
    const QByteArray wholeReplies = whole.takeReplies();

    TelnetCodec cut;
    cut.greeting(data[0] & 0x80);
    QByteArray cutData, cutReplies;
    for (qsizetype pos = 0; pos < input.size(); pos += piece) {
        cutData += cut.decode(input.mid(pos, piece));
        cutReplies += cut.takeReplies();
    }
    if (wholeData.size() > input.size() || cutData != wholeData || cutReplies != wholeReplies ||
        cut.serverBaud() != whole.serverBaud())
        __builtin_trap();

    TelnetCodec plain;
    if (plain.decode(TelnetCodec::escape(input)) != input || !plain.takeReplies().isEmpty())
        __builtin_trap();
    return 0;
}
