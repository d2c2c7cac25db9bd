#include "support/SimProcess.h"

#include <QFile>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace zoz::test {

SimProcess::SimProcess(const QStringList& args) {
    QStringList all = args;
    if (!all.contains(QStringLiteral("--baud")))
        all << QStringLiteral("--baud") << QStringLiteral("0");
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that crashes or is killed takes its simulator with it: otherwise the simulator keeps
    // the test's stderr (ctest's pipe) open and ctest waits for it long past its time-out.
    const pid_t parent = ::getpid();
    m_process.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) // the test died before the line above took effect
            ::_exit(1);
    });
    m_process.start(QStringLiteral(QPL_SIM_PATH), all);
    if (m_process.waitForStarted(5000)) {
        const QString first = waitFor(QStringLiteral("PTY "), 5000);
        m_device = first.mid(4).trimmed();
    }
}

SimProcess::~SimProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.write("quit\n");
        if (!m_process.waitForFinished(2000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
}

void SimProcess::command(const QString& line) {
    m_process.write(line.toLocal8Bit() + '\n');
    m_process.waitForBytesWritten(1000);
}

void SimProcess::readLines() {
    m_partial += m_process.readAllStandardOutput();
    int nl;
    while ((nl = m_partial.indexOf('\n')) >= 0) {
        m_lines.append(QString::fromLocal8Bit(m_partial.left(nl)));
        m_partial.remove(0, nl + 1);
    }
}

QStringList SimProcess::lines() {
    readLines();
    return m_lines;
}

QString SimProcess::waitFor(const QString& prefix, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        readLines();
        for (int i = m_next; i < m_lines.size(); ++i) {
            if (m_lines[i].startsWith(prefix)) {
                m_next = i + 1;
                return m_lines[i];
            }
        }
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0 || m_process.state() == QProcess::NotRunning)
            return {};
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
        limit.start(int(left));
        loop.exec();
    }
}

bool SimProcess::quietFor(const QString& prefix, int ms) {
    const int saved = m_next;
    const bool quiet = waitFor(prefix, ms).isEmpty();
    if (quiet)
        m_next = saved;
    return quiet;
}

QStringList SimProcess::withDataSet(const QString& file, const QMap<int, QByteArray>& bytes) {
    QByteArray hex = SimProcess().dump().value(QStringLiteral("20")).toLatin1();
    for (auto it = bytes.cbegin(); it != bytes.cend(); ++it)
        hex.replace(2 * it.key(), 2 * it.value().size(), it.value().toHex().toUpper());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(hex) != hex.size())
        return {};
    return {QStringLiteral("--dataset"), file};
}

QMap<QString, QString> SimProcess::dump(int timeoutMs) {
    QMap<QString, QString> result;
    command(QStringLiteral("dump"));
    if (waitFor(QStringLiteral("DUMP END"), timeoutMs).isEmpty())
        return result;
    for (int i = m_next - 1; i >= 0; --i) {
        if (!m_lines[i].startsWith(QStringLiteral("DUMP ")))
            break;
        const QString rest = m_lines[i].mid(5);
        const int blank = rest.indexOf(QLatin1Char(' '));
        const QString key = blank < 0 ? rest : rest.left(blank);
        if (key != QLatin1String("END") && !result.contains(key))
            result.insert(key, blank < 0 ? QString() : rest.mid(blank + 1));
    }
    return result;
}

} // namespace zoz::test
