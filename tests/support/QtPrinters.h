#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable GoogleTest failure output for Qt values.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (int i = 0; i < list.size(); ++i)
        *os << (i ? ", " : "") << '"' << list[i].toStdString() << '"';
    *os << '}';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"';
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\r')
            *os << "\\r";
        else if (b == '\n')
            *os << "\\n";
        else if (b < 0x20 || b >= 0x7F)
            *os << "\\x"
                << "0123456789abcdef"[b >> 4] << "0123456789abcdef"[b & 15];
        else
            *os << c;
    }
    *os << '"';
}
