#pragma once

#include <QProxyStyle>

namespace zoz {

// The application's style, with the pictures Fusion shows in the main window (the toolbar's
// extension arrow, the group boxes' frame) read by the built-in PNG reader. Qt's usual loading
// asks every image-format plugin first whether it reads a PNG, which loads all of them at start-up.
class PluginFreeStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps the application's style when it is Fusion, whose pictures these are; another style
    // (chosen by the user's desktop) keeps its own.
    static void install();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace zoz
