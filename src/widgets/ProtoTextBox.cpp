#include "widgets/ProtoTextBox.h"

#include <QScrollBar>

namespace zoz {

ProtoTextBox::ProtoTextBox(ProtoText& text, QWidget* parent)
    : QPlainTextEdit(parent), m_source(text) {
    setObjectName(QStringLiteral("txtProto"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    m_source.setViewer(this);
}

ProtoTextBox::~ProtoTextBox() {
    m_source.setViewer(nullptr);
}

// Laying out a document nobody sees on every logged line would cost time and memory.
void ProtoTextBox::sourceChanged() {
    m_stale = true;
    if (isVisible())
        showText();
}

void ProtoTextBox::sourceScrolledToEnd() {
    if (!m_stale)
        moveToEnd();
}

void ProtoTextBox::showEvent(QShowEvent* event) {
    if (m_stale) {
        showText();
        moveToEnd();
    }
    QPlainTextEdit::showEvent(event);
}

void ProtoTextBox::showText() {
    m_stale = false;
    QString shown = m_source.text();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    setPlainText(shown);
}

void ProtoTextBox::moveToEnd() {
    moveCursor(QTextCursor::End);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

} // namespace zoz
