// The editor's style draws Fusion's pictures exactly as Fusion does, without loading a single
// image-format plugin (each costs memory and start-up time, and they all load together).
#include "widgets/PluginFreeStyle.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace zoz;

namespace {

// A titled group box and a toolbar too narrow for its actions, so that its extension arrow shows.
QImage render() {
    QWidget window;
    window.resize(220, 120);
    auto* box = new QGroupBox(QStringLiteral("Box"), &window);
    box->setGeometry(10, 10, 120, 80);
    auto* bar = new QToolBar(&window);
    for (int i = 0; i < 8; ++i)
        bar->addAction(QStringLiteral("Action %1").arg(i));
    bar->setGeometry(140, 10, 60, 30);
    return window.grab().toImage();
}

} // namespace

TEST(PluginFreeStyle, SamePicturesWithoutImagePlugins) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    PluginFreeStyle::install();
    ASSERT_TRUE(qobject_cast<PluginFreeStyle*>(QApplication::style()));
    const QImage ours = render();
    QFile maps(QStringLiteral("/proc/self/maps"));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("/imageformats/"));

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    QPixmapCache::clear();
    EXPECT_EQ(render(), ours);

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    PluginFreeStyle::install(); // a style the user chose stays
    EXPECT_EQ(QApplication::style()->name(), QStringLiteral("windows"));
}
