// render-icon: the editor's logo as a square PNG icon for the icon theme. The logo is wider than
// high; it is scaled to the icon's width and centred on a transparent square.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // a build needs no display
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int size = args.size() == 4 ? args.at(2).toInt() : 0;
    if (size <= 0) {
        std::fprintf(stderr, "usage: render-icon <logo.svg> <size> <icon.png>\n");
        return 2;
    }
    QSvgRenderer logo(args.at(1));
    if (!logo.isValid()) {
        std::fprintf(stderr, "render-icon: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QSizeF area = logo.defaultSize();
    area.scale(size, size, Qt::KeepAspectRatio);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    logo.render(&painter,
                QRectF(QPointF((size - area.width()) / 2, (size - area.height()) / 2), area));
    painter.end();
    if (!icon.save(args.at(3), "PNG")) {
        std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
