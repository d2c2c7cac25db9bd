#include "widgets/CommDialog.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zoz {

CommDialog::CommDialog(std::function<void()> cancel, QWidget* parent)
    : QDialog(parent), m_cancelRequested(std::move(cancel)) {
    if (!m_cancelRequested)
        qFatal("CommDialog: Cancel must reach the link");
    setObjectName(QStringLiteral("frmComm"));
    setWindowTitle(QStringLiteral("Datenübertragung"));
    setModal(false);
    m_frame = new QGroupBox(this);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_label = new QLabel(QStringLiteral("Datenübertragung, bitte warten..."), m_frame);
    m_label->setObjectName(QStringLiteral("Label1"));
    auto* frameLayout = new QVBoxLayout(m_frame);
    frameLayout->addWidget(m_label);
    m_cancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    connect(m_cancel, &QPushButton::clicked, this, &CommDialog::onCancel);
}

void CommDialog::showTransfer(const QString& caption, const QWidget* anchor) {
    // A showing without a caption while the dialog is up (the transport's showing inside a running
    // one) is no activation: the caption remembered at the activation stays.
    if (!isVisible() || !caption.isEmpty())
        m_rememberedCaption = windowTitle();
    if (!caption.isEmpty())
        setWindowTitle(caption);
    adjustSize();
    if (anchor) {
        const QRect main = anchor->frameGeometry();
        move(main.left() + (main.width() - frameGeometry().width()) / 2,
             main.top() + (main.height() - frameGeometry().height()) / 2);
    }
    show();
}

void CommDialog::hideTransfer() {
    hide();
}

void CommDialog::unload() {
    hide();
    setWindowTitle(m_rememberedCaption);
}

void CommDialog::reject() {
    onCancel();
}

void CommDialog::onCancel() {
    m_cancelRequested();
    hide();
    QCoreApplication::processEvents();
}

} // namespace zoz
