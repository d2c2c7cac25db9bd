// screen-grab: saves a rectangle of the X screen it runs on as PNG, for the project's screenshots.
// Usage: screen-grab <file.png> <x> <y> <width> <height>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr, "usage: screen-grab <file.png> <x> <y> <width> <height>\n");
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fprintf(stderr, "screen-grab: no screen\n");
        return 1;
    }
    const QPixmap shot =
        screen->grabWindow(0, atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]));
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "screen-grab: cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
