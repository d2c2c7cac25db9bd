#include "support/LinkRig.h"

namespace zoz::test {

LinkRig::LinkRig(const QMap<QString, QString>& comm, const QStringList& simArgs, bool open)
    : sim(simArgs) {
    switches.ProgramFolder = dir.path();
    switches.ProgramName = QStringLiteral("zozedud");
    switches.IniFileName = ini();
    switches.Language = QStringLiteral("ENG");

    // A simulator serving TCP is reached through its socket.
    const QString portValue =
        simArgs.contains("--tcp") ? "tcp://127.0.0.1:" + sim.waitFor("TCP ").mid(4) : sim.device();
    QMap<QString, QString> values{{"Port", portValue}, {"TimeOut", "2"}, {"TimerInterval", "20"}};
    values.insert(comm);
    QByteArray bytes = "[Comm]\r\n";
    for (auto it = values.begin(); it != values.end(); ++it)
        bytes += it.key().toLatin1() + '=' + it.value().toLocal8Bit() + "\r\n";
    bytes += "[Messages_ENG]\r\n"
             "Comm_Waiting_For_Answer=Waiting for answer &\r\n"
             "Comm_Timeout_Waiting_For_Answer=No answer & in time\r\n";
    writeIni(bytes);

    texts = std::make_unique<Texts>(switches.IniFileName);
    texts->setLanguage(switches.Language);
    log = std::make_unique<AppLog>(switches.ProgramFolder, switches.ProgramName);
    log->OpenLog(QString(), &proto);
    reporter = std::make_unique<LinkReporter>(switches, *texts, *log, ui, ui);
    port = std::make_unique<SerialPort>(*reporter);
    transport = std::make_unique<FrameTransport>(*port, *reporter);
    interpreter = std::make_unique<CommandInterpreter>(*transport, *reporter, store, ui);
    QObject::connect(interpreter.get(), &CommandInterpreter::hexDataReceived,
                     [this](const QString& payload) {
                         decoded << payload;
                         QString data = payload;
                         if (decoder)
                             decoder->Interpret_HexData(data);
                     });
    QObject::connect(interpreter.get(), &CommandInterpreter::resetRequested, [this] { ++resets; });
    QObject::connect(interpreter.get(), &CommandInterpreter::endRequested, [this] { ++endings; });
    transport->setInterpreter([this](const QString& code, const QByteArray& frame) {
        interpreter->InterpretCommand(code, frame);
    });
    if (port->SetCommParameters() == 0 && open)
        opened = port->OpenPort();
}

void LinkRig::addFiles() {
    dataFile = std::make_unique<DataFile>(store, switches, *texts, *log, ui, ui, ui);
    configFile = std::make_unique<ConfigFile>(*dataFile, *texts, *log, ui);
    encoder = std::make_unique<Encoder>(store, switches, *texts, *log, ui);
    decoder = std::make_unique<Decoder>(store, switches, *texts, *log, ui, ui,
                                        configFile->decoderFiles());
    transfer = std::make_unique<ConfigTransfer>(store, *configFile, *encoder, *transport,
                                                *interpreter, *reporter, ui);
}

} // namespace zoz::test
