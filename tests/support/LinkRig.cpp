#include "support/LinkRig.h"

#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace zoz::test {

LinkRig::LinkRig(const QMap<QString, QString>& comm, const QStringList& simArgs, bool open)
    : sim(simArgs) {
    switches.ProgramFolder = dir.path();
    switches.ProgramName = QStringLiteral("zozedud");
    switches.IniFileName = dir.filePath(QStringLiteral("zozedud.Ini"));
    switches.Language = QStringLiteral("ENG");

    QMap<QString, QString> values{{QStringLiteral("Port"), sim.device()},
                                  {QStringLiteral("TimeOut"), QStringLiteral("2")},
                                  {QStringLiteral("TimerInterval"), QStringLiteral("20")}};
    for (auto it = comm.begin(); it != comm.end(); ++it)
        values[it.key()] = it.value();
    QByteArray ini = "[Comm]\r\n";
    for (auto it = values.begin(); it != values.end(); ++it)
        ini += it.key().toLatin1() + '=' + it.value().toLocal8Bit() + "\r\n";
    ini += "[Messages_ENG]\r\n"
           "Comm_Waiting_For_Answer=Waiting for answer &\r\n"
           "Comm_Timeout_Waiting_For_Answer=No answer & in time\r\n"
           "Comm_TransmitData_Err=Transmit error: &\r\n"
           "Comm_OpenPort_Err=Port error: & on port&\r\n"
           "Comm_InterpretCommand_Err=Interpret error: &\r\n";
    QFile f(switches.IniFileName);
    if (f.open(QIODevice::WriteOnly))
        f.write(ini);
    f.close();

    texts = std::make_unique<Texts>(switches.IniFileName);
    texts->setLanguage(switches.Language);
    log = std::make_unique<AppLog>(switches.ProgramFolder, switches.ProgramName);
    log->OpenLog(QString(), &proto);
    reporter = std::make_unique<LinkReporter>(switches, *texts, *log, ui);
    port = std::make_unique<SerialPort>(*reporter);
    transport = std::make_unique<FrameTransport>(*port, *reporter);
    interpreter = std::make_unique<CommandInterpreter>(*transport, *reporter, store);
    CommandInterpreter::Collaborators c;
    c.interpretHexData = [this](QString& payload) { decoded << payload; };
    c.resetDataSet = [this] { ++resets; };
    c.endProgram = [this] { ++endings; };
    interpreter->setCollaborators(c);
    QObject::connect(interpreter.get(), &CommandInterpreter::sendDataRequested,
                     [this](int ms) { sendTimerArmed << ms; });
    transport->setInterpreter([this](const QString& code, const QByteArray& frame) {
        interpreter->InterpretCommand(code, frame);
    });
    setUpStep = port->SetCommParameters();
    if (open && setUpStep == 0)
        opened = port->OpenPort();
}

void LinkRig::spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool LinkRig::spinUntil(const std::function<bool()>& pred, int ms) {
    return QTest::qWaitFor(pred, ms);
}

QStringList LinkRig::statusesWith(const QString& key) const {
    QStringList found;
    for (const QString& s : ui.statusTexts)
        if (s.contains(key))
            found << s;
    return found;
}

} // namespace zoz::test
