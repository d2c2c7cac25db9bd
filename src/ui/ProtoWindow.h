#pragma once

#include <QDialog>

class QPushButton;

namespace zoz {

class ProtoText;
class ProtoTextBox;
class Texts;

// The protocol window frmProto: shows the protocol text, which the log keeps whether or not the
// window exists; the dispatcher places and shows it modally on request.
class ProtoWindow : public QDialog {
    Q_OBJECT
public:
    ProtoWindow(Texts& texts, ProtoText& text, QWidget* parent = nullptr);

    ProtoTextBox* txtProto() const { return m_txtProto; }
    QPushButton* cmdOk() const { return m_cmdOk; }
    bool textsSet() const { return m_textsSet; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void activate();

    Texts& m_texts;
    ProtoTextBox* m_txtProto = nullptr;
    QPushButton* m_cmdOk = nullptr;
    bool m_textsSet = false;
};

} // namespace zoz
