#pragma once

#include <QByteArray>
#include <initializer_list>

namespace zoz::test {

// Bytes written as numbers, for frames and telnet sequences that are no text.
inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

} // namespace zoz::test
