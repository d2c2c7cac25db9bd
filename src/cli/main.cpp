// zozedud-cli: the command-line tool (see CliTool::helpText and the README).
#include "cli/CliTool.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write past a file-size limit fails with EFBIG and takes its error path instead of
    // ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = zoz::CliTool(app.arguments().mid(1), out, err).run();
    out.flush();
    err.flush();
    return code;
}
