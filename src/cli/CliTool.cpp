#include "cli/CliTool.h"

#include "base/CodePage.h"
#include "cli/CliBackup.h"
#include "cli/CliReport.h"
#include "cli/CliSession.h"
#include "dataset/DataSetImage.h"
#include "dataset/DataSetJson.h"
#include "dataset/FieldCatalog.h"
#include "dataset/HexCodec.h"
#include "link/PortCatalog.h"
#include "settings/IniFile.h"
#include "settings/ProgramFolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zoz {

namespace {

QByteArray frame(quint8 command, const QByteArray& payload = {}) {
    return char(command) + payload + '\r';
}

struct CommandDef {
    const char* name;
    int arguments; // positional arguments after the command
    bool link;
};

const CommandDef kCommands[] = {
    {"ports", 0, false},     {"ping", 0, true},       {"info", 0, true},
    {"receive", 1, true},    {"send", 1, true},       {"reset-device", 0, true},
    {"get-config", 2, true}, {"put-config", 2, true}, {"show", 1, false},
    {"export", 1, false},    {"import", 1, false},    {"diff", 2, false},
    {"report", 1, false},    {"backup", 0, false},
};

// A whole configuration number 0..8: 0 the group (.CNG), 1..8 one configuration (.CNS).
bool configIndex(const QString& text, int& index) {
    bool ok = false;
    index = text.toInt(&ok);
    return ok && index >= 0 && index <= 8;
}

} // namespace

CliTool::CliTool(QStringList arguments, QTextStream& out, QTextStream& err)
    : m_arguments(std::move(arguments)), m_out(out), m_err(err) {}

QString CliTool::helpText() {
    return QStringLiteral(
        "Usage: zozedud-cli [options] COMMAND [ARGUMENTS]\n"
        "\n"
        "Controller (over the serial port of [Comm] or --port):\n"
        "  ports                  the serial ports of this system, then the saved connections\n"
        "  ping                   online test (80 -> 81)\n"
        "  info                   the controller's six status texts (82 -> 83), version checked\n"
        "Every controller command first asks the version (82 -> 83) and stops with exit code 6,\n"
        "touching nothing, when the controller runs another major version.\n"
        "  receive OUT.DAT        fetch the data set (84 \"20\" -> 85) into a data file\n"
        "  send IN.DAT            send a data set (85 -> 86, checksum compared); also a text form\n"
        "  reset-device           system reset of the controller (87 -> 88)\n"
        "  get-config N OUT       configuration N 1..8 into a .CNS file, 0: all eight into a .CNG\n"
        "  put-config N IN        send configuration N (1..8, .CNS) or all eight (0, .CNG)\n"
        "  backup                 every saved connection's data set into the History, one\n"
        "                         line each; the exit code is the worst of them\n"
        "Files:\n"
        "  show FILE              every field, named as on the pages (page, group, item, value)\n"
        "  export FILE            the text form (JSON) of a data file, to stdout or -o FILE\n"
        "  import FILE.json -o OUT.DAT   a text form back into a data file\n"
        "  diff A B               the fields where two data files or text forms differ\n"
        "  report FILE [-o OUT]   the editor's printed report: a PDF when OUT ends in .pdf, else\n"
        "                         text (stdout without -o); needs no display; with --port the\n"
        "                         controller's status texts (82 -> 83) name it in the header\n"
        "\n"
        "Options:\n"
        "  --port P               the port: a number (2 = /dev/ttyS1), a name or a path,\n"
        "                         tcp://HOST:PORT, rfc2217://HOST:PORT or a saved connection\n"
        "  --settings FILE        settings file for [Comm], GPIO lists and language\n"
        "                         (default: zozedud.Ini beside the program, else the editor's\n"
        "                         ~/.local/share/zozedud/zozedud.Ini, else built-in values)\n"
        "  --timeout S            seconds to wait for the controller ([Comm] TimeOut)\n"
        "  -o, --output FILE      output file of export, import and report\n"
        "  --differences default|FILE   report only what differs from the default data file, or\n"
        "                         from FILE taken as the controller's data (a file of receive)\n"
        "  --quiet                no output but errors, no daily log\n"
        "  --no-version-check     skip the version question before a controller command\n"
        "  --help, --version\n"
        "\n"
        "Exit codes:\n"
        "  0 done   1 differences (diff)   2 usage or bad input file   3 checksum mismatch\n"
        "  4 no answer in time   5 port cannot be opened or sending failed   6 version conflict\n"
        "  7 the line hung up (the device went away during the exchange)\n");
}

