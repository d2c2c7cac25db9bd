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
    // The running window belongs to its desktop entry: the Wayland app id is the entry's name and
    // the X11 window class (the application name) is its StartupWMClass.
    QGuiApplication::setApplicationName(QStringLiteral(ZOZ_APP_ID));
    QGuiApplication::setDesktopFileName(QStringLiteral(ZOZ_APP_ID));
    zoz::Application application;
    application.Main();
    return app.exec();
}
