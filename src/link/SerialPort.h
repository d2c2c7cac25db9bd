#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <memory>

namespace zoz {

class LinkReporter;
class NetworkLink;
class Texts;

// The serial port and its [Comm] settings. One instance for the whole run: set up once at
// start-up, opened on the main window's first activation, closed at the end. The port may also be
// a device server on the network (tcp://, rfc2217://, or a [Connections] name for one): then a
// NetworkLink stands in for the serial device and everything else stays as it is.
class SerialPort : public QObject {
    Q_OBJECT
public:
    // The settings file is the one the reporter's switches name when SetCommParameters runs.
    explicit SerialPort(LinkReporter& reporter, QObject* parent = nullptr);
    ~SerialPort() override;

    // Steps 1..11 of [Comm]; 0 when all succeeded, else the number of the failing step.
    int SetCommParameters();
    // The port's open state after the call.
    bool OpenPort();
    // True when the port is closed after the call.
    bool ClosePort();
    // Opens the set-up device again without any report: true when it is open afterwards. For a
    // port that went away with a hang-up and may come back (PortReviver).
    bool Reopen();
    // The line hung up and the port has not been opened since (it is closed, or closing).
    bool isHungUp() const { return m_hangUp; }
    // Another program holds the device: the process id of its lock file, 0 when the device
    // itself said busy; -1 when the last open failed for another reason or succeeded.
    qint64 busyHolder() const { return m_busyHolder; }
    // The live process holding a lock file of the device where serial-port programs put them
    // ("/var/lock/LCK..ttyUSB0"), else 0.
    static qint64 LockHolder(const QString& device);

    bool isOpen() const;
    // True when this user may not read and write the device at all (on Linux: not in the group
    // dialout), as opposed to a port that is merely in use.
    static bool LacksPermission(const QString& device);
    // Comm_Dialout_Info when LacksPermission(device), otherwise "".
    static QString PermissionHint(Texts& texts, const QString& device);
    // Queues bytes for output; false with errorString() when the port refuses them.
    bool write(const QByteArray& bytes);
    // Bytes written by us and not yet taken by the device (MSComm OutBufferCount).
    qint64 OutBufferCount() const;
    // Why the last write failed.
    QString writeError() const { return m_writeError; }
    // The port number or name as error texts show it: " 2" for port 2, else the name.
    QString portText() const;
    QString deviceName() const { return m_device; }
    // The device set-up step 1 looked for last, also when it was refused ("" for an empty name).
    QString requestedDevice() const { return m_requestedDevice; }
    // The port string a [Connections] name stands for; the value itself when it names none.
    static QString resolveConnection(const QString& iniFileName, const QString& port);
    // The network link while the port is a network port, else null.
    NetworkLink* network() const { return m_net.get(); }

    // [Comm] values as applied.
    QString CommPort;
    QString Settings;
    int InBufferSize = 0;
    int OutBufferSize = 0;
    bool DTREnable = false;
    bool RTSEnable = false;
    int Handshaking = 0;
    int InputLen = 0;
    int InputMode = 0;
    bool NullDiscard = false;
    int RThreshold = 0;
    int SThreshold = 0;
    int TimeOut = 0; // seconds; 0 or less: no time-out
    bool ShowCancelDialog = false;
    int TimerInterval = 0; // milliseconds of TimerComm
    bool PortOpened = false;

    // [Comm] values that win over the settings file (key as in the file, e.g. "Port"); the
    // command-line tool's options. Empty for the editor.
    QHash<QString, QString> Overrides;
    // The system's text of the last failed open, "" after a successful one.
    QString openError() const { return m_openError; }

signals:
    // Bytes received, NUL bytes already dropped (NullDiscard).
    void received(const QByteArray& bytes);
    // A piece of output is about to be written.
    void writing(const QByteArray& bytes);
    // The device took written bytes, or the port went away: waits look again.
    void progress();
    // The far end hung up (the system's description); the port closes right after.
    void hungUp(const QString& description);
    // Reopen brought a hung-up port back.
    void reopened();

private:
    bool applySettings(const QString& text);
    void applyModemLines();
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void hangUp(const QString& why);
    bool openDevice(QString& why);
    bool setUpSerial(const QString& port);
    bool setUpNetwork(const QString& port);

    LinkReporter& m_reporter;
    QSerialPort m_port; // also keeps the line settings of a network port
    std::unique_ptr<NetworkLink> m_net;
    QString m_netPort; // the tcp:// or rfc2217:// value the port stands for
    QString m_device;
    QString m_requestedDevice;
    bool m_portIsNumber = false;
    bool m_hangUp = false;
    QString m_hangUpWhy;
    QString m_writeError;
    QString m_openError;
    qint64 m_busyHolder = -1;
};

} // namespace zoz
