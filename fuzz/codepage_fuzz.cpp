// Windows-1252: every byte string survives the way to text and back; text with characters
// outside the code page turns exactly those into "?".
#include "base/CodePage.h"

#include <QString>
#include <cstdint>
#include <cstring>

using namespace zoz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (CodePage::fromUnicode(CodePage::toUnicode(bytes)) != bytes)
        __builtin_trap();
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size_t(text.size()) * sizeof(QChar)); // the input is unaligned
    const QByteArray encoded = CodePage::fromUnicode(text);
    if (encoded.size() != text.size())
        __builtin_trap();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool kept = CodePage::canEncode(text.at(i));
        if (kept ? CodePage::toUnicode(quint8(encoded.at(i))) != text.at(i) : encoded.at(i) != '?')
            __builtin_trap();
    }
    return 0;
}
