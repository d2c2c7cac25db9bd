#pragma once

#include <QString>
#include <QTextStream>
#include <functional>

namespace zoz {

class CliSession;

// zozedud-cli report: the editor's printed report of a data file, as a PDF (an output ending in
// .pdf) or as text (any other output, stdout without one), with no display (QGuiApplication on
// the offscreen platform). --differences default|FILE reports only what differs from the default
// data file or from FILE taken as the controller's copy (a file of `receive`). With --port the
// controller is asked for its status texts (82 -> 83), which name it in the report.
class CliReport {
public:
    // Reads a data file or text form into the session's data set: 0 or an exit code.
    using Load = std::function<int(const QString& fileName)>;

    CliReport(CliSession& session, Load load, QTextStream& out, QTextStream& err);
    // 0 or an exit code of CliTool.
    int run(const QString& fileName, const QString& output, const QString& differences,
            bool askController);

private:
    CliSession& m_session;
    Load m_load;
    QTextStream& m_out;
    QTextStream& m_err;
};

} // namespace zoz
