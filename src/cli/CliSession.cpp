#include "cli/CliSession.h"

#include "app/IniFile.h"
#include "cli/CliTool.h"

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>

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
      dataFile(store, switches, texts, log, ui, {}), configFile(dataFile, texts, log, ui),
      encoder(store, switches, texts, log, ui),
      decoder(store, switches, texts, log, ui, configFile.decoderFiles()),
      reporter(switches, texts, log, ui), serial(reporter), transport(serial, reporter),
      interpreter(transport, reporter, store),
      configTransfer(store, configFile, encoder, transport, interpreter, reporter),
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
    CommandInterpreter::Collaborators c;
    c.interpretHexData = [this](QString& payload) { decoder.Interpret_HexData(payload); };
    c.resetDataSet = [this] { dataFile.ResetDataSet(true, false); };
    c.endProgram = [this] { versionConflict = true; };
    interpreter.setCollaborators(std::move(c));
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
        error = QStringLiteral("port %1: cannot be opened: %2").arg(portName(), serial.openError());
        return CliTool::PortError;
    }
    return CliTool::Done;
}

bool CliSession::shown(const QString& key) const {
    // The texts carry "&" where the detail goes: every literal piece must appear, in order.
    QStringList pieces = texts.message(key).trimmed().split(QLatin1Char('&'));
    for (QString& piece : pieces)
        piece = QRegularExpression::escape(piece);
    const QRegularExpression pattern(pieces.join(QStringLiteral(".*")),
                                     QRegularExpression::DotMatchesEverythingOption);
    for (const QString& box : ui.boxes)
        if (pattern.match(box).hasMatch())
            return true;
    return false;
}

void CliSession::clearReports() {
    ui.boxes.clear();
    reporter.forget();
}

int CliSession::exchange(const QByteArray& frame, const QString& answerCode, QString& error) {
    clearReports();
    const QString what = QStringLiteral("port %1: ").arg(portName());
    if (!transport.TransmitData(frame)) {
        if (!serial.isOpen() || reporter.said(QStringLiteral("Comm_TransmitData_Err"))) {
            error = what + QStringLiteral("sending failed: ") + ui.boxes.value(0).trimmed();
            return CliTool::PortError;
        }
        error = what + QStringLiteral("sending did not finish within %1 s").arg(serial.TimeOut);
        return CliTool::NoAnswer;
    }
    if (!transport.WaitForResponse(answerCode)) {
        error =
            what + QStringLiteral("no answer %1 within %2 s").arg(answerCode).arg(serial.TimeOut);
        return CliTool::NoAnswer;
    }
    transport.WaitForData();
    return CliTool::Done;
}

int CliSession::outcome(QString& error) const {
    const QString what = QStringLiteral("port %1: ").arg(portName());
    if (reporter.said(QStringLiteral("Comm_Checksum_Err"))) {
        error = what + QStringLiteral("the controller acknowledged another checksum than %1 (the "
                                      "data did not arrive correctly)")
                           .arg(interpreter.LastSentChecksum);
        return CliTool::ChecksumMismatch;
    }
    if (reporter.said(QStringLiteral("Comm_TransmitData_Err")) ||
        (!serial.isOpen() && !ui.boxes.isEmpty())) {
        error = what + QStringLiteral("sending failed: ") + ui.boxes.value(0).trimmed();
        return CliTool::PortError;
    }
    if (reporter.said(QStringLiteral("Comm_Timeout_Waiting_For_Answer")) ||
        reporter.said(QStringLiteral("Comm_TransmitData_Timeout_Err")) ||
        reporter.said(QStringLiteral("Comm_Timeout_Completing_Data"))) {
        error = what + QStringLiteral("no answer within %1 s").arg(serial.TimeOut);
        return CliTool::NoAnswer;
    }
    if (shown(QStringLiteral("WriteToDisk_Err"))) {
        error = ui.boxes.value(0).trimmed();
        return CliTool::BadInput;
    }
    return CliTool::Done;
}

bool CliSession::takeDecodeFailure() {
    // The report is the message with the failure put in place of "&": look for what follows it.
    const QString message = texts.message(QStringLiteral("Interpret_HexData_Err"));
    const QString tail = message.contains(QLatin1Char('&'))
                             ? message.section(QLatin1Char('&'), 1).trimmed()
                             : message;
    const bool failed = !tail.isEmpty() && proto.text().contains(tail);
    proto.setText(QString());
    return failed;
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
