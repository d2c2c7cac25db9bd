#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace zoz {

// The hex codec of the payloads: two upper-case hex digits per byte, texts in Windows-1252.

// Two upper-case digits, "0A" for 10.
QString ByteToHex(quint8 value);
// Only the first two characters count, "0" is put in front of a shorter text. Digits are found
// in "0123456789ABCDEF" only (case matters): a value outside 0..255 gives 0, so "1G" reads 15 and
// "0a" reads 0.
quint8 HexToByte(const QString& text);
// "" for an empty or all-blank text, else the digits of each character's code.
QString StrToHex(const QString& text);
// "" for an empty or all-blank text, else one character per (up to) two digits.
QString HexToStr(const QString& hex);
// Low and high byte of the 16-bit two's complement form.
quint8 LoByte(int value);
quint8 HiByte(int value);
// Bit 0 is the value 1. SetBit ignores n outside 0..7; TestBit expects n in 0..7.
void SetBit(quint8& value, int n);
bool TestBit(quint8 value, int n);
// Trims blanks at both ends, then splits at every "|" into parts trimmed of blanks: "" gives one
// empty part, a text ending in "|" a last empty part.
QStringList SplitList(const QString& text);
// 0..8 <-> "30".."38" (the group, then configurations 1..8); "" and -1 for anything else.
QString BlockIndexToCode(int index);
int BlockCodeToIndex(const QString& code);
// Sum of HexToByte of the pairs from the first character on; what the controller acknowledges.
qint32 CalcChecksum(const QString& payload);

// Removes blanks (not other white space) at both ends, as the controller's tools do.
QString TrimBlanks(const QString& text);

} // namespace zoz
