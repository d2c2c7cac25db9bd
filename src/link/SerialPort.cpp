#include "link/SerialPort.h"

#include "link/LinkReporter.h"
#include "link/NetworkLink.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"

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

SerialPort::~SerialPort() = default;

QString SerialPort::resolveConnection(const QString& iniFileName, const QString& port) {
    const QString name = port.trimmed();
    if (name.isEmpty() || iniFileName.isEmpty() || NetworkLink::isNetworkPort(name))
        return port;
    const QString value =
        GetIniValue(iniFileName, QStringLiteral("Connections"), name, QString()).trimmed();
    return value.isEmpty() ? port : value;
}

// A network port needs no device file; a malformed address fails step 1 like a missing device.
bool SerialPort::setUpNetwork(const QString& port) {
    m_requestedDevice = port.trimmed();
    if (!NetworkLink::parse(port))
        return false;
    if (!m_net) {
        m_net = std::make_unique<NetworkLink>();
        connect(m_net.get(), &NetworkLink::received, this, [this](QByteArray bytes) {
            if (NullDiscard)
                bytes.replace('\0', QByteArray());
            if (!bytes.isEmpty())
                emit received(bytes);
        });
        connect(m_net.get(), &NetworkLink::bytesWritten, this, &SerialPort::progress);
        connect(m_net.get(), &NetworkLink::hungUp, this, &SerialPort::hangUp);
    }
    m_netPort = m_device = port.trimmed();
    m_portIsNumber = false;
    return true;
}

// A whole number n is the n-th serial port of the platform, anything else a device name.
bool SerialPort::setUpSerial(const QString& port) {
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
        return false;
    m_device = device;
    m_portIsNumber = isNumber;
    m_port.setPortName(device);
    return true;
}

bool SerialPort::isOpen() const {
    return m_netPort.isEmpty() ? m_port.isOpen() : m_net->isOpen();
}

