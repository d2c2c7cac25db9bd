#pragma once

#include <QString>

namespace zoz {

// Left, top and height of the main window in logical pixels; the settings file keeps twips.
struct FormGeometry {
    int left = 0;
    int top = 0;
    int height = 0;
    bool normalState = true; // neither minimised nor maximised
};

// The windows that start-up and shutdown drive: splash, main window, its toolbar and tabs.
class Shell {
public:
    virtual ~Shell() = default;

    virtual void showSplash() = 0;
    virtual void closeSplash() = 0;
    virtual void loadMainWindow() = 0; // creates it once; later calls do nothing
    virtual void setMainCaption(const QString& caption) = 0;
    // button from 1, separators counted
    virtual void setToolbarButtonVisible(int button, bool visible) = 0;
    virtual void setTestButtonVisible(bool visible) = 0;
    virtual void showMainWindow() = 0;
    virtual FormGeometry mainGeometry() const = 0;
    virtual void setMainGeometry(const FormGeometry& geometry) = 0;
    virtual int activeTab() const = 0; // from 1
};

} // namespace zoz
