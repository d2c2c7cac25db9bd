// render-icon: the editor's SVG pictures as PNGs at build time, so that the program parses no
// SVG (and loads no SVG library) at run time.
//   render-icon <logo.svg> <size> <icon.png>        a square icon for the icon theme: the logo
//                                                   scaled to the width, centred on a transparent
//                                                   square
//   render-icon --picture <in.svg> <WxH> <out.png>  the picture scaled to fit WxH, keeping its
//                                                   aspect, drawn as an SVG icon is drawn at run
//                                                   time (same size, same pixels)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // a build needs no display
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    const bool picture = args.size() == 5 && args.at(1) == QLatin1String("--picture");
    if (picture)
        args.removeAt(1);
    const QStringList box = args.value(2).split(QLatin1Char('x'));
    const QSize size = picture && box.size() == 2
                           ? QSize(box.at(0).toInt(), box.at(1).toInt())
                           : QSize(args.value(2).toInt(), args.value(2).toInt());
    if (args.size() != 4 || size.isEmpty()) {
        std::fprintf(stderr, "usage: render-icon <logo.svg> <size> <icon.png>\n"
                             "       render-icon --picture <in.svg> <WxH> <out.png>\n");
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "render-icon: cannot read %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QSizeF area = svg.defaultSize();
    area.scale(size, Qt::KeepAspectRatio);
    QImage image(picture ? area.toSize() : size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    if (picture) {
        svg.render(&painter);
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(QPointF((size.width() - area.width()) / 2,
                                            (size.height() - area.height()) / 2),
                                    area));
    }
    painter.end();
    if (!image.save(args.at(3), "PNG")) {
        std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
