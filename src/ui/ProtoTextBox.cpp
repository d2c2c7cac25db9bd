#include "ui/ProtoTextBox.h"

#include <QCoreApplication>
#include <QScrollBar>

namespace zoz {

ProtoTextBox::ProtoTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("txtProto"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void ProtoTextBox::setText(const QString& text) {
    m_text = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    setPlainText(shown);
}

// A plain box: colours are not kept.
void ProtoTextBox::appendColored(const QString& text, int /*color*/) {
    setText(m_text + text);
}

void ProtoTextBox::scrollToEnd() {
    moveCursor(QTextCursor::End);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
}

} // namespace zoz
