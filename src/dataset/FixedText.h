#pragma once

#include "base/CodePage.h"

#include <QString>
#include <array>

namespace zoz {

// A text of exactly N characters, held as its Windows-1252 bytes so that the record stays a plain
// block that copies and serializes byte for byte. A fresh one holds N characters of code 0.
// Assigning cuts a longer text and fills a shorter one with blanks on the right.
template <int N> struct FixedText {
    static constexpr int Size = N;
    std::array<char, N> bytes{};

    FixedText() = default;
    explicit FixedText(const QString& text) { assign(text); }

    FixedText& operator=(const QString& text) {
        assign(text);
        return *this;
    }

    void assign(const QString& text) {
        const int n = qMin(N, static_cast<int>(text.size()));
        for (int i = 0; i < n; ++i)
            bytes[i] = CodePage::fromUnicode(text.at(i));
        for (int i = n; i < N; ++i)
            bytes[i] = ' ';
    }

    // All N characters, code-0 and trailing blanks included.
    QString text() const {
        QString s(N, QChar());
        for (int i = 0; i < N; ++i)
            s[i] = CodePage::toUnicode(static_cast<unsigned char>(bytes[i]));
        return s;
    }

    // Trailing blanks removed (code-0 characters stay, as a fixed text keeps them).
    QString trimmedRight() const {
        int n = N;
        while (n > 0 && bytes[n - 1] == ' ')
            --n;
        return text().left(n);
    }

    bool operator==(const FixedText& other) const { return bytes == other.bytes; }
    bool operator!=(const FixedText& other) const { return bytes != other.bytes; }
};

} // namespace zoz
