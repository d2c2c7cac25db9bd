#pragma once

#include "link/LinkOutcome.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace zoz {

class LinkReporter;
class SerialPort;

// Moves whole frames (command byte 0x80..0x89, hex payload, 0x0D) between the program and the
// controller. Every wait is a nested event loop woken by the port, the deadline and Cancel, so
// that the transfer dialog, the receive event and the timers stay live while it runs.
class FrameTransport : public QObject {
    Q_OBJECT
public:
    // Called with the command byte as two hex digits and the whole frame as received.
    using Interpreter = std::function<void(const QString& code, const QByteArray& frame)>;

    FrameTransport(SerialPort& port, LinkReporter& reporter, QObject* parent = nullptr);

    void setInterpreter(Interpreter interpreter) { m_interpreter = std::move(interpreter); }

    // Done when the whole frame has left the port. A frame as text holds one Windows-1252
    // character per byte. Every outcome is reported (LinkReporter::report) before it returns.
    LinkOutcome TransmitData(const QByteArray& frame, const QString& caption = {});
    LinkOutcome TransmitData(const QString& frame, const QString& caption = {});
    // Done when a frame with that command byte ("86") has arrived completely; it stays in the
    // receive buffer for the next tick of TimerComm. A hang-up ends the wait at once.
    LinkOutcome WaitForResponse(const QString& code, const QString& caption = {});
    // The tick of TimerComm: collects one frame and hands it to the interpreter. Done also when
    // there was nothing to collect.
    LinkOutcome WaitForData();
    // The transfer dialog's Cancel button.
    void Cancel();
    // The program ends: a running wait ends as cancelled and no receive starts any more, so that
    // the events the end lets run (closing the port) never open a wait or a box of their own.
    void Stop();

    void SetCommDialogCaption(const QString& caption) { m_commDialogCaption = caption; }
    void ShowCommDialog();
    void HideCommDialog();

    bool ReceiveBusy() const { return m_receiveBusy; }
    bool WaitingForResponse() const { return m_waitingForResponse; }
    bool CancelRequested() const { return m_cancelRequested; }
    const QByteArray& ReceiveBuffer() const { return m_receiveBuffer; }
    QString CommDialogCaption() const { return m_commDialogCaption; }
    QTimer& TimerComm() { return m_timerComm; }
    SerialPort& port() { return m_port; }

signals:
    // Something a running wait may be waiting for has happened.
    void wake();
    // A send is about to start: a closed port may be opened again first (PortReviver).
    void aboutToTransmit();

private:
    enum class WaitEnd { Done, TimedOut, Cancelled, HungUp };
    WaitEnd waitUntil(const std::function<bool()>& done, const QDeadlineTimer& deadline);
    QDeadlineTimer deadline() const;
    void onReceived(const QByteArray& bytes);
    void onHungUp(const QString& description);
    QString notOpen() const;
    bool frameComplete(int commandByte) const;

    SerialPort& m_port;
    LinkReporter& m_reporter;
    Interpreter m_interpreter;
    QTimer m_timerComm;
    QByteArray m_receiveBuffer;
    QString m_commDialogCaption;
    bool m_commDialogUp = false; // shown by ShowCommDialog and not hidden since
    bool m_cancelRequested = false;
    bool m_waitingForResponse = false;
    bool m_receiveBusy = false;
    bool m_stopped = false;
};

} // namespace zoz
