#pragma once

#include <QMap>
#include <QProcess>
#include <QStringList>

namespace zoz::test {

// The controller simulator (QPL_SIM_PATH) as a child process on its own pseudo terminal. Its
// stdout lines ("RX 85 ...", "TX 86 ...", "DUMP ...") tell a test what crossed the line.
class SimProcess {
public:
    // Unpaced unless args set --baud.
    explicit SimProcess(const QStringList& args = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Arguments for a simulator holding its own data set with some bytes replaced (payload
    // offset -> bytes; 346 is the monitor volume, list index + 1), kept in `file`.
    static QStringList withDataSet(const QString& file, const QMap<int, QByteArray>& bytes);

    QString device() const { return m_device; }
    qint64 pid() const { return m_process.processId(); }
    void command(const QString& line);
    // The next line, after the last one matched, that starts with prefix; "" after timeoutMs.
    // Events keep running meanwhile, so the program's side of the link stays live.
    QString waitFor(const QString& prefix, int timeoutMs = 3000);
    // True when no line with prefix arrives within ms.
    bool quietFor(const QString& prefix, int ms);
    QStringList lines();
    // "20", "31".."38", "STATUS1".."STATUS6", "VERSION" -> value.
    QMap<QString, QString> dump(int timeoutMs = 3000);

private:
    void readLines();

    QProcess m_process;
    QStringList m_lines;
    QByteArray m_partial;
    int m_next = 0;
    QString m_device;
};

} // namespace zoz::test
