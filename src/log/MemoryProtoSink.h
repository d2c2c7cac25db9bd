#pragma once

#include "log/ProtoSink.h"

#include <QList>

namespace zoz {

// The protocol text kept in memory: stands in for the protocol window before it exists, and lets
// tests see what was shown and in which colour.
class MemoryProtoSink : public ProtoSink {
public:
    struct Piece {
        QString text;
        int color;
    };

    explicit MemoryProtoSink(bool plainText = true) : m_plainText(plainText) {}

    QString text() const override { return m_text; }
    void setText(const QString& text) override;
    void appendColored(const QString& text, int color) override;
    bool isPlainText() const override { return m_plainText; }
    void scrollToEnd() override { ++m_scrolls; }

    // Every coloured append, oldest first (only a rich sink receives them).
    const QList<Piece>& pieces() const { return m_pieces; }
    int scrolls() const { return m_scrolls; }

private:
    QString m_text;
    QList<Piece> m_pieces;
    bool m_plainText;
    int m_scrolls = 0;
};

} // namespace zoz
