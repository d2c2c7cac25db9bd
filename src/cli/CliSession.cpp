#include "cli/CliSession.h"

#include "cli/CliTool.h"
#include "settings/IniFile.h"

#include <QDate>
#include <QFileInfo>

namespace zoz {

namespace {

Switches switchesFor(const QString& settingsFile) {
    Switches s;
    const QFileInfo info(settingsFile);
    s.ProgramFolder = settingsFile.isEmpty() ? QString() : info.absolutePath();
    s.ProgramName = settingsFile.isEmpty() ? QStringLiteral("zozedud") : info.completeBaseName();
    s.IniFileName = settingsFile.isEmpty() ? QString() : info.absoluteFilePath();
    s.Language = GetIniValue(s.IniFileName, QStringLiteral("Main"), QStringLiteral("Language"),
                             QStringLiteral("GER"))
                     .trimmed()
                     .toUpper();
    // Boxes are collected, not shown: the tool reports one line of its own.
    s.ShowMsgBox = true;
    s.WriteLogFile = QFileInfo(settingsFile).isFile() &&
                     IsYes(GetIniValue(s.IniFileName, QStringLiteral("Main"),
                                       QStringLiteral("WriteLogFile"), QStringLiteral("yes")));
    return s;
}

} // namespace

CliSession::CliSession(const Options& options)
    : switches(switchesFor(options.settingsFile)), texts(switches.IniFileName),
      log(switches.ProgramFolder, switches.ProgramName),
      dataFile(store, switches, texts, log, ui, ui, ui), configFile(dataFile, texts, log, ui),
      encoder(store, switches, texts, log, ui),
      decoder(store, switches, texts, log, ui, ui, configFile.decoderFiles()),
      reporter(switches, texts, log, ui, ui), serial(reporter), transport(serial, reporter),
      interpreter(transport, reporter, store, ui),
      configTransfer(store, configFile, encoder, transport, interpreter, reporter, ui),
      m_options(options) {
    texts.setLanguage(switches.Language);
    switches.NotDefinedText = texts.message(QStringLiteral("NotDefined"));
    ui.setMainCaption(switches.ProgramName);
    // The editor's daily log beside the settings file, unless quiet or switched off there.
    const bool toFile = switches.WriteLogFile && !options.quiet;
    log.OpenLog(switches.ProgramFolder + QLatin1Char('/') + switches.ProgramName +
                    QLatin1Char('-') + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
                    QStringLiteral(".Log"),
                &proto, std::nullopt, !toFile, false);
    store.LoadGPIOLists(switches);

    transport.setInterpreter([this](const QString& code, const QByteArray& frame) {
        interpreter.InterpretCommand(code, frame);
    });
    QObject::connect(&interpreter, &CommandInterpreter::hexDataReceived,
                     [this](const QString& payload) {
                         QString data = payload;
                         decoder.Interpret_HexData(data);
                     });
    QObject::connect(&interpreter, &CommandInterpreter::resetRequested,
                     [this] { dataFile.ResetDataSet(ResetFlag::NoQuery); });
    QObject::connect(&interpreter, &CommandInterpreter::endRequested,
                     [this] { versionConflict = true; });
}

CliSession::~CliSession() {
    serial.ClosePort();
    log.CloseLog();
}

QString CliSession::portName() const {
    const QString given = serial.CommPort.isEmpty() ? m_options.port : serial.CommPort;
    const QString device = serial.deviceName();
    return device.isEmpty() || device == given ? given
                                               : given + QStringLiteral(" (") + device + ')';
}

int CliSession::openLink(QString& error) {
    if (!m_options.port.isEmpty())
        serial.Overrides.insert(QStringLiteral("Port"), m_options.port);
    if (m_options.timeoutSeconds >= 0)
        serial.Overrides.insert(QStringLiteral("TimeOut"),
                                QString::number(m_options.timeoutSeconds));
    // No transfer dialog; frames reach the interpreter when the tool says so, not on a timer.
    serial.Overrides.insert(QStringLiteral("ShowCancelDialog"), QStringLiteral("no"));
    serial.Overrides.insert(QStringLiteral("TimerInterval"), QStringLiteral("0"));
    const int step = serial.SetCommParameters();
    if (step == 1) {
        const QString port = m_options.port.isEmpty()
                                 ? GetIniValue(switches.IniFileName, QStringLiteral("Comm"),
                                               QStringLiteral("Port"), QStringLiteral("2"))
                                 : m_options.port;
        error = QStringLiteral("port %1: no such device").arg(port.trimmed());
        return CliTool::PortError;
    }
    if (step != 0) {
        error = QStringLiteral("settings %1: [Comm] value %2 is not valid")
                    .arg(switches.IniFileName.isEmpty() ? QStringLiteral("(built-in)")
                                                        : switches.IniFileName)
                    .arg(step);
        return CliTool::BadInput;
    }
    if (!serial.OpenPort()) {
        QString why = serial.openError();
        if (serial.busyHolder() >= 0)
            why =
                serial.busyHolder() > 0
                    ? QStringLiteral("in use by another program (PID %1)").arg(serial.busyHolder())
                    : QStringLiteral("in use by another program");
        error = QStringLiteral("port %1: cannot be opened: %2").arg(portName(), why);
        return CliTool::PortError;
    }
    return CliTool::Done;
}

LinkOutcome CliSession::exchange(const QByteArray& frame, const QString& answerCode) {
    LinkOutcome outcome = transport.TransmitData(frame);
    if (outcome)
        outcome = transport.WaitForResponse(answerCode);
    if (outcome) {
        interpreter.LastAnswer = LinkOutcome::done();
        outcome = transport.WaitForData();
        if (outcome)
            outcome = interpreter.LastAnswer;
    }
    return outcome;
}

int CliSession::exitCode(const LinkOutcome& outcome, QString& error) const {
    const QString what = QStringLiteral("port %1: ").arg(portName());
    switch (outcome.kind) {
    case LinkOutcome::Done:
        return CliTool::Done;
    case LinkOutcome::ChecksumMismatch:
        error = what + QStringLiteral("the controller acknowledged another checksum than %1 (the "
                                      "data did not arrive correctly)")
                           .arg(interpreter.LastSentChecksum);
        return CliTool::ChecksumMismatch;
    case LinkOutcome::HungUp:
        error = what + QStringLiteral("the line hung up (the device went away)");
        return CliTool::HungUp;
    case LinkOutcome::PortClosed:
        error = what + QStringLiteral("sending failed: ") + outcome.detail;
        return CliTool::PortError;
    case LinkOutcome::Cancelled:
        error = what + QStringLiteral("cancelled");
        return CliTool::NoAnswer;
    case LinkOutcome::TimedOut:
        break;
    }
    if (outcome.key == QLatin1String("Comm_TransmitData_Timeout_Err"))
        error = what + QStringLiteral("sending did not finish within %1 s").arg(serial.TimeOut);
    else if (outcome.key == QLatin1String("Comm_Timeout_Waiting_For_Answer"))
        error = what +
                QStringLiteral("no answer %1 within %2 s").arg(outcome.detail).arg(serial.TimeOut);
    else
        error =
            what + QStringLiteral("the answer did not complete within %1 s").arg(serial.TimeOut);
    return CliTool::NoAnswer;
}

int CliSession::checkVersion(QString& error) {
    versionConflict = false;
    if (const int code = exitCode(exchange(QByteArray("\x82\r"), QStringLiteral("83")), error))
        return code;
    if (!versionConflict)
        return CliTool::Done;
    error =
        QStringLiteral("port %1: the controller runs version '%2', this program works with V%3.x")
            .arg(portName(), store.StatusText[3].trimmedRight().trimmed())
            .arg(ZOZ_VERSION_MAJOR);
    return CliTool::VersionConflict;
}

QString CliSession::enterHistory(HistoryEntry::Direction direction) {
    // An editor's program folder holds the default data file its settings name; a template of
    // the settings (the shipped one in a source tree) gets no History beside it.
    const QString defaultFile = GetIniValue(switches.IniFileName, QStringLiteral("Main"),
                                            QStringLiteral("LoadAtStartup_Default"), QString())
                                    .trimmed();
    if (defaultFile.isEmpty() || !QFileInfo(switches.ProgramFolder + '/' + defaultFile).isFile())
        return {};
    HistoryStore history(HistoryStore::folderIn(switches.ProgramFolder));
    QString failure;
    if (history
            .write(store.DataSet, direction, QDateTime::currentDateTime(),
                   HistoryStore::keepFrom(switches.IniFileName), &failure)
            .isEmpty())
        return QStringLiteral("%1: %2").arg(history.folder(), failure);
    return {};
}

} // namespace zoz
