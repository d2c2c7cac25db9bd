#include "ui/Application.h"

#include <QApplication>
#include <csignal>

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A write past a file-size limit fails with EFBIG and takes its error path instead of
    // ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    zoz::Application application;
    application.Main();
    return app.exec();
}
