#include "link/SerialPort.h"

#include "app/IniFile.h"
#include "app/Switches.h"
#include "app/Texts.h"
#include "link/LinkReporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <optional>
#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace zoz {

namespace {

const QString kSection = QStringLiteral("Comm");

// A whole number with the fraction cut off, within the given range; nothing for other text.
std::optional<int> wholeNumber(const QString& text, qint64 min, qint64 max) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double cut = std::trunc(value);
    if (cut < double(min) || cut > double(max))
        return std::nullopt;
    return int(cut);
}

std::optional<int> int16(const QString& text) {
    return wholeNumber(text, -32768, 32767);
}
std::optional<int> int32(const QString& text) {
    return wholeNumber(text, -2147483647LL - 1, 2147483647LL);
}

} // namespace

SerialPort::SerialPort(LinkReporter& reporter, QObject* parent)
    : QObject(parent), m_reporter(reporter) {
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::onReadyRead);
    connect(&m_port, &QSerialPort::bytesWritten, this, &SerialPort::progress);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialPort::onError);
}

int SerialPort::SetCommParameters() {
    const QString iniFileName = m_reporter.switches().IniFileName;
    IniCache* cache = m_reporter.texts().iniCache();
    auto value = [this, &iniFileName, cache](const char* key, const char* def) {
        const auto given = Overrides.constFind(QString::fromLatin1(key));
        if (given != Overrides.constEnd())
            return *given;
        return GetIniValue(iniFileName, kSection, QString::fromLatin1(key),
                           QString::fromLatin1(def), cache);
    };

    // 1: a whole number n is the n-th serial port of the platform, anything else a device name.
    {
        const QString port = value("Port", "2");
        QString device;
        bool isNumber = false;
        if (const auto n = int16(port)) {
            isNumber = true;
            device = QStringLiteral("/dev/ttyS%1").arg(*n - 1);
            CommPort = QString::number(*n);
        } else {
            device = port.trimmed();
            if (!device.isEmpty() && !device.startsWith(QLatin1Char('/')))
                device = QSerialPortInfo(device).systemLocation();
            CommPort = port.trimmed();
        }
        m_requestedDevice = device;
        if (device.isEmpty() || (isNumber && device.contains(QLatin1Char('-'))) ||
            !QFileInfo::exists(device))
            return 1;
        m_device = device;
        m_portIsNumber = isNumber;
        m_port.setPortName(device);
    }
    // 2
    {
        const QString settings = value("Settings", "19200,n,8,1");
        if (!applySettings(settings))
            return 2;
        Settings = settings;
    }
    // 3, 4: OutBufferSize is also the chunk size of a send; 0 sends a frame in one piece.
    {
        const auto in = int16(value("InBufferSize", "1024"));
        if (!in || *in < 0)
            return 3;
        InBufferSize = *in;
        m_port.setReadBufferSize(InBufferSize);
        const auto out = int16(value("OutBufferSize", "512"));
        if (!out || *out < 0)
            return 4;
        OutBufferSize = *out;
    }
    // 5, 6: applied when the port opens.
    DTREnable = IsYes(value("DTREnable", "yes"));
    RTSEnable = IsYes(value("RTSEnable", "yes"));
    // 7: Qt has no combined mode; 3 uses RTS/CTS.
    {
        const auto hs = int32(value("HandShaking", "0"));
        if (!hs || *hs < 0 || *hs > 3)
            return 7;
        Handshaking = *hs;
        static const QSerialPort::FlowControl flow[] = {
            QSerialPort::NoFlowControl, QSerialPort::SoftwareControl, QSerialPort::HardwareControl,
            QSerialPort::HardwareControl};
        if (!m_port.setFlowControl(flow[Handshaking]))
            return 7;
    }
    // 8: read everything waiting, binary, NUL bytes dropped, an event per byte.
    InputLen = 0;
    InputMode = 1;
    NullDiscard = true;
    RThreshold = 1;
    SThreshold = 1;
    // 9
    {
        const auto t = int16(value("TimeOut", "10"));
        if (!t)
            return 9;
        TimeOut = *t;
    }
    // 10
    ShowCancelDialog = IsYes(value("ShowCancelDialog", "yes"));
    // 11
    {
        const auto t = int16(value("TimerInterval", "500"));
        if (!t)
            return 11;
        TimerInterval = *t;
    }
    return 0;
}

// "baud,parity,data,stop": parity n/e/o/m/s, data bits 5..8, stop bits 1, 1.5 or 2.
bool SerialPort::applySettings(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    const int baud = parts[0].trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        return false;
    const QString parityText = parts[1].trimmed().toLower();
    QSerialPort::Parity parity;
    if (parityText == QLatin1String("n"))
        parity = QSerialPort::NoParity;
    else if (parityText == QLatin1String("e"))
        parity = QSerialPort::EvenParity;
    else if (parityText == QLatin1String("o"))
        parity = QSerialPort::OddParity;
    else if (parityText == QLatin1String("m"))
        parity = QSerialPort::MarkParity;
    else if (parityText == QLatin1String("s"))
        parity = QSerialPort::SpaceParity;
    else
        return false;
    const int data = parts[2].trimmed().toInt(&ok);
    if (!ok || data < 5 || data > 8)
        return false;
    const QString stopText = parts[3].trimmed();
    QSerialPort::StopBits stop;
    if (stopText == QLatin1String("1"))
        stop = QSerialPort::OneStop;
    else if (stopText == QLatin1String("1.5"))
        stop = QSerialPort::OneAndHalfStop;
    else if (stopText == QLatin1String("2"))
        stop = QSerialPort::TwoStop;
    else
        return false;
    return m_port.setBaudRate(baud) && m_port.setParity(parity) &&
           m_port.setDataBits(static_cast<QSerialPort::DataBits>(data)) && m_port.setStopBits(stop);
}

