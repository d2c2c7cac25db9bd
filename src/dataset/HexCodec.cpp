#include "dataset/HexCodec.h"

#include "base/CodePage.h"

namespace zoz {

namespace {
const QString hexDigits = QStringLiteral("0123456789ABCDEF");
}

QString ByteToHex(quint8 value) {
    return QString(hexDigits.at(value >> 4)) + hexDigits.at(value & 0x0F);
}

quint8 HexToByte(const QString& text) {
    QString s = text.left(2);
    while (s.size() < 2)
        s.prepend(QLatin1Char('0'));
    const int h = hexDigits.indexOf(s.at(0)) + 1;
    const int l = hexDigits.indexOf(s.at(1)) + 1;
    const int value = (h - 1) * 16 + l - 1;
    return value >= 0 && value <= 255 ? static_cast<quint8>(value) : 0;
}

QString TrimBlanks(const QString& text) {
    int first = 0;
    int last = static_cast<int>(text.size());
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString StrToHex(const QString& text) {
    if (TrimBlanks(text).isEmpty())
        return QString();
    QString hex;
    hex.reserve(text.size() * 2);
    for (const QChar c : text)
        hex += ByteToHex(static_cast<quint8>(CodePage::fromUnicode(c)));
    return hex;
}

QString HexToStr(const QString& hex) {
    if (TrimBlanks(hex).isEmpty())
        return QString();
    QString text;
    text.reserve(hex.size() / 2 + 1);
    for (int i = 0; i < hex.size(); i += 2)
        text += CodePage::toUnicode(HexToByte(hex.mid(i, 2)));
    return text;
}

quint8 LoByte(int value) {
    return static_cast<quint8>(static_cast<quint16>(value) & 0xFF);
}

quint8 HiByte(int value) {
    return static_cast<quint8>(static_cast<quint16>(value) >> 8);
}

void SetBit(quint8& value, int n) {
    if (n >= 0 && n <= 7)
        value = static_cast<quint8>(value | (1u << n));
}

bool TestBit(quint8 value, int n) {
    return (value >> n) & 1u;
}

QStringList SplitList(const QString& text) {
    QStringList parts = TrimBlanks(text).split(QLatin1Char('|'));
    for (QString& part : parts)
        part = TrimBlanks(part);
    return parts;
}

QString BlockIndexToCode(int index) {
    if (index < 0 || index > 8)
        return QString();
    return QStringLiteral("3") + QString::number(index);
}

int BlockCodeToIndex(const QString& code) {
    if (code.size() == 2 && code.at(0) == QLatin1Char('3') && code.at(1) >= QLatin1Char('0') &&
        code.at(1) <= QLatin1Char('8'))
        return code.at(1).unicode() - '0';
    return -1;
}

qint32 CalcChecksum(const QString& payload) {
    qint32 sum = 0;
    for (int i = 0; i < payload.size(); i += 2)
        sum += HexToByte(payload.mid(i, 2));
    return sum;
}

} // namespace zoz
