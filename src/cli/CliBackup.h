#pragma once

#include "cli/CliSession.h"

#include <QTextStream>

namespace zoz {

// zozedud-cli backup: the data set of every saved connection ([Connections]) received into the
// History, one line per controller; the exit code is the worst of them.
class CliBackup {
public:
    static int run(const CliSession::Options& options, bool versionCheck, QTextStream& out,
                   QTextStream& err);

private:
    // Receives the data set of one connection into the History; 0 or an exit code with `what`.
    static int backUp(const CliSession::Options& options, bool versionCheck, QString& what);
};

} // namespace zoz