QString SerialPort::portText() const {
    if (m_portIsNumber) {
        const int n = CommPort.toInt();
        return n >= 0 ? QStringLiteral(" ") + CommPort : CommPort;
    }
    return CommPort;
}

bool SerialPort::LacksPermission(const QString& device) {
#ifdef Q_OS_UNIX
    return !device.isEmpty() && ::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 &&
           errno == EACCES;
#else
    Q_UNUSED(device);
    return false;
#endif
}

QString SerialPort::PermissionHint(Texts& texts, const QString& device) {
    return LacksPermission(device) ? texts.message(QStringLiteral("Comm_Dialout_Info")) : QString();
}

// A pty cannot set modem lines; that is no failure.
void SerialPort::applyModemLines() {
    m_port.setDataTerminalReady(DTREnable);
    m_port.setRequestToSend(RTSEnable);
    if (m_port.error() == QSerialPort::UnsupportedOperationError)
        m_port.clearError();
}

qint64 SerialPort::LockHolder(const QString& device) {
#ifdef Q_OS_UNIX
    // The folders and the name QSerialPort and the UUCP convention use: "/dev/" dropped, every
    // "/" of the rest made "_".
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char* folder : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                               "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
        QFile lock(QString::fromLatin1(folder) + QStringLiteral("/LCK..") + name);
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        // The process id as text on the first line (QLockFile, UUCP), or as a binary int.
        const QByteArray head = lock.read(64);
        bool ok = false;
        qint64 pid = head.split('\n').value(0).trimmed().toLongLong(&ok);
        if (!ok && head.size() == int(sizeof(int))) {
            int binary = 0;
            std::memcpy(&binary, head.constData(), sizeof binary);
            pid = binary;
        }
        if (pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM))
            return pid;
    }
#else
    Q_UNUSED(device);
#endif
    return 0;
}

bool SerialPort::OpenPort() {
    PortOpened = m_port.isOpen();
    if (!PortOpened) {
        if (m_device.isEmpty() || !m_port.open(QIODevice::ReadWrite)) {
            QString why =
                m_device.isEmpty() ? QStringLiteral("no port set up") : m_port.errorString();
            // Busy is no missing permission: say who holds the port instead of Qt's "Permission
            // error while locking the device".
            m_busyHolder = -1;
            if (m_port.error() == QSerialPort::PermissionError && !LacksPermission(m_device)) {
                m_busyHolder = LockHolder(m_device);
                why = m_reporter.texts().message(QStringLiteral("Comm_Port_InUse"));
                if (m_busyHolder > 0)
                    why += QStringLiteral(" (PID %1)").arg(m_busyHolder);
            }
            m_port.clearError();
            m_openError = why;
            m_reporter.errorReport(QStringLiteral("Comm_OpenPort_Err"), why, portText(), true, true,
                                   PermissionHint(m_reporter.texts(), m_device));
            return false;
        }
        m_hangUp = false;
        m_busyHolder = -1;
        m_openError.clear();
        applyModemLines();
        m_reporter.ui().processEvents();
        PortOpened = m_port.isOpen();
    }
    return PortOpened;
}

bool SerialPort::Reopen() {
    if (m_port.isOpen()) // still closing after the hang-up, or never went away
        return !m_hangUp;
    if (m_device.isEmpty() || !QFileInfo::exists(m_device))
        return false;
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_port.clearError();
        return false;
    }
    m_hangUp = false;
    m_openError.clear();
    applyModemLines();
    PortOpened = true;
    emit reopened();
    return true;
}

bool SerialPort::ClosePort() {
    // A port closed on purpose is no hung-up port waiting to come back.
    m_hangUp = false;
    PortOpened = m_port.isOpen();
    if (PortOpened) {
        m_port.close();
        if (m_port.error() != QSerialPort::NoError && m_port.isOpen()) {
            const QString why = m_port.errorString();
            m_port.clearError();
            m_reporter.errorReport(QStringLiteral("Comm_ClosePort_Err"), why, portText(), true,
                                   true);
            return false;
        }
        m_reporter.ui().processEvents();
        PortOpened = m_port.isOpen();
    }
    return !PortOpened;
}

bool SerialPort::write(const QByteArray& bytes) {
    if (!m_port.isOpen()) {
        m_writeError = QStringLiteral("The port is not open");
        return false;
    }
    emit writing(bytes);
    if (m_port.write(bytes) != bytes.size()) {
        m_writeError = m_port.errorString();
        return false;
    }
    return true;
}

void SerialPort::onReadyRead() {
    QByteArray bytes = m_port.readAll();
    if (NullDiscard)
        bytes.replace('\0', QByteArray());
    if (!bytes.isEmpty())
        emit received(bytes);
}

// A pty whose far end hangs up reports ReadError in a storm: close once, later, and wake waits.
void SerialPort::onError(QSerialPort::SerialPortError error) {
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    if (m_hangUp || !m_port.isOpen())
        return;
    m_hangUp = true;
    // QSerialPort's own text here is a stale errno ("No such file or directory"); what the line
    // did is an I/O error on the device, the system's text for a hang-up.
    emit hungUp(QString::fromLocal8Bit(std::strerror(EIO)));
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_port.isOpen())
                m_port.close();
            emit progress();
        },
        Qt::QueuedConnection);
}

} // namespace zoz