int CliTool::fail(int code, const QString& line) {
    m_err << "zozedud-cli: " << line << Qt::endl;
    return code;
}

// The exchange itself is done: a History entry not kept is worth a line, not a failure.
void CliTool::warnHistory(const QString& failure) {
    if (!failure.isEmpty())
        m_err << "zozedud-cli: warning: History not kept: " << failure << Qt::endl;
}

int CliTool::run() {
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("P"));
    const QCommandLineOption settings(QStringLiteral("settings"), QString(),
                                      QStringLiteral("FILE"));
    const QCommandLineOption timeout(QStringLiteral("timeout"), QString(), QStringLiteral("S"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("FILE"));
    const QCommandLineOption quiet(QStringLiteral("quiet"));
    const QCommandLineOption differences(QStringLiteral("differences"), QString(),
                                         QStringLiteral("FILE"));
    const QCommandLineOption noVersionCheck(QStringLiteral("no-version-check"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions(
        {port, settings, timeout, output, quiet, differences, noVersionCheck, help, version});
    if (!parser.parse(QStringList{QStringLiteral("zozedud-cli")} + m_arguments))
        return fail(BadInput, parser.errorText() + QStringLiteral(" (see --help)"));
    if (parser.isSet(help)) {
        m_out << helpText();
        return Done;
    }
    if (parser.isSet(version)) {
        m_out << "zozedud-cli " << ZOZ_VERSION_MAJOR << '.' << ZOZ_VERSION_MINOR << '.'
              << ZOZ_VERSION_REVISION << Qt::endl;
        return Done;
    }
    m_quiet = parser.isSet(quiet);
    m_versionCheck = !parser.isSet(noVersionCheck);
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return fail(BadInput, QStringLiteral("no command given (see --help)"));
    const QString command = positional.first();
    const QStringList args = positional.mid(1);
    const CommandDef* def = nullptr;
    for (const CommandDef& c : kCommands)
        if (command == QLatin1String(c.name))
            def = &c;
    if (!def)
        return fail(BadInput, QStringLiteral("unknown command '%1' (see --help)").arg(command));
    if (args.size() != def->arguments)
        return fail(BadInput, QStringLiteral("%1 takes %2 argument(s), %3 given (see --help)")
                                  .arg(command)
                                  .arg(def->arguments)
                                  .arg(args.size()));

    CliSession::Options options;
    options.quiet = m_quiet;
    options.port = parser.value(port);
    if (parser.isSet(timeout)) {
        bool ok = false;
        options.timeoutSeconds = parser.value(timeout).toInt(&ok);
        if (!ok || options.timeoutSeconds < 1 || options.timeoutSeconds > 32767)
            return fail(BadInput,
                        QStringLiteral("--timeout %1: a number of seconds 1..32767 expected")
                            .arg(parser.value(timeout)));
    }
    if (parser.isSet(settings)) {
        options.settingsFile = parser.value(settings);
        if (!QFileInfo(options.settingsFile).isFile())
            return fail(BadInput,
                        QStringLiteral("settings %1: no such file").arg(options.settingsFile));
    } else {
        // Beside the program (a build or a portable copy), else the editor's own folder of an
        // installation; without either the built-in values apply, as every look-up then misses.
        const QString beside =
            QCoreApplication::applicationDirPath() + QStringLiteral("/zozedud.Ini");
        const QString user =
            ProgramFolder::systemEnvironment().dataHome + QStringLiteral("/zozedud/zozedud.Ini");
        options.settingsFile =
            !QFileInfo(beside).isFile() && QFileInfo(user).isFile() ? user : beside;
    }
    m_output = parser.value(output);
    m_differences = parser.value(differences);
    m_askPort = parser.isSet(port);

    if (command == QLatin1String("ports")) {
        for (const PortInfo& p : PortCatalog::available())
            m_out << p.systemLocation << '\t' << p.description << Qt::endl;
        // The saved connections follow: name, then the port string it stands for.
        const QString section = QStringLiteral("Connections");
        for (const QString& name : GetIniKeys(section, options.settingsFile).mid(1)) {
            const QString value = GetIniValue(options.settingsFile, section, name, QString());
            if (!value.trimmed().isEmpty())
                m_out << name << '\t' << value.trimmed() << Qt::endl;
        }
        return Done;
    }
    if (command == QLatin1String("backup"))
        return CliBackup::run(options, m_versionCheck, m_out, m_err);
    CliSession session(options);
    return def->link ? runLink(session, command, args) : runOffline(session, command, args);
}

int CliTool::load(CliSession& session, const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(BadInput, QStringLiteral("%1: %2").arg(fileName, file.errorString()));
    const QByteArray head = file.read(64).trimmed();
    if (file.size() != DataSetImage::Size && head.startsWith('{')) {
        file.seek(0);
        const QByteArray json = file.readAll();
        const FieldCatalog catalog(session.texts, session.store);
        QString error;
        if (!DataSetJson(catalog).read(json, session.store.DataSet, error))
            return fail(BadInput, QStringLiteral("%1: %2").arg(fileName, error));
        return Done;
    }
    file.close();
    QString name = fileName;
    session.dataFile.ClearFailure();
    if (!session.dataFile.ReadDataFile(name, ReadFlag::NoDialog | ReadFlag::NoReset)) {
        const QString why = file.size() != DataSetImage::Size
                                ? QStringLiteral("not a data file (%1 bytes, a data file has %2)")
                                      .arg(file.size())
                                      .arg(DataSetImage::Size)
                                : session.dataFile.LastFailure().trimmed();
        return fail(BadInput, QStringLiteral("%1: %2").arg(fileName, why));
    }
    return Done;
}

// Whole-file writes through QSaveFile: an existing file stays as it was when anything fails.
static bool saveWhole(const QString& fileName, const QByteArray& bytes, QString& error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

int CliTool::runOffline(CliSession& session, const QString& command, const QStringList& args) {
    if (command == QLatin1String("report"))
        return CliReport(
                   session, [&](const QString& name) { return load(session, name); }, m_out, m_err)
            .run(args[0], m_output, m_differences, m_askPort);
    const FieldCatalog catalog(session.texts, session.store);
    if (command == QLatin1String("diff")) {
        if (const int code = load(session, args[0]))
            return code;
        const DataSet a = session.store.DataSet;
        if (const int code = load(session, args[1]))
            return code;
        const DataSet& b = session.store.DataSet;
        const QList<int> rows = catalog.differences(a, b);
        if (!m_quiet)
            for (int f : rows) {
                const FieldRef& ref = catalog.fields().at(f);
                m_out << ref.page << '\t' << ref.group << '\t' << ref.item << '\t'
                      << catalog.valueText(a, f) << '\t' << catalog.valueText(b, f) << Qt::endl;
            }
        return rows.isEmpty() ? Done : Different;
    }
    if (command == QLatin1String("import") && m_output.isEmpty())
        return fail(BadInput, QStringLiteral("import needs -o OUT.DAT"));
    if (const int code = load(session, args[0]))
        return code;
    const DataSet& set = session.store.DataSet;
    if (command == QLatin1String("show")) {
        for (int f = 0; f < catalog.fields().size(); ++f) {
            const FieldRef& ref = catalog.fields().at(f);
            m_out << ref.page << '\t' << ref.group << '\t' << ref.item << '\t'
                  << catalog.valueText(set, f) << Qt::endl;
        }
        return Done;
    }
    QString error;
    if (command == QLatin1String("export")) {
        const QByteArray json = DataSetJson(catalog).write(set);
        if (m_output.isEmpty()) {
            m_out << QString::fromUtf8(json);
            m_out.flush();
            return Done;
        }
        if (!saveWhole(m_output, json, error))
            return fail(BadInput, QStringLiteral("%1: %2").arg(m_output, error));
        return Done;
    }
    // import
    if (!saveWhole(m_output, DataSetImage::Write(set), error))
        return fail(BadInput, QStringLiteral("%1: %2").arg(m_output, error));
    return Done;
}

int CliTool::runLink(CliSession& session, const QString& command, const QStringList& args) {
    int index = 0;
    if (command.endsWith(QLatin1String("-config")) && !configIndex(args[0], index))
        return fail(BadInput, QStringLiteral("%1: configuration number 0..8 expected, not '%2'")
                                  .arg(command, args[0]));
    // Inputs are checked before the port is touched.
    if (command == QLatin1String("send"))
        if (const int code = load(session, args[0]))
            return code;
    if (command == QLatin1String("put-config") && !QFileInfo(args[1]).isFile())
        return fail(BadInput, QStringLiteral("%1: no such file").arg(args[1]));

    QString error;
    if (const int code = session.openLink(error))
        return fail(code, error);
    // Before anything else: the controller runs our major version. info is that question.
    if (command == QLatin1String("info") || m_versionCheck)
        if (const int code = session.checkVersion(error))
            return fail(code, error);

    if (command == QLatin1String("ping") || command == QLatin1String("reset-device")) {
        const bool ping = command == QLatin1String("ping");
        if (const int code = session.exitCode(
                session.exchange(frame(ping ? 0x80 : 0x87), ping ? "81" : "88"), error))
            return fail(code, error);
        if (!m_quiet)
            m_out << (ping ? "The controller is online." : "The controller has been reset.")
                  << Qt::endl;
        return Done;
    }
    if (command == QLatin1String("info")) {
        if (!m_quiet)
            for (int i = 1; i <= 6; ++i)
                m_out << session.store.StatusText[i].trimmedRight() << Qt::endl;
        return Done;
    }
    if (command == QLatin1String("receive")) {
        if (const int code =
                session.exitCode(session.exchange(frame(0x84, "20"), QStringLiteral("85")), error))
            return fail(code, error);
        if (!session.decoder.LastFailure().isEmpty())
            return fail(BadInput,
                        QStringLiteral("port %1: the received data set cannot be decoded (%2); "
                                       "%3 not written")
                            .arg(session.portName(), session.decoder.LastFailure(), args[0]));
        QString name = QFileInfo(args[0]).absoluteFilePath();
        session.ui.fileName = name;
        session.dataFile.ClearFailure();
        if (!session.dataFile.WriteDataFile(name))
            return fail(BadInput, QStringLiteral("%1: %2").arg(
                                      args[0], session.dataFile.LastFailure().trimmed()));
        warnHistory(session.enterHistory(HistoryEntry::Direction::Received));
        return Done;
    }
    if (command == QLatin1String("send")) {
        QString frameText;
        const QString failure =
            session.encoder.Preparing_DataExchange(frameText, QStringLiteral("20"));
        if (!failure.isEmpty())
            return fail(BadInput, QStringLiteral("%1: %2").arg(args[0], failure));
        session.interpreter.LastSentChecksum = CalcChecksum(frameText.mid(1, frameText.size() - 2));
        if (const int code = session.exitCode(
                session.exchange(CodePage::fromUnicode(frameText), QStringLiteral("86")), error))
            return fail(code, error);
        warnHistory(session.enterHistory(HistoryEntry::Direction::Sent));
        return Done;
    }
    // get-config / put-config: the configuration files are asked for by the file dialog.
    const QString file = QFileInfo(args[1]).absoluteFilePath();
    session.ui.fileName = file;
    session.dataFile.ClearFailure();
    ConfigTransfer& transfer = session.configTransfer;
    transfer.InterpretAnswers = true;
    if (command == QLatin1String("put-config")) {
        const QString failure = transfer.SendConfiguration(index);
        if (!failure.isEmpty())
            return fail(BadInput, QStringLiteral("%1: %2").arg(args[1], failure));
        if (const int code = session.exitCode(transfer.LastOutcome, error))
            return fail(code, error);
        if (!session.dataFile.LastFailure().isEmpty())
            return fail(BadInput, QStringLiteral("%1: %2").arg(
                                      args[1], session.dataFile.LastFailure().trimmed()));
        return Done;
    }
    const QString failure = transfer.RequestConfiguration(index);
    if (!failure.isEmpty())
        return fail(BadInput, failure);
    if (const int code = session.exitCode(transfer.LastOutcome, error))
        return fail(code, error);
    // One frame for a configuration or a whole group ("30"), or eight "31".."38" for a group.
    for (int blocks = 0;; ++blocks) {
        const bool wholeGroup = session.transport.ReceiveBuffer().mid(1, 2) == "30";
        session.interpreter.LastAnswer = LinkOutcome::done();
        LinkOutcome outcome = session.transport.WaitForData();
        if (outcome)
            outcome = session.interpreter.LastAnswer;
        if (const int code = session.exitCode(outcome, error))
            return fail(code, error);
        if (index != 0 || wholeGroup || !session.store.GroupReceiveActive || blocks >= 8)
            break;
        outcome = session.transport.WaitForResponse(QStringLiteral("85"));
        if (outcome.kind == LinkOutcome::TimedOut)
            return fail(NoAnswer, QStringLiteral("port %1: configuration %2 of 8 did not arrive "
                                                 "within %3 s; %4 not written")
                                      .arg(session.portName())
                                      .arg(blocks + 2)
                                      .arg(session.serial.TimeOut)
                                      .arg(args[1]));
        if (const int code = session.exitCode(outcome, error))
            return fail(code, error);
    }
    if (!QFileInfo::exists(file) || !session.dataFile.LastFailure().isEmpty())
        return fail(BadInput, QStringLiteral("%1: not written: %2")
                                  .arg(args[1], session.dataFile.LastFailure().trimmed()));
    return Done;
}

} // namespace zoz
