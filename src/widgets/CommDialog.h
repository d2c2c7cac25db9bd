#pragma once

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace zoz {

// The transfer dialog frmComm: shown, not modal, while a frame is sent or awaited; its Cancel
// button is the only way to stop a transfer. Loaded once and kept for the whole run.
class CommDialog : public QDialog {
    Q_OBJECT
public:
    // cancel: sets CancelRequested of the frame transport.
    explicit CommDialog(std::function<void()> cancel, QWidget* parent = nullptr);

    // Activation: remembers the current caption and takes caption when it is not "". The dialog
    // is centred on anchor (the main window) when given. A showing without a caption while the
    // dialog is up leaves both captions alone.
    void showTransfer(const QString& caption, const QWidget* anchor);
    void hideTransfer();
    // Unload: the caption remembered at the last activation comes back.
    void unload();

    QPushButton* cmdCancel() const { return m_cancel; }

    // Escape and the window's close button act as Cancel: it is the only way to stop a transfer.
    void reject() override;

private:
    void onCancel();

    std::function<void()> m_cancelRequested;
    QGroupBox* m_frame = nullptr;
    QLabel* m_label = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_rememberedCaption;
};

} // namespace zoz
