#include "ui/Pictures.h"

#include <QGuiApplication>
#include <QImageReader>

namespace zoz {

QPixmap Pictures::pixmap(const QString& name) {
    QImageReader reader(name + QStringLiteral(".png"), QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false); // no plugin is asked
    return QPixmap::fromImage(reader.read());
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
