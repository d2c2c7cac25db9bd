#include "log/MemoryProtoSink.h"

namespace zoz {

void MemoryProtoSink::setText(const QString& text) {
    m_text = text;
}

void MemoryProtoSink::appendColored(const QString& text, int color) {
    m_text += text;
    m_pieces.append({text, color});
}

} // namespace zoz
