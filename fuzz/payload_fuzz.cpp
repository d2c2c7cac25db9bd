// The version and status payload of "83" and the hex codec: text to hex and back gives the text
// again, the checksum and the list split take anything.
#include "FuzzRig.h"
#include "base/CodePage.h"
#include "dataset/HexCodec.h"

#include <cstdint>

using namespace zoz;
using namespace zoz::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    FuzzRig& rig = FuzzRig::instance();
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString text = CodePage::toUnicode(rest);
    switch (data[0] % 3) {
    case 0:
        rig.interpreter.ReadVersionInfo(QString::fromLatin1(rest.toHex().toUpper()));
        break;
    case 1:
        rig.interpreter.ReadVersionInfo(text);
        break;
    default: {
        if (!TrimBlanks(text).isEmpty() && HexToStr(StrToHex(text)) != text)
            __builtin_trap();
        CalcChecksum(text);
        SplitList(text);
        HexToStr(text);
        BlockCodeToIndex(text);
        break;
    }
    }
    return 0;
}
