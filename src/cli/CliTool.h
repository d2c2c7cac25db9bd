#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace zoz {

class CliSession;

// zozedud-cli: the controller and data files from the command line, on the core library (and the
// report library for `report`).
// Parses the arguments, runs one command and returns the exit code.
class CliTool {
public:
    enum Exit {
        Done = 0,
        Different = 1,
        BadInput = 2, // usage, a bad or missing input file, a bad settings value
        ChecksumMismatch = 3,
        NoAnswer = 4,
        PortError = 5,
        VersionConflict = 6,
        HungUp = 7, // the line went away during the exchange
    };

    // arguments without the program name; out and err are stdout and stderr.
    CliTool(QStringList arguments, QTextStream& out, QTextStream& err);
    int run();

    static QString helpText();

private:
    int fail(int code, const QString& line);
    void warnHistory(const QString& failure);
    int runOffline(CliSession& session, const QString& command, const QStringList& args);
    int runLink(CliSession& session, const QString& command, const QStringList& args);
    // Reads a data file (2913 bytes) or a text form into the session's data set.
    int load(CliSession& session, const QString& fileName);

    QStringList m_arguments;
    QTextStream& m_out;
    QTextStream& m_err;
    bool m_quiet = false;
    bool m_versionCheck = true; // --no-version-check clears it
    QString m_output;           // -o
    QString m_differences;      // --differences of report
    bool m_askPort = false;     // --port given: report asks the controller's status texts
};

} // namespace zoz
