#include "link/FrameTransport.h"

#include "base/CodePage.h"
#include "link/LinkReporter.h"
#include "link/SerialPort.h"
#include "settings/Texts.h"

#include <QEventLoop>
#include <exception>

namespace zoz {

FrameTransport::FrameTransport(SerialPort& port, LinkReporter& reporter, QObject* parent)
    : QObject(parent), m_port(port), m_reporter(reporter) {
    m_timerComm.setObjectName(QStringLiteral("TimerComm"));
    connect(&m_timerComm, &QTimer::timeout, this, &FrameTransport::WaitForData);
    connect(&m_port, &SerialPort::received, this, &FrameTransport::onReceived);
    connect(&m_port, &SerialPort::progress, this, &FrameTransport::wake);
    connect(&m_port, &SerialPort::hungUp, this, &FrameTransport::onHungUp);
}

// In the program's language: the text lands inside a translated message.
QString FrameTransport::notOpen() const {
    const QString key = QStringLiteral("Comm_Port_NotOpen");
    const QString text = m_reporter.texts().message(key);
    return text == key ? QStringLiteral("The port is not open") : text;
}

// The hang-up is told once, when it happens; a running wait then ends without its time-out.
void FrameTransport::onHungUp(const QString& description) {
    m_reporter.report(LinkOutcome::failed(LinkOutcome::HungUp, QStringLiteral("Comm_HangUp_Err"),
                                          description, m_port.portText()));
    emit wake();
}

QDeadlineTimer FrameTransport::deadline() const {
    if (m_port.TimeOut > 0)
        return QDeadlineTimer(qint64(m_port.TimeOut) * 1000);
    return QDeadlineTimer(QDeadlineTimer::Forever);
}

FrameTransport::WaitEnd FrameTransport::waitUntil(const std::function<bool()>& done,
                                                  const QDeadlineTimer& deadline) {
    for (;;) {
        m_reporter.activity().processEvents();
        if (done())
            return WaitEnd::Done;
        if (m_cancelRequested)
            return WaitEnd::Cancelled;
        if (m_port.isHungUp())
            return WaitEnd::HungUp;
        if (deadline.hasExpired())
            return WaitEnd::TimedOut;
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(this, &FrameTransport::wake, &loop, &QEventLoop::quit);
        if (!deadline.isForever())
            limit.start(int(qMax<qint64>(0, deadline.remainingTime())));
        loop.exec();
    }
}

void FrameTransport::ShowCommDialog() {
    m_reporter.activity().setBusyCursor(true);
    if (m_port.ShowCancelDialog) {
        // Only a showing that brings the dialog up activates it and takes the caption; one inside
        // a running showing (an answer sent while a frame is received) leaves it waiting.
        const bool activates = !m_commDialogUp;
        m_commDialogUp = true;
        m_reporter.activity().showCommDialog(activates ? m_commDialogCaption : QString());
        if (activates)
            m_commDialogCaption.clear();
    }
}

void FrameTransport::HideCommDialog() {
    m_reporter.activity().setBusyCursor(false);
    m_reporter.activity().processEvents();
    if (m_port.ShowCancelDialog) {
        m_commDialogUp = false;
        m_reporter.activity().hideCommDialog();
    }
}

void FrameTransport::Cancel() {
    m_cancelRequested = true;
    m_commDialogUp = false; // the dialog hides itself on Cancel
    emit wake();
}

void FrameTransport::Stop() {
    m_stopped = true;
    m_timerComm.stop();
    Cancel();
}

LinkOutcome FrameTransport::TransmitData(const QString& frame, const QString& caption) {
    return TransmitData(CodePage::fromUnicode(frame), caption);
}

LinkOutcome FrameTransport::TransmitData(const QByteArray& frame, const QString& caption) {
    emit aboutToTransmit();
    m_reporter.statusAndLog(m_reporter.line(QStringLiteral("Comm_TransmitData_Info")));
    if (!caption.isEmpty())
        SetCommDialogCaption(caption);
    m_cancelRequested = false;
    const QDeadlineTimer until = deadline();
    ShowCommDialog();

    const int chunk = m_port.OutBufferSize > 0 ? m_port.OutBufferSize : int(frame.size());
    for (int pos = 0; pos < frame.size(); pos += chunk) {
        bool lost = !m_port.write(frame.mid(pos, chunk));
        WaitEnd end = WaitEnd::Done;
        if (!lost) {
            end = waitUntil([this] { return m_port.OutBufferCount() == 0; }, until);
            lost = !m_port.isOpen() || end == WaitEnd::HungUp;
        }
        LinkOutcome outcome;
        if (lost)
            outcome = LinkOutcome::failed(m_port.isHungUp() ? LinkOutcome::HungUp
                                                            : LinkOutcome::PortClosed,
                                          QStringLiteral("Comm_TransmitData_Err"),
                                          m_port.isOpen() ? m_port.writeError() : notOpen());
        else if (end == WaitEnd::TimedOut)
            outcome = LinkOutcome::failed(LinkOutcome::TimedOut,
                                          QStringLiteral("Comm_TransmitData_Timeout_Err"));
        else if (end == WaitEnd::Cancelled)
            outcome = LinkOutcome::failed(LinkOutcome::Cancelled,
                                          QStringLiteral("Comm_Action_Cancelled"));
        if (!outcome) {
            HideCommDialog();
            m_reporter.report(outcome);
            return outcome;
        }
    }
    HideCommDialog();
    const LinkOutcome done = LinkOutcome::done(QStringLiteral("Comm_TransferDone"));
    m_reporter.report(done);
    return done;
}

void FrameTransport::onReceived(const QByteArray& bytes) {
    m_receiveBuffer += bytes;
    // An interval of 0 leaves the timer off, as a timer control with interval 0 never ticks.
    if (m_port.TimerInterval > 0)
        m_timerComm.start(m_port.TimerInterval);
    emit wake();
}

bool FrameTransport::frameComplete(int commandByte) const {
    if (m_receiveBuffer.size() < 2 || !m_receiveBuffer.endsWith('\r'))
        return false;
    const int first = quint8(m_receiveBuffer.at(0));
    if (commandByte >= 0)
        return first == commandByte;
    return first >= 0x80 && first <= 0x89;
}

LinkOutcome FrameTransport::WaitForData() {
    if (m_stopped || m_waitingForResponse || m_receiveBuffer.isEmpty() || m_receiveBusy)
        return LinkOutcome::done();
    m_receiveBusy = true;
    m_timerComm.stop();
    LinkOutcome outcome;
    try {
        m_reporter.activity().processEvents();
        m_reporter.statusAndLog(m_reporter.text(QStringLiteral("Comm_Receiving_Data")));
        ShowCommDialog();
        m_cancelRequested = false;
        const WaitEnd end = waitUntil([this] { return frameComplete(-1); }, deadline());
        if (end == WaitEnd::Done) {
            const QByteArray frame = m_receiveBuffer;
            m_receiveBuffer.clear();
            const QString code =
                QStringLiteral("%1").arg(quint8(frame.at(0)), 2, 16, QLatin1Char('0')).toUpper();
            if (m_interpreter)
                m_interpreter(code, frame);
        } else {
            m_receiveBuffer.clear();
            if (end == WaitEnd::TimedOut)
                outcome = LinkOutcome::failed(LinkOutcome::TimedOut,
                                              QStringLiteral("Comm_Timeout_Completing_Data"));
            else if (end == WaitEnd::Cancelled)
                outcome =
                    LinkOutcome::failed(LinkOutcome::Cancelled, QStringLiteral("Comm_Cancelled"));
            else // the hang-up has been told
                outcome = LinkOutcome::failed(LinkOutcome::HungUp, QString());
            m_reporter.report(outcome);
        }
        HideCommDialog();
    } catch (const std::exception& e) {
        HideCommDialog();
        m_timerComm.stop();
        m_reporter.errorReport(QStringLiteral("Comm_WaitForData_Err"),
                               QString::fromLocal8Bit(e.what()), {}, ShowIn::LogOnly);
        outcome = LinkOutcome::failed(LinkOutcome::PortClosed, QString(),
                                      QString::fromLocal8Bit(e.what()));
    }
    m_receiveBusy = false;
    return outcome;
}

LinkOutcome FrameTransport::WaitForResponse(const QString& code, const QString& caption) {
    m_waitingForResponse = true;
    m_reporter.statusAndLog(m_reporter.line(QStringLiteral("Comm_Waiting_For_Answer"), code));
    if (!caption.isEmpty())
        SetCommDialogCaption(caption);
    ShowCommDialog();
    m_cancelRequested = false;
    bool ok = false;
    const int expected = code.left(2).toInt(&ok, 16);
    const WaitEnd end =
        waitUntil([this, expected, ok] { return ok && frameComplete(expected); }, deadline());
    if (end == WaitEnd::Done) {
        HideCommDialog();
        m_waitingForResponse = false;
        return LinkOutcome::done();
    }
    m_receiveBuffer.clear();
    LinkOutcome outcome;
    if (end == WaitEnd::TimedOut)
        outcome = LinkOutcome::failed(LinkOutcome::TimedOut,
                                      QStringLiteral("Comm_Timeout_Waiting_For_Answer"), code);
    else if (end == WaitEnd::Cancelled)
        outcome = LinkOutcome::failed(LinkOutcome::Cancelled, QStringLiteral("Comm_Cancelled"));
    else // the hang-up has been told
        outcome = LinkOutcome::failed(LinkOutcome::HungUp, QString(), code);
    m_reporter.report(outcome);
    HideCommDialog();
    m_waitingForResponse = false;
    return outcome;
}

} // namespace zoz
