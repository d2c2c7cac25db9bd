#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QQueue>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>
#include <array>
#include <memory>

namespace zoz::sim {

// Plays the controller on the master side of a pseudo terminal. Frames are 0x80..0x89, upper-case
// hex payload, 0x0D. Everything it receives and sends is reported on stdout, one line each, so that
// a test can follow the exchange; it is driven by commands on stdin (see README).
class Simulator : public QObject {
    Q_OBJECT
public:
    struct Options {
        int baud = 19200;           // output pacing; 0 sends as fast as the pty takes it
        bool paceInput = false;     // also take input no faster than the line delivers it
        bool groupAsSingles = true; // answer 84 "30" with eight "31".."38" blocks
        int answerDelayMs = 0;
        int ackTimeoutMs = 3000; // how long a single block of the group waits for its 86
        QString linkPath;        // optional symlink to the slave device
        QStringList statusTexts; // up to six; defaults fill the rest
        QByteArray dataSetHex;   // block "20" payload without the code; default built in
    };

    explicit Simulator(Options options, QObject* parent = nullptr);
    ~Simulator() override;

    // Opens the pty; false with a message on stderr when it cannot.
    bool open();
    QString devicePath() const { return m_devicePath; }

    // One control line (stdin or --do).
    void command(const QString& line);

signals:
    void finished(int code);

private:
    enum class Fault { None, NoAnswer, BadChecksum, Nul, Garbage, Split, Merge, Dribble, HangUp };

    void onReadable();
    void handleFrame(const QByteArray& frame);
    void answer(const QByteArray& frame);
    void send(const QByteArray& frame, const QString& what);
    void queue(const QByteArray& bytes, int pauseAfterMs = 0, bool hangUpAfter = false);
    void pump();
    void hangUp();
    void resetToDefaults();
    void sendGroupBlock();
    QByteArray block(int code) const;
    QByteArray versionInfoFrame() const;
    void dump();
    void say(const QString& line);

    Options m_options;
    int m_master = -1;
    int m_slave = -1; // kept open so that the editor may close and reopen its end
    QString m_devicePath;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    QByteArray m_rx;
    // Paced input: bytes the line has delivered but we have not read yet, as of m_rxAt.
    double m_rxCredit = 0;
    qint64 m_rxAt = 0;
    struct Segment {
        QByteArray bytes;
        int pauseAfterMs = 0;
        bool hangUpAfter = false;
    };
    QQueue<Segment> m_tx;
    QTimer m_pump;
    qint64 m_pauseUntil = 0;
    QElapsedTimer m_clock;

    QByteArray m_dataSet;                // 446 bytes, block "20" with its code
    std::array<QByteArray, 8> m_configs; // 512 bytes each
    QStringList m_status;                // six
    QByteArray m_qplVersion;
    int m_lastSentChecksum = 0;

    Fault m_fault = Fault::None;
    int m_faultArg = 0;
    int m_noAnswerCount = 0;

    int m_groupNext = 0; // next block of the group to send as a single block, 0 = idle
    QTimer m_ackTimer;
};

} // namespace zoz::sim
