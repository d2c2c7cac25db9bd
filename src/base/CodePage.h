#pragma once

#include <QByteArray>
#include <QString>

namespace zoz {

// Windows-1252, the code page of every byte that meets text: files, the wire and the settings file.
// The five unassigned codes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to U+0081 ... U+009D so that every
// byte round-trips unchanged. Characters outside the code page are written as "?".
class CodePage {
public:
    static QString toUnicode(const QByteArray& bytes);
    static QByteArray fromUnicode(const QString& text);
    static char fromUnicode(QChar c);
    static QChar toUnicode(unsigned char byte);
    // True when the character has a byte of its own in the code page.
    static bool canEncode(QChar c);
};

} // namespace zoz
