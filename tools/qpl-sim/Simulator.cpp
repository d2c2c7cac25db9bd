#include "Simulator.h"

#include "SimFrames.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace zoz::sim {

namespace {
constexpr int kDataSetSize = 446; // block "20" with its code byte
constexpr int kConfigSize = 512;
constexpr int kPumpMs = 5;
} // namespace

Simulator::Simulator(Options options, QObject* parent)
    : QObject(parent), m_options(std::move(options)) {
    m_clock.start();
    m_pump.setInterval(kPumpMs);
    connect(&m_pump, &QTimer::timeout, this, &Simulator::pump);
    m_ackTimer.setSingleShot(true);
    connect(&m_ackTimer, &QTimer::timeout, this, [this] {
        say(QStringLiteral("NOACK"));
        sendGroupBlock();
    });
    resetToDefaults();
}

Simulator::~Simulator() {
    m_readNotifier.reset();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    if (!m_options.linkPath.isEmpty())
        QFile::remove(m_options.linkPath);
}

void Simulator::resetToDefaults() {
    m_dataSet = QByteArray(1, '\x20');
    for (int i = 1; i <= 16; ++i)
        m_dataSet += SimFrames::fixed("Dig " + QByteArray::number(i).rightJustified(2, '0'), 8);
    for (int i = 1; i <= 8; ++i)
        m_dataSet += SimFrames::fixed("Ana " + QByteArray::number(i), 8);
    for (int i = 1; i <= 8; ++i)
        m_dataSet += SimFrames::fixed("Adat " + QByteArray::number(i), 8);
    for (int i = 1; i <= 4; ++i)
        m_dataSet += SimFrames::fixed("ExtMon " + QByteArray::number(i), 8);
    for (int i = 1; i <= 4; ++i)
        m_dataSet += SimFrames::fixed("Bus " + QByteArray::number(i), 8);
    m_dataSet += QByteArray(24, '\0');              // layers
    m_dataSet += QByteArray::fromHex("0121010101"); // mode, volume 0 dB, channel, tap, peak
    m_dataSet += QByteArray(4 + 8 + 32, '\0');      // ext. monitor, GPIO in, GPIO out
    m_dataSet += QByteArray(1, '\x01');             // control protocol
    m_dataSet += QByteArray(10, '\0');              // machine-source matrix
    m_dataSet += QByteArray::fromHex("1901000001"); // 25 frames, channels, toggles, start-up
    m_dataSet += QByteArray(36, '\0');              // FBox
    if (!m_options.dataSetHex.isEmpty())
        m_dataSet = SimFrames::fromHex(m_options.dataSetHex);
    for (int k = 0; k < 8; ++k)
        m_configs[k] =
            SimFrames::fixed("Sim configuration " + QByteArray::number(k + 1), kConfigSize);
    m_status = m_options.statusTexts;
    // For the Status page's labels: device, firmware, version, serial number, hours, last error.
    const QStringList defaults =
        QStringLiteral("QPL Audio Controller (Sim)|FW 2.10.4 build 1187|"
                       "QPL SW V2.10 Sim|SN QPL-0418-0001|1234 h|E00 no error")
            .split(QLatin1Char('|'));
    while (m_status.size() < 6)
        m_status.append(defaults.at(m_status.size()));
    m_qplVersion.clear();
}

bool Simulator::open() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        std::fprintf(stderr, "qpl-sim: no pseudo terminal: %s\n", std::strerror(errno));
        return false;
    }
    const char* name = ::ptsname(m_master);
    if (!name)
        return false;
    m_devicePath = QString::fromLocal8Bit(name);
    // Raw line discipline from the start: CR must not become LF, 8-bit bytes pass unchanged.
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave >= 0) {
        termios t{};
        if (::tcgetattr(m_slave, &t) == 0) {
            ::cfmakeraw(&t);
            ::tcsetattr(m_slave, TCSANOW, &t);
        }
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_readNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &Simulator::onReadable);
    if (!m_options.linkPath.isEmpty()) {
        QFile::remove(m_options.linkPath);
        if (!QFile::link(m_devicePath, m_options.linkPath))
            std::fprintf(stderr, "qpl-sim: cannot link %s\n", qPrintable(m_options.linkPath));
    }
    say(QStringLiteral("PTY ") + m_devicePath);
    return true;
}

