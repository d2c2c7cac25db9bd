#include "base/CodePage.h"

namespace zoz {

namespace {

// 0x80..0x9F; the unassigned codes keep their C1 control value.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int encode(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QChar CodePage::toUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(kHigh[byte - 0x80]);
    return QChar(byte);
}

QString CodePage::toUnicode(const QByteArray& bytes) {
    // Written in place: the settings file (36 KB) goes through here at every start.
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char b : bytes)
        *out++ = toUnicode(static_cast<unsigned char>(b));
    return text;
}

char CodePage::fromUnicode(QChar c) {
    const int code = encode(c);
    return static_cast<char>(code < 0 ? '?' : code);
}

QByteArray CodePage::fromUnicode(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text)
        bytes.append(fromUnicode(c));
    return bytes;
}

bool CodePage::canEncode(QChar c) {
    return encode(c) >= 0;
}

} // namespace zoz
