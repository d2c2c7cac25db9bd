// zozedud-cli: the command-line tool (see CliTool::helpText and the README).
#include "cli/CliTool.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = zoz::CliTool(app.arguments().mid(1), out, err).run();
    out.flush();
    err.flush();
    return code;
}