void Simulator::say(const QString& line) {
    std::fputs(qPrintable(line), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void Simulator::onReadable() {
    char buffer[4096];
    qint64 allowed = qint64(sizeof buffer);
    if (m_options.paceInput && m_options.baud > 0) {
        // A pty takes any amount at once; a line delivers ten bits per byte. What is not yet
        // "delivered" stays in the pty, so that the sender waits as on a real line.
        const qint64 now = m_clock.elapsed();
        const double perMs = m_options.baud / 10000.0;
        m_rxCredit = qMin(m_rxCredit + (now - m_rxAt) * perMs, perMs * kPumpMs + 1);
        m_rxAt = now;
        allowed = qint64(m_rxCredit);
        if (allowed < 1) {
            m_readNotifier->setEnabled(false);
            QTimer::singleShot(kPumpMs, this, [this] {
                if (m_readNotifier)
                    m_readNotifier->setEnabled(true);
            });
            return;
        }
    }
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, size_t(qMin(allowed, qint64(sizeof buffer))));
        if (n > 0) {
            m_rx.append(buffer, int(n));
            if (m_options.paceInput && m_options.baud > 0) {
                m_rxCredit -= double(n);
                break; // the notifier calls again for the rest
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO) {
            // Nobody holds the slave: keep our own slave fd, so this only happens after hang-up.
            m_readNotifier->setEnabled(false);
        }
        break;
    }
    for (;;) {
        int start = 0;
        while (start < m_rx.size() && (quint8(m_rx[start]) < 0x80 || quint8(m_rx[start]) > 0x89))
            ++start;
        if (start > 0) {
            say(QStringLiteral("JUNK ") + QString::fromLatin1(SimFrames::toHex(m_rx.left(start))));
            m_rx.remove(0, start);
        }
        const int end = m_rx.indexOf('\r');
        if (m_rx.isEmpty() || end < 0)
            break;
        const QByteArray f = m_rx.left(end + 1);
        m_rx.remove(0, end + 1);
        handleFrame(f);
    }
}

void Simulator::handleFrame(const QByteArray& f) {
    const QByteArray code = SimFrames::toHex(f.left(1));
    const QByteArray payload = f.mid(1, f.size() - 2);
    say(QStringLiteral("RX %1 %2").arg(QString::fromLatin1(code), QString::fromLatin1(payload)));
    if (m_noAnswerCount > 0) {
        --m_noAnswerCount;
        say(QStringLiteral("SILENT %1").arg(QString::fromLatin1(code)));
        return;
    }
    if (m_options.answerDelayMs > 0)
        QTimer::singleShot(m_options.answerDelayMs, this, [this, f] { answer(f); });
    else
        answer(f);
}

QByteArray Simulator::block(int code) const {
    if (code == 0x20)
        return m_dataSet;
    if (code >= 0x31 && code <= 0x38)
        return char(code) + m_configs[code - 0x31];
    if (code == 0x30) {
        QByteArray all(1, '\x30');
        for (const QByteArray& c : m_configs)
            all += c;
        return all;
    }
    return {};
}

QByteArray Simulator::versionInfoFrame() const {
    QByteArray payload;
    for (const QString& text : m_status) {
        const QByteArray t = SimFrames::fixed(text.toLatin1(), 32);
        payload += "20" + SimFrames::toHex(t);
    }
    return SimFrames::frame(0x83, payload);
}

void Simulator::answer(const QByteArray& f) {
    const quint8 code = quint8(f[0]);
    const QByteArray payload = f.mid(1, f.size() - 2);
    switch (code) {
    case 0x80:
        send(SimFrames::frame(0x81), QStringLiteral("81"));
        break;
    case 0x82:
        send(versionInfoFrame(), QStringLiteral("83"));
        break;
    case 0x84: {
        const int blockCode = payload.size() >= 2 ? payload.left(2).toInt(nullptr, 16) : -1;
        if (blockCode == 0x30 && m_options.groupAsSingles) {
            m_groupNext = 1;
            sendGroupBlock();
        } else if (!block(blockCode).isEmpty()) {
            send(SimFrames::frame(0x85, SimFrames::toHex(block(blockCode))),
                 QStringLiteral("85 %1").arg(blockCode, 2, 16));
        } else {
            say(QStringLiteral("UNKNOWN-BLOCK ") + QString::fromLatin1(payload));
        }
        break;
    }
    case 0x85: {
        int sum = SimFrames::checksum(payload);
        if (m_fault == Fault::BadChecksum) {
            m_fault = Fault::None;
            sum += 1;
        }
        const QByteArray bytes = SimFrames::fromHex(payload);
        const int blockCode = bytes.isEmpty() ? -1 : quint8(bytes[0]);
        if (blockCode == 0x20) {
            m_dataSet = bytes;
        } else if (blockCode >= 0x31 && blockCode <= 0x38) {
            m_configs[blockCode - 0x31] = SimFrames::fixed(bytes.mid(1), kConfigSize);
        } else if (blockCode == 0x30) {
            for (int k = 0; k < 8; ++k)
                m_configs[k] =
                    SimFrames::fixed(bytes.mid(1 + k * kConfigSize, kConfigSize), kConfigSize);
        }
        send(SimFrames::frame(0x86, SimFrames::toHex(QByteArray::number(sum))),
             QStringLiteral("86 %1").arg(sum));
        break;
    }
    case 0x86: {
        const int theirs = SimFrames::fromHex(payload).toInt();
        say(QStringLiteral("ACK %1 %2")
                .arg(theirs == m_lastSentChecksum ? "OK" : "BAD")
                .arg(theirs));
        if (m_groupNext > 0) {
            m_ackTimer.stop();
            sendGroupBlock();
        }
        break;
    }
    case 0x87:
        resetToDefaults();
        send(SimFrames::frame(0x88), QStringLiteral("88"));
        break;
    case 0x89:
        m_qplVersion = SimFrames::fromHex(payload);
        say(QStringLiteral("VERSION ") + QString::fromLatin1(m_qplVersion));
        break;
    default: // 81, 83, 88: answers to our own requests, reported by RX
        break;
    }
}

// One block of the group per acknowledgement: the editor takes everything received as one frame.
void Simulator::sendGroupBlock() {
    if (m_groupNext < 1 || m_groupNext > 8) {
        m_groupNext = 0;
        return;
    }
    const int code = 0x30 + m_groupNext;
    ++m_groupNext;
    send(SimFrames::frame(0x85, SimFrames::toHex(block(code))),
         QStringLiteral("85 %1").arg(code, 2, 16));
    if (m_groupNext <= 8)
        m_ackTimer.start(m_options.ackTimeoutMs);
    else
        m_groupNext = 0;
}

void Simulator::send(const QByteArray& f, const QString& what) {
    if (quint8(f[0]) == 0x85)
        m_lastSentChecksum = SimFrames::checksum(f.mid(1, f.size() - 2));
    const Fault fault = m_fault;
    const int arg = m_faultArg;
    if (m_fault != Fault::BadChecksum) // that one waits for the next 86
        m_fault = Fault::None;
    say(QStringLiteral("TX ") + what);
    switch (fault) {
    case Fault::Nul: {
        QByteArray withNul;
        for (char c : f)
            withNul += QByteArray(1, c) + QByteArray(1, '\0');
        queue(withNul);
        break;
    }
    case Fault::Garbage:
        queue(QByteArray("\x11garbage\x7f", 9) + f);
        break;
    case Fault::Split:
        for (int i = 0; i < f.size(); i += qMax(1, arg))
            queue(f.mid(i, qMax(1, arg)), 30);
        break;
    case Fault::Merge:
        queue(f + f);
        break;
    case Fault::Dribble:
        for (char c : f)
            queue(QByteArray(1, c), qMax(1, arg));
        break;
    case Fault::HangUp:
        queue(f.left(f.size() / 2), 50, true);
        break;
    default:
        queue(f);
        break;
    }
}

void Simulator::queue(const QByteArray& bytes, int pauseAfterMs, bool hangUpAfter) {
    m_tx.enqueue({bytes, pauseAfterMs, hangUpAfter});
    if (!m_pump.isActive())
        m_pump.start();
    pump();
}

// Paces output at the line's rate: ten bits per byte, a share every few milliseconds.
void Simulator::pump() {
    if (m_clock.elapsed() < m_pauseUntil)
        return;
    int budget = m_options.baud > 0 ? qMax(1, m_options.baud * kPumpMs / 10000) : 1 << 20;
    while (!m_tx.isEmpty() && budget > 0) {
        Segment& s = m_tx.head();
        const int n = qMin(budget, int(s.bytes.size()));
        const ssize_t written = n > 0 ? ::write(m_master, s.bytes.constData(), size_t(n)) : 0;
        if (written < 0)
            return; // the pty is full; try again on the next tick
        s.bytes.remove(0, int(written));
        budget -= int(written);
        if (!s.bytes.isEmpty())
            return;
        const Segment done = m_tx.dequeue();
        if (done.hangUpAfter) {
            hangUp();
            return;
        }
        if (done.pauseAfterMs > 0) {
            m_pauseUntil = m_clock.elapsed() + done.pauseAfterMs;
            return;
        }
    }
    if (m_tx.isEmpty())
        m_pump.stop();
}

void Simulator::hangUp() {
    say(QStringLiteral("HANGUP"));
    m_pump.stop();
    m_tx.clear();
    m_readNotifier.reset();
    ::close(m_master);
    m_master = -1;
    if (m_slave >= 0)
        ::close(m_slave);
    m_slave = -1;
    emit finished(0);
}

void Simulator::dump() {
    say(QStringLiteral("DUMP 20 ") + QString::fromLatin1(SimFrames::toHex(m_dataSet)));
    for (int k = 0; k < 8; ++k)
        say(QStringLiteral("DUMP %1 %2")
                .arg(0x31 + k, 2, 16)
                .arg(QString::fromLatin1(SimFrames::toHex(m_configs[k]))));
    for (int i = 0; i < 6; ++i)
        say(QStringLiteral("DUMP STATUS%1 %2").arg(i + 1).arg(m_status[i]));
    say(QStringLiteral("DUMP VERSION ") + QString::fromLatin1(m_qplVersion));
    say(QStringLiteral("DUMP END"));
}

void Simulator::command(const QString& line) {
    const QStringList w = line.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (w.isEmpty())
        return;
    const QString verb = w[0].toLower();
    const QString a1 = w.value(1).toLower();
    if (verb == QLatin1String("send") && !a1.isEmpty()) {
        // Our own requests: 80, 82, 84 <block>, 87; any other code with an optional hex payload.
        bool ok = false;
        const int code = a1.toInt(&ok, 16);
        if (!ok || code < 0x80 || code > 0x89) {
            say(QStringLiteral("ERROR bad code"));
            return;
        }
        const QByteArray payload = w.value(2).toLatin1().toUpper();
        send(SimFrames::frame(quint8(code), payload), w.mid(1).join(QLatin1Char(' ')));
    } else if (verb == QLatin1String("raw")) {
        const QByteArray bytes = SimFrames::fromHex(w.mid(1).join(QString()).toLatin1());
        say(QStringLiteral("TX raw ") + QString::fromLatin1(SimFrames::toHex(bytes)));
        queue(bytes);
    } else if (verb == QLatin1String("fault")) {
        const int arg = w.value(2).toInt();
        if (a1 == QLatin1String("none")) {
            m_fault = Fault::None;
            m_noAnswerCount = 0;
        } else if (a1 == QLatin1String("noanswer")) {
            m_noAnswerCount = qMax(1, arg);
        } else if (a1 == QLatin1String("badsum")) {
            m_fault = Fault::BadChecksum;
        } else if (a1 == QLatin1String("version")) {
            m_status[2] =
                w.size() > 2 ? w.mid(2).join(QLatin1Char(' ')) : QStringLiteral("QPL SW V3.00");
        } else if (a1 == QLatin1String("nul")) {
            m_fault = Fault::Nul;
        } else if (a1 == QLatin1String("garbage")) {
            m_fault = Fault::Garbage;
        } else if (a1 == QLatin1String("split")) {
            m_fault = Fault::Split;
            m_faultArg = arg > 0 ? arg : 3;
        } else if (a1 == QLatin1String("merge")) {
            m_fault = Fault::Merge;
        } else if (a1 == QLatin1String("dribble")) {
            m_fault = Fault::Dribble;
            m_faultArg = arg > 0 ? arg : 20;
        } else if (a1 == QLatin1String("hangup")) {
            m_fault = Fault::HangUp;
        } else {
            say(QStringLiteral("ERROR unknown fault"));
            return;
        }
        say(QStringLiteral("OK fault ") + a1);
    } else if (verb == QLatin1String("status") && w.size() >= 2) {
        const int i = w[1].toInt();
        if (i >= 1 && i <= 6)
            m_status[i - 1] = w.mid(2).join(QLatin1Char(' '));
        say(QStringLiteral("OK status"));
    } else if (verb == QLatin1String("group")) {
        m_options.groupAsSingles = a1 != QLatin1String("block");
        say(QStringLiteral("OK group ") + (m_options.groupAsSingles ? "single" : "block"));
    } else if (verb == QLatin1String("baud")) {
        m_options.baud = qMax(0, a1.toInt());
        say(QStringLiteral("OK baud"));
    } else if (verb == QLatin1String("config") && w.size() >= 3) {
        const int k = w[1].toInt();
        if (k >= 1 && k <= 8)
            m_configs[k - 1] =
                SimFrames::fixed(w.mid(2).join(QLatin1Char(' ')).toLatin1(), kConfigSize);
        say(QStringLiteral("OK config"));
    } else if (verb == QLatin1String("stall")) {
        // Stops reading the line, so that the editor's output backs up in the pty.
        if (m_readNotifier)
            m_readNotifier->setEnabled(a1 == QLatin1String("off"));
        if (a1 == QLatin1String("off"))
            onReadable();
        say(QStringLiteral("OK stall ") + a1);
    } else if (verb == QLatin1String("dump")) {
        dump();
    } else if (verb == QLatin1String("hangup")) {
        hangUp();
    } else if (verb == QLatin1String("quit")) {
        emit finished(0);
    } else {
        say(QStringLiteral("ERROR unknown command ") + verb);
    }
}

} // namespace zoz::sim
