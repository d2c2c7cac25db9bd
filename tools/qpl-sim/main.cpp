// qpl-sim: the QPL controller on a pseudo terminal, for tests and for running the editor without a
// device. Prints "PTY <device>" first; commands arrive on stdin, one per line (see README).
#include "Simulator.h"
#include "TcpBridge.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <memory>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qpl-sim"));
    std::signal(SIGPIPE, SIG_IGN);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("QPL controller simulator on a pseudo terminal"));
    parser.addHelpOption();
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Output pacing in baud, 0 = unpaced (19200)."),
                                  QStringLiteral("rate"), QStringLiteral("19200"));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Create a symlink to the device at this path."),
                                  QStringLiteral("path"));
    const QCommandLineOption group(
        QStringLiteral("group"),
        QStringLiteral("Answer 84 \"30\" as 'single' (eight blocks "
                       "31..38, each after its 86) or 'block' (one 30)."),
        QStringLiteral("style"), QStringLiteral("single"));
    const QCommandLineOption status(QStringLiteral("status"),
                                    QStringLiteral("A status text, in order 1..6; repeatable."),
                                    QStringLiteral("text"));
    const QCommandLineOption delay(QStringLiteral("answer-delay"),
                                   QStringLiteral("Milliseconds before each answer (0)."),
                                   QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption dataset(QStringLiteral("dataset"),
                                     QStringLiteral("File with the hex payload of block 20."),
                                     QStringLiteral("file"));
    const QCommandLineOption doCmd(
        QStringLiteral("do"), QStringLiteral("Run a control command after opening; repeatable."),
        QStringLiteral("command"));
    const QCommandLineOption paceInput(
        QStringLiteral("pace-input"),
        QStringLiteral("Also read at the --baud rate, so that a send takes its wire time."));
    const QCommandLineOption tcp(
        QStringLiteral("tcp"),
        QStringLiteral("Also serve the controller on this loopback TCP port (raw, as a device "
                       "server); 0 picks a free port. Prints \"TCP <port>\" after \"PTY\"."),
        QStringLiteral("port"));
    parser.addOptions({baud, paceInput, link, group, status, delay, dataset, doCmd, tcp});
    parser.process(app);

    zoz::sim::Simulator::Options options;
    options.baud = parser.value(baud).toInt();
    options.paceInput = parser.isSet(paceInput);
    options.linkPath = parser.value(link);
    options.groupAsSingles = parser.value(group) != QLatin1String("block");
    options.statusTexts = parser.values(status);
    options.answerDelayMs = parser.value(delay).toInt();
    if (parser.isSet(dataset)) {
        QFile f(parser.value(dataset));
        if (!f.open(QIODevice::ReadOnly)) {
            fprintf(stderr, "qpl-sim: cannot read %s\n", qPrintable(f.fileName()));
            return 2;
        }
        options.dataSetHex = f.readAll().trimmed();
    }

    zoz::sim::Simulator sim(options);
    QObject::connect(&sim, &zoz::sim::Simulator::finished, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    if (!sim.open())
        return 1;
    std::unique_ptr<zoz::sim::TcpBridge> bridge;
    if (parser.isSet(tcp)) {
        bridge = std::make_unique<zoz::sim::TcpBridge>(sim.devicePath());
        if (!bridge->listen(quint16(parser.value(tcp).toUInt())))
            return 1;
        std::printf("TCP %u\n", unsigned(bridge->port()));
        std::fflush(stdout);
    }
    for (const QString& c : parser.values(doCmd))
        sim.command(c);

    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &sim, [&] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false); // stdin closed: keep serving the port until killed
            return;
        }
        pending.append(buffer, int(n));
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(pending.left(nl));
            pending.remove(0, nl + 1);
            sim.command(line);
        }
    });
    return app.exec();
}
