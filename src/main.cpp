#include "ui/Application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zoz::Application application;
    application.Main();
    return app.exec();
}
