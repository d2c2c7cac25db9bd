#pragma once

#include "log/ProtoSink.h"

#include <QPlainTextEdit>

namespace zoz {

// txtProto: the protocol window's text box, the log's text sink. Keeps the text exactly as the log
// wrote it (CR LF line ends) and shows it with the newest line in view.
class ProtoTextBox : public QPlainTextEdit, public ProtoSink {
    Q_OBJECT
public:
    explicit ProtoTextBox(QWidget* parent = nullptr);

    QString text() const override { return m_text; }
    void setText(const QString& text) override;
    void appendColored(const QString& text, int color) override;
    bool isPlainText() const override { return true; }
    void scrollToEnd() override;

private:
    QString m_text;
};

} // namespace zoz
