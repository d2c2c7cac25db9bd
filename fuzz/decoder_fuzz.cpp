// The decoder on every block code: the payload as hex digits of the input, or the input as it is.
#include "FuzzRig.h"
#include "dataset/HexCodec.h"

#include <cstdint>

using namespace zoz::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    static const char* const codes[] = {"20", "30", "31", "32", "33", "34",
                                        "35", "36", "37", "38", "21", "2F"};
    FuzzRig& rig = FuzzRig::instance();
    rig.reset();
    rig.store.GroupReceiveActive = data[1] & 2;
    const QByteArray rest(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    QString payload = QLatin1String(codes[data[0] % std::size(codes)]);
    if (data[1] & 1)
        payload += QString::fromLatin1(rest);
    else
        payload += QString::fromLatin1(rest.toHex().toUpper());
    rig.decoder.Interpret_HexData(payload);
    return 0;
}
