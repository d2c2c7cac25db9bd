#include "log/ProtoText.h"

#include <QCoreApplication>

namespace zoz {

void ProtoText::setText(const QString& text) {
    m_text = text;
    if (m_viewer)
        m_viewer->sourceChanged();
}

void ProtoText::appendColored(const QString& text, int /*color*/) {
    setText(m_text + text);
}

// The newest line into view, then pending window events run once, as after every logged line.
void ProtoText::scrollToEnd() {
    if (m_viewer)
        m_viewer->sourceScrolledToEnd();
    QCoreApplication::processEvents();
}

} // namespace zoz