qint64 SerialPort::OutBufferCount() const {
    return m_netPort.isEmpty() ? m_port.bytesToWrite() : m_net->bytesToWrite();
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

    // 1: a serial port, a network port, or a [Connections] name for either.
    {
        const QString given = value("Port", "2");
        const QString port = resolveConnection(iniFileName, given);
        // A connection open to another place than the new value names is ended.
        if (m_net && m_net->isOpen() && port.trimmed() != m_netPort)
            m_net->close();
        m_netPort.clear();
        if (NetworkLink::isNetworkPort(port)) {
            CommPort = given.trimmed();
            if (!setUpNetwork(port))
                return 1;
        } else if (!setUpSerial(port)) {
            return 1;
        }
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

// The serial device opens at once; a network port connects within TimeOut (5 s when 0), with the
// window's events running, and says why it failed: refused, unreachable, name or time-out.
bool SerialPort::openDevice(QString& why) {
    if (m_device.isEmpty()) {
        why = QStringLiteral("no port set up");
        return false;
    }
    if (m_netPort.isEmpty()) {
        if (m_port.open(QIODevice::ReadWrite))
            return true;
        why = m_port.errorString();
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
        return false;
    }
    const auto address = NetworkLink::parse(m_netPort);
    NetworkLink::Line line;
    line.baud = quint32(m_port.baudRate());
    line.dataBits = int(m_port.dataBits());
    static const int parity[] = {1, 0, 3, 2, 5, 4}; // QSerialPort's order: n, -, e, o, s, m
    line.parity = parity[qBound(0, int(m_port.parity()), 5)];
    line.stopSize = m_port.stopBits() == QSerialPort::TwoStop          ? 2
                    : m_port.stopBits() == QSerialPort::OneAndHalfStop ? 3
                                                                       : 1;
    line.flow = Handshaking == 1   ? TelnetCodec::Flow::XonXoff
                : Handshaking >= 2 ? TelnetCodec::Flow::Hardware
                                   : TelnetCodec::Flow::None;
    line.dtr = DTREnable;
    line.rts = RTSEnable;
    const int seconds = TimeOut > 0 ? TimeOut : 5;
    if (m_net->open(*address, line, seconds * 1000, why))
        return true;
    const QString where = address->text();
    QString text;
    switch (m_net->failure()) {
    case NetworkLink::Failure::Refused:
        text = m_reporter.text(QStringLiteral("Comm_Net_Refused"));
        break;
    case NetworkLink::Failure::Unreachable:
        text = m_reporter.text(QStringLiteral("Comm_Net_Unreachable"));
        break;
    case NetworkLink::Failure::NameNotFound:
        text = m_reporter.text(QStringLiteral("Comm_Net_NotFound"));
        break;
    case NetworkLink::Failure::TimedOut:
        text = m_reporter.text(QStringLiteral("Comm_Net_TimedOut"));
        break;
    default:
        text = why + QStringLiteral(" (&)");
        break;
    }
    if (!text.contains(QLatin1Char('&')))
        text += QStringLiteral(" (&)"); // a settings file without our texts still names the place
    why = ReplaceParams(text, where, QString::number(seconds));
    return false;
}

bool SerialPort::OpenPort() {
    PortOpened = isOpen();
    if (!PortOpened) {
        QString why;
        if (!openDevice(why)) {
            m_openError = why;
            m_reporter.errorReport(
                QStringLiteral("Comm_OpenPort_Err"), why, portText(),
                ShowIn::Box | ShowIn::StatusBar,
                m_netPort.isEmpty() ? PermissionHint(m_reporter.texts(), m_device) : QString());
            return false;
        }
        m_hangUp = false;
        m_busyHolder = -1;
        m_openError.clear();
        if (m_netPort.isEmpty())
            applyModemLines();
        m_reporter.activity().processEvents();
        PortOpened = isOpen();
        if (!PortOpened) // hung up at once, as a device server does whose line is busy
            m_openError = m_hangUpWhy;
    }
    return PortOpened;
}

bool SerialPort::Reopen() {
    if (isOpen()) // still closing after the hang-up, or never went away
        return !m_hangUp;
    if (m_device.isEmpty() || (m_netPort.isEmpty() && !QFileInfo::exists(m_device)))
        return false;
    QString why;
    if (!openDevice(why))
        return false;
    m_hangUp = false;
    m_openError.clear();
    if (m_netPort.isEmpty())
        applyModemLines();
    PortOpened = true;
    emit reopened();
    return true;
}

bool SerialPort::ClosePort() {
    // A port closed on purpose is no hung-up port waiting to come back.
    m_hangUp = false;
    PortOpened = isOpen();
    if (PortOpened && !m_netPort.isEmpty()) {
        m_net->close();
        m_reporter.activity().processEvents();
        PortOpened = isOpen();
    } else if (PortOpened) {
        m_port.close();
        if (m_port.error() != QSerialPort::NoError && m_port.isOpen()) {
            const QString why = m_port.errorString();
            m_port.clearError();
            m_reporter.errorReport(QStringLiteral("Comm_ClosePort_Err"), why, portText(),
                                   ShowIn::Box | ShowIn::StatusBar);
            return false;
        }
        m_reporter.activity().processEvents();
        PortOpened = m_port.isOpen();
    }
    return !PortOpened;
}

bool SerialPort::write(const QByteArray& bytes) {
    if (!isOpen()) {
        m_writeError = QStringLiteral("The port is not open");
        return false;
    }
    emit writing(bytes);
    if (!m_netPort.isEmpty()) {
        if (!m_net->write(bytes)) {
            m_writeError = m_net->errorString();
            return false;
        }
        return true;
    }
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
    // QSerialPort's own text here is a stale errno ("No such file or directory"); what the line
    // did is an I/O error on the device, the system's text for a hang-up.
    if (m_port.isOpen())
        hangUp(QString::fromLocal8Bit(std::strerror(EIO)));
}

// A device server that drops the connection is handled like a serial line that hangs up.
void SerialPort::hangUp(const QString& why) {
    if (m_hangUp)
        return;
    m_hangUp = true;
    m_hangUpWhy = why;
    emit hungUp(why); // the transport reports it and ends a running wait
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_port.isOpen())
                m_port.close();
            if (m_net)
                m_net->close();
            emit progress();
        },
        Qt::QueuedConnection);
}

} // namespace zoz
