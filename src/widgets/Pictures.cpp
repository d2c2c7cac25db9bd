#include "widgets/Pictures.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>

namespace zoz {

QPixmap Pictures::pixmap(const QString& name) {
    QPixmap picture;
    if (QPixmapCache::find(name, &picture)) // drawn more than once: the logo of splash and About
        return picture;
    QImageReader reader(name + QStringLiteral(".png"), QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false); // no plugin is asked
    picture = QPixmap::fromImage(reader.read());
    QPixmapCache::insert(name, picture);
    return picture;
}

QIcon Pictures::icon(const QString& name) {
    QIcon icon;
    icon.addPixmap(pixmap(name));
    // As QIcon(file) does with name@2x.png: read only where a screen needs it.
    if (qApp->devicePixelRatio() > 1) {
        QPixmap twice = pixmap(name + QStringLiteral("@2x"));
        twice.setDevicePixelRatio(2);
        icon.addPixmap(twice);
    }
    return icon;
}

} // namespace zoz
