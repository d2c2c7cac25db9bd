// Measurements of the editor for `make bench`:
//   zoz-bench editor PROGRAM   start-up to "Ready", one round of events, end (timed from outside)
//   zoz-bench link PROGRAM SIM receive and send of the data set over the simulator's pseudo
//                              terminal and over its loopback TCP socket, then wake-ups while
//                              idle and while waiting for an answer
//   zoz-bench typing PROGRAM SIM  CPU time of 200 keys typed into a name box once the controller's
//                              data are known (so that every key is tracked and marked)
// PROGRAM is the path the editor takes as its own (its folder holds zozedud.Ini and the default
// data file); SIM the controller simulator.
#include "pages/DataPage.h"
#include "settings/IniFile.h"
#include "ui/Application.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

using namespace zoz;

namespace {

// Context switches of every thread of this process: each is a wake-up or a preemption.
qint64 contextSwitches() {
    qint64 total = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks.filePath(task + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.contains("ctxt_switches:"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
    }
    return total;
}

void spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The simulator on its own pseudo terminal; its device, or "" when it did not start. With --tcp
// the port is its socket's, tcp://127.0.0.1:PORT.
QString startSimulator(QProcess& sim, const QString& path, const QStringList& args) {
    sim.start(path, args);
    const QByteArray wanted = args.contains(QStringLiteral("--tcp")) ? "TCP " : "PTY ";
    QByteArray line;
    while (!line.startsWith(wanted) && (sim.canReadLine() || sim.waitForReadyRead(5000)))
        if (sim.canReadLine())
            line = sim.readLine().trimmed();
    sim.closeReadChannel(QProcess::StandardOutput); // its console lines would wake us
    if (!line.startsWith(wanted))
        return {};
    return wanted == "PTY " ? QString::fromLocal8Bit(line.mid(4))
                            : QStringLiteral("tcp://127.0.0.1:") + QString::fromLatin1(line.mid(4));
}

int editor(const QString& program) {
    Application application({program, {}});
    application.Main();
    // exit, not quit: quit would close the main window, and closing ends the program the long way.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    const int rc = QApplication::exec();
    return application.switches().InitDone ? rc : 1;
}

int link(const QString& program, const QString& simPath) {
    QProcess sim;
    const QString device = startSimulator(
        sim, simPath,
        {QStringLiteral("--baud"), QStringLiteral("19200"), QStringLiteral("--pace-input")});
    QProcess slowSim;
    const QString slowDevice = startSimulator(
        slowSim, simPath, {QStringLiteral("--answer-delay"), QStringLiteral("3000")});
    QProcess tcpSim;
    const QString tcpPort = startSimulator(tcpSim, simPath,
                                           {QStringLiteral("--baud"), QStringLiteral("19200"),
                                            QStringLiteral("--pace-input"), QStringLiteral("--tcp"),
                                            QStringLiteral("0")});
    if (device.isEmpty() || slowDevice.isEmpty() || tcpPort.isEmpty()) {
        std::fprintf(stderr, "zoz-bench: the simulator did not start\n");
        return 1;
    }
    const QString ini = QFileInfo(program).absolutePath() + QStringLiteral("/zozedud.Ini");
    const auto usePort = [&ini](const QString& name) {
        SetIniValue(ini, QStringLiteral("Comm"), QStringLiteral("Port"), name);
    };
    usePort(device);
    Application application({program, {}});
    application.Main();
    SerialPort& port = application.serialPort();
    if (!port.OpenPort())
        return 1;
    qint64 wireBytes = 0;
    QObject::connect(&port, &SerialPort::writing,
                     [&](const QByteArray& b) { wireBytes += b.size(); });
    QObject::connect(&port, &SerialPort::received,
                     [&](const QByteArray& b) { wireBytes += b.size(); });
    const int interval = port.TimerInterval;
    const auto report = [&](const char* what, qint64 ms) {
        const double wireMs = wireBytes * 10 * 1000.0 / 19200;
        std::printf("%-8s %6lld ms   wire %6.0f ms (%lld bytes)   wire + TimerInterval %6.0f ms"
                    "   ratio %.2f\n",
                    what, static_cast<long long>(ms), wireMs, static_cast<long long>(wireBytes),
                    wireMs + interval, ms / (wireMs + interval));
    };

    QElapsedTimer clock;
    const auto transfers = [&](const char* receive, const char* send) {
        // Receive: request "20" until the interpreter has acknowledged the data with "86".
        QEventLoop acknowledged;
        const auto ack = QObject::connect(&port, &SerialPort::writing, [&](const QByteArray& b) {
            if (b.startsWith('\x86'))
                acknowledged.quit();
        });
        QTimer::singleShot(30000, &acknowledged, &QEventLoop::quit);
        wireBytes = 0;
        clock.start();
        QTimer::singleShot(0, &application, [&] {
            application.dispatcher().Interpret_MenuCommand(MenuCommand::ReceiveWithoutQuestion);
        });
        acknowledged.exec();
        report(receive, clock.elapsed());
        QObject::disconnect(ack);

        // Send: the data set as the controller's request would send it, until its "86" is in.
        wireBytes = 0;
        clock.restart();
        application.dispatcher().Interpret_MenuCommand(MenuCommand::SendRequested);
        report(send, clock.elapsed());
    };
    transfers("receive", "send");

    // The same over the simulator's TCP socket, paced alike: what the network layer adds. The
    // send's "86" is handed on at the next tick of TimerComm; the port changes after it.
    spin(interval + 200);
    port.ClosePort();
    usePort(tcpPort);
    port.SetCommParameters();
    if (!port.OpenPort())
        return 1;
    transfers("tcp recv", "tcp send");
    port.ClosePort();
    usePort(device);
    port.SetCommParameters();
    if (!port.OpenPort())
        return 1;

    // Idle: nothing runs, so nothing should wake the program.
    spin(200);
    qint64 before = contextSwitches();
    spin(10000);
    std::printf("idle     %lld wake-ups in 10 s (one is the end of this measurement)\n",
                static_cast<long long>(contextSwitches() - before));

    // Waiting: a controller that answers after 3 s.
    port.ClosePort();
    usePort(slowDevice);
    port.SetCommParameters();
    if (!port.OpenPort())
        return 1;
    before = contextSwitches();
    clock.restart();
    application.dispatcher().Interpret_MenuCommand(MenuCommand::CommCheck);
    std::printf("waiting  %lld wake-ups in %lld ms of waiting for an answer (sending and the "
                "answer included)\n",
                static_cast<long long>(contextSwitches() - before),
                static_cast<long long>(clock.elapsed()));
    port.ClosePort();
    for (QProcess* p : {&sim, &slowSim, &tcpSim}) {
        p->write("quit\n");
        p->waitForFinished(2000);
    }
    return 0;
}

// CPU time of this process (user and system) in milliseconds.
double cpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

int typing(const QString& program, const QString& simPath) {
    QProcess sim;
    const QString device = startSimulator(sim, simPath, {});
    if (device.isEmpty()) {
        std::fprintf(stderr, "zoz-bench: the simulator did not start\n");
        return 1;
    }
    const QString ini = QFileInfo(program).absolutePath() + QStringLiteral("/zozedud.Ini");
    SetIniValue(ini, QStringLiteral("Comm"), QStringLiteral("Port"), device);
    Application application({program, {}});
    application.Main();
    if (!application.serialPort().OpenPort())
        return 1;
    application.mainWindow().show();
    // The controller's data: from now on every edit is compared and marked.
    application.dispatcher().Interpret_MenuCommand(MenuCommand::ReceiveWithoutQuestion);
    spin(300);
    auto* box =
        application.pages().page(2)->findChild<QLineEdit*>(QStringLiteral("txtInputDigital_1"));
    if (!box)
        return 1;
    application.pages().page(2)->show();
    application.mainWindow().activateWindow();
    if (!QTest::qWaitForWindowActive(&application.mainWindow()))
        return 1;
    box->setFocus(); // as a click into it: the keys go to a box that has the focus
    box->clear();
    spin(100);
    // 25 rounds of four letters typed into the empty box and rubbed out again: every key changes
    // the name.
    const double before = cpuMs();
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < 25; ++round) {
        for (const char* key : {"w", "x", "y", "z"}) {
            QTest::keyClicks(box, QString::fromLatin1(key));
            QCoreApplication::processEvents();
        }
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(box, Qt::Key_Backspace);
            QCoreApplication::processEvents();
        }
    }
    std::printf("typing   %.0f ms CPU (%lld ms wall) for 200 keys in a name box\n",
                cpuMs() - before, static_cast<long long>(clock.elapsed()));

    application.serialPort().ClosePort();
    sim.write("quit\n");
    sim.waitForFinished(2000);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("editor"))
        return editor(args[2]);
    if (args.size() >= 4 && args[1] == QLatin1String("link"))
        return link(args[2], args[3]);
    if (args.size() >= 4 && args[1] == QLatin1String("typing"))
        return typing(args[2], args[3]);
    std::fprintf(stderr,
                 "usage: zoz-bench editor PROGRAM | link PROGRAM SIM | typing PROGRAM SIM\n");
    return 2;
}
