#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace zoz {

// The program's pictures: PNGs in the resources, rendered from their SVGs at build time, each at
// its shown size (name.png) and at twice that size (name@2x.png). They are read by the built-in
// PNG reader alone: Qt's usual loading (QIcon(file), QPixmap(file)) first asks every image-format
// plugin whether it can read a PNG, which loads all of them (and the SVG library with one).
class Pictures {
public:
    // ":/icons/about" -> the picture of ":/icons/about.png"; null if there is none.
    static QPixmap pixmap(const QString& name);
    // The icon with the picture and, on a screen scaled to more than 1, its @2x picture.
    static QIcon icon(const QString& name);
};

} // namespace zoz
