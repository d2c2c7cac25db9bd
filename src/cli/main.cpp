// zozedud-cli: the command-line tool (see CliTool::helpText and the README).
#include "cli/CliTool.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write past a file-size limit fails with EFBIG and takes its error path instead of
    // ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // The report lays out and paints text: QtGui, on the offscreen platform so that it needs no
    // display. Every other command stays on QtCore.
    bool report = false;
    for (int i = 1; i < argc; ++i)
        report = report || std::strcmp(argv[i], "report") == 0;
    std::unique_ptr<QCoreApplication> app;
    std::vector<char*> arguments(argv, argv + argc);
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    if (report) {
        arguments.insert(arguments.begin() + 1, {platform, offscreen});
        argc = int(arguments.size());
        arguments.push_back(nullptr);
        app = std::make_unique<QGuiApplication>(argc, arguments.data());
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = zoz::CliTool(app->arguments().mid(1), out, err).run();
    out.flush();
    err.flush();
    return code;
}
