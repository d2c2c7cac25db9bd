#include "ui/ProtoWindow.h"

#include "settings/Texts.h"
#include "widgets/ProtoTextBox.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace zoz {

ProtoWindow::ProtoWindow(Texts& texts, ProtoText& text, QWidget* parent)
    : QDialog(parent), m_texts(texts) {
    setObjectName(QStringLiteral("frmProto"));
    setWindowTitle(QStringLiteral("Protokoll"));
    m_txtProto = new ProtoTextBox(text, this);
    m_cmdOk = new QPushButton(QStringLiteral("&Ok"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_txtProto);
    layout->addWidget(m_cmdOk, 0, Qt::AlignRight);
    resize(640, 400);
    connect(m_cmdOk, &QPushButton::clicked, this, &QWidget::hide);
}

// Without a window manager a window is never activated: its first show counts as activation.
void ProtoWindow::showEvent(QShowEvent* event) {
    activate();
    QDialog::showEvent(event);
}

// The texts are read from the settings file once, on the first activation with a language.
void ProtoWindow::activate() {
    if (m_textsSet || m_texts.language().trimmed().isEmpty())
        return;
    const QString section = QStringLiteral("Messages_") + m_texts.language();
    setWindowTitle(m_texts.lookup(section, QStringLiteral("Form_Proto.Caption"),
                                  QStringLiteral("Form_Proto.Caption")));
    m_txtProto->setToolTip(
        m_texts.lookup(section, QStringLiteral("Form_Proto.ToolTip"), QString()));
    m_textsSet = true;
}

} // namespace zoz
