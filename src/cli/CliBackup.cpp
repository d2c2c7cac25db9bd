#include "cli/CliBackup.h"

#include "cli/CliTool.h"
#include "files/HistoryOrigins.h"
#include "files/HistoryStore.h"
#include "settings/IniFile.h"

#include <QDateTime>

namespace zoz {

namespace {

const QString kConnections = QStringLiteral("Connections");

} // namespace

int CliBackup::run(const CliSession::Options& options, bool versionCheck, QTextStream& out,
                   QTextStream& err) {
    QStringList names;
    for (const QString& name : GetIniKeys(kConnections, options.settingsFile).mid(1))
        if (!GetIniValue(options.settingsFile, kConnections, name, QString()).trimmed().isEmpty())
            names << name; // a name without a port string is no connection
    if (names.isEmpty()) {
        err << "zozedud-cli: backup: no saved connections in [Connections] of "
            << options.settingsFile << Qt::endl;
        return CliTool::BadInput;
    }
    int worst = CliTool::Done;
    for (const QString& name : names) {
        CliSession::Options one = options;
        one.port = name;
        QString what;
        const int code = backUp(one, versionCheck, what);
        worst = qMax(worst, code);
        const QString line = name + QLatin1Char('\t') + what;
        if (code != CliTool::Done)
            err << "zozedud-cli: " << line << Qt::endl;
        else if (!options.quiet)
            out << line << Qt::endl;
    }
    return worst;
}

int CliBackup::backUp(const CliSession::Options& options, bool versionCheck, QString& what) {
    CliSession session(options);
    if (const int code = session.openLink(what))
        return code;
    // The version question also brings the status texts that name the controller in the History.
    if (versionCheck)
        if (const int code = session.checkVersion(what))
            return code;
    const QByteArray request = QByteArray(1, char(0x84)) + "20\r";
    if (const int code = session.exitCode(session.exchange(request, QStringLiteral("85")), what))
        return code;
    if (!session.decoder.LastFailure().isEmpty()) {
        what = QStringLiteral("port %1: the received data set cannot be decoded (%2)")
                   .arg(session.portName(), session.decoder.LastFailure());
        return CliTool::BadInput;
    }
    HistoryStore history(HistoryStore::folderIn(session.switches.ProgramFolder));
    QString failure;
    const QString path = history.write(
        session.store.DataSet, HistoryEntry::Direction::Received, QDateTime::currentDateTime(),
        HistoryStore::keepFrom(session.switches.IniFileName), &failure);
    if (path.isEmpty()) {
        what = QStringLiteral("%1: %2").arg(history.folder(), failure);
        return CliTool::BadInput;
    }
    QStringList status; // as the editor records them: the Status page's lines
    for (int i = 1; i <= 6; ++i)
        if (const QString t = session.store.StatusText[i].trimmedRight().trimmed(); !t.isEmpty())
            status << t;
    HistoryOrigins(history.folder())
        .record(path, {session.portName(), status.join(QStringLiteral(" | "))});
    what = QStringLiteral("port %1: received into %2").arg(session.portName(), path);
    return CliTool::Done;
}

} // namespace zoz
