#pragma once

#include "log/ProtoText.h"

#include <QPlainTextEdit>

namespace zoz {

// txtProto: the protocol window's text box. Shows the protocol text with the newest line in view;
// while hidden it only notes that the text moved on, and lays it out when next shown.
class ProtoTextBox : public QPlainTextEdit, private ProtoText::Viewer {
    Q_OBJECT
public:
    explicit ProtoTextBox(ProtoText& text, QWidget* parent = nullptr);
    ~ProtoTextBox() override;

    QString text() const { return m_source.text(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void sourceChanged() override;
    void sourceScrolledToEnd() override;
    void showText();
    void moveToEnd();

    ProtoText& m_source;
    bool m_stale = true; // the source is newer than what the box shows
};

} // namespace zoz
