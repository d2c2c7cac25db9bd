#include "widgets/PluginFreeStyle.h"

#include "widgets/Pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QPixmapCache>
#include <QStyleOption>

namespace zoz {

namespace {

const QString kImages = QStringLiteral(":/qt-project.org/styles/commonstyle/images/");

// QPixmap::load looks a file up in the pixmap cache under "qt_pixmap", the absolute path, then the
// modification time (seconds), the size and the pixmap type as hex digits of their bytes in memory
// order, low digit first. Fusion's group-box frame is loaded that way at the first paint; a
// picture found there is not read again. Should the key ever differ, Qt reads the file as usual.
void seedPixmapCache(const QString& fileName) {
    const auto hex = [](auto value) {
        QString digits;
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        for (size_t i = 0; i < sizeof value; ++i) {
            digits += QLatin1Char("0123456789abcdef"[bytes[i] & 0xf]);
            digits += QLatin1Char("0123456789abcdef"[bytes[i] >> 4]);
        }
        return digits;
    };
    const QFileInfo info(fileName);
    const QString key = QStringLiteral("qt_pixmap") + info.absoluteFilePath() +
                        hex(uint(info.lastModified().toSecsSinceEpoch())) +
                        hex(quint64(info.size())) + hex(uint(0)) /* a pixmap, not a bitmap */;
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture))
        QPixmapCache::insert(key, Pictures::pixmap(fileName.chopped(4)));
}

} // namespace

void PluginFreeStyle::install() {
    QStyle* current = QApplication::style();
    if (!current || current->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0 ||
        qobject_cast<PluginFreeStyle*>(current))
        return;
    QApplication::setStyle(new PluginFreeStyle);
    seedPixmapCache(kImages + QStringLiteral("fusion_groupbox.png"));
}

QIcon PluginFreeStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                    const QWidget* widget) const {
    // The same pictures, at the same sizes, as the common style adds by file name.
    const char* stem = nullptr;
    QList<int> widths;
    const bool rtl =
        option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
    if (icon == SP_ToolBarHorizontalExtensionButton) {
        stem = rtl ? "toolbar-ext-h-rtl-" : "toolbar-ext-h-";
        widths = {8, 16, 32};
    } else if (icon == SP_ToolBarVerticalExtensionButton) {
        stem = "toolbar-ext-v-";
        widths = {5, 10, 20};
    }
    if (!stem)
        return QProxyStyle::standardIcon(icon, option, widget);
    QIcon result;
    for (int width : widths)
        result.addPixmap(Pictures::pixmap(kImages + QLatin1String(stem) + QString::number(width)));
    return result;
}

} // namespace zoz
