#include "link/FrameTransport.h"

#include "app/WaitMilliseconds.h"
#include "base/CodePage.h"
#include "link/LinkReporter.h"
#include "link/SerialPort.h"

#include <QEventLoop>
#include <exception>

namespace zoz {

FrameTransport::FrameTransport(SerialPort& port, LinkReporter& reporter, QObject* parent)
    : QObject(parent), m_port(port), m_reporter(reporter) {
    m_timerComm.setObjectName(QStringLiteral("TimerComm"));
    connect(&m_timerComm, &QTimer::timeout, this, &FrameTransport::WaitForData);
    connect(&m_port, &SerialPort::received, this, &FrameTransport::onReceived);
    connect(&m_port, &SerialPort::progress, this, &FrameTransport::wake);
}

QDeadlineTimer FrameTransport::deadline() const {
    if (m_port.TimeOut > 0)
        return QDeadlineTimer(qint64(m_port.TimeOut) * 1000);
    return QDeadlineTimer(QDeadlineTimer::Forever);
}

FrameTransport::WaitEnd FrameTransport::waitUntil(const std::function<bool()>& done,
                                                  const QDeadlineTimer& deadline) {
    for (;;) {
        m_reporter.ui().processEvents();
        if (done())
            return WaitEnd::Done;
        if (m_cancelRequested)
            return WaitEnd::Cancelled;
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
    m_reporter.ui().setBusyCursor(true);
    if (m_port.ShowCancelDialog) {
        // Only a showing that brings the dialog up activates it and takes the caption; one inside
        // a running showing (an answer sent while a frame is received) leaves it waiting.
        const bool activates = !m_commDialogUp;
        m_commDialogUp = true;
        m_reporter.ui().showCommDialog(activates ? m_commDialogCaption : QString());
        if (activates)
            m_commDialogCaption.clear();
    }
}

void FrameTransport::HideCommDialog() {
    m_reporter.ui().setBusyCursor(false);
    m_reporter.ui().processEvents();
    if (m_port.ShowCancelDialog) {
        m_commDialogUp = false;
        m_reporter.ui().hideCommDialog();
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

void FrameTransport::WaitShort() {
    zoz::WaitMilliseconds(10);
}

bool FrameTransport::TransmitData(const QString& frame, const QString& caption) {
    return TransmitData(CodePage::fromUnicode(frame), caption);
}

bool FrameTransport::TransmitData(const QByteArray& frame, const QString& caption) {
    m_reporter.statusAndLog(m_reporter.line(QStringLiteral("Comm_TransmitData_Info")));
    if (!caption.isEmpty())
        SetCommDialogCaption(caption);
    m_reporter.ui().setBusyCursor(true);
    m_cancelRequested = false;
    const QDeadlineTimer until = deadline();
    ShowCommDialog();

    const int chunk = m_port.OutBufferSize > 0 ? m_port.OutBufferSize : int(frame.size());
    for (int pos = 0; pos < frame.size(); pos += chunk) {
        bool lost = !m_port.write(frame.mid(pos, chunk));
        WaitEnd end = WaitEnd::Done;
        if (!lost) {
            end = waitUntil([this] { return m_port.OutBufferCount() == 0; }, until);
            lost = !m_port.isOpen();
        }
        if (lost) {
            HideCommDialog();
            m_reporter.errorReport(QStringLiteral("Comm_TransmitData_Err"),
                                   m_port.isOpen() ? m_port.writeError()
                                                   : QStringLiteral("The port is not open"),
                                   {}, true, true);
            return false;
        }
        if (end != WaitEnd::Done) {
            HideCommDialog();
            const QString t = m_reporter.line(end == WaitEnd::TimedOut
                                                  ? QStringLiteral("Comm_TransmitData_Timeout_Err")
                                                  : QStringLiteral("Comm_Action_Cancelled"));
            if (end == WaitEnd::TimedOut)
                m_reporter.errorBox(t);
            else
                m_reporter.box(t, MsgIcon::Exclamation);
            m_reporter.statusAndLog(t);
            return false;
        }
    }
    HideCommDialog();
    const QString done = m_reporter.line(QStringLiteral("Comm_TransferDone"));
    m_reporter.log(done);
    m_reporter.status(done);
    m_reporter.ui().setBusyCursor(false);
    return true;
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

void FrameTransport::WaitForData() {
    if (m_stopped || m_waitingForResponse || m_receiveBuffer.isEmpty() || m_receiveBusy)
        return;
    m_receiveBusy = true;
    m_timerComm.stop();
    try {
        m_reporter.ui().processEvents();
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
        } else if (end == WaitEnd::TimedOut) {
            m_receiveBuffer.clear();
            m_reporter.statusAndLog(m_reporter.line(QStringLiteral("Comm_Timeout_Short")));
            m_reporter.box(m_reporter.text(QStringLiteral("Comm_Timeout_Completing_Data")),
                           MsgIcon::Exclamation);
        } else {
            m_receiveBuffer.clear();
            m_reporter.statusAndLog(m_reporter.line(QStringLiteral("Comm_Cancelled")));
        }
        HideCommDialog();
    } catch (const std::exception& e) {
        HideCommDialog();
        m_timerComm.stop();
        m_reporter.errorReport(QStringLiteral("Comm_WaitForData_Err"),
                               QString::fromLocal8Bit(e.what()), {}, false, false);
    }
    m_receiveBusy = false;
}

bool FrameTransport::WaitForResponse(const QString& code, const QString& caption) {
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
        return true;
    }
    m_receiveBuffer.clear();
    QString t;
    if (end == WaitEnd::TimedOut) {
        t = m_reporter.line(QStringLiteral("Comm_Timeout_Short"));
        m_reporter.box(m_reporter.line(QStringLiteral("Comm_Timeout_Waiting_For_Answer"), code),
                       MsgIcon::Exclamation);
    } else {
        t = m_reporter.line(QStringLiteral("Comm_Cancelled"));
    }
    m_reporter.statusAndLog(t);
    HideCommDialog();
    m_waitingForResponse = false;
    return false;
}

} // namespace zoz
