#pragma once

#include "app/UserInterface.h"

#include <functional>

namespace zoz {

class MainWindow;

// The user interface of the running program: real message boxes, file dialogs and cursor, and
// the main window. What other windows do (pages, splash, transfer dialog, tab strip) is reached
// through hooks that their owners connect; a hook not connected yet does nothing.
class QtUserInterface : public UserInterface {
public:
    struct Hooks {
        std::function<void()> refreshPages;
        std::function<void()> takeOverPages;
        std::function<NameBox(int, int)> nameBox;
        std::function<void(const QString&)> showCommDialog;
        std::function<void()> hideCommDialog;
        std::function<void()> showSplash;
        std::function<void()> closeSplash;
        std::function<void()> loadMainWindow;
        std::function<void(int, bool)> setToolbarButtonVisible;
        std::function<void(bool)> setTestButtonVisible;
        std::function<int()> activeTab;
        std::function<void()> focusTabStrip;
    };

    explicit QtUserInterface(MainWindow& mainWindow);

    Hooks& hooks() { return m_hooks; }

    // "VX418 ZozEdud <text>  (*.DAT *.dat)"
    static QString fileFilter(const QString& text, const QString& extension);

    void showStatusText(const QString& text) override;
    MsgAnswer messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& title) override;
    QString fileDialog(const FileDialogRequest& request) override;
    void errorBox(const QString& report, const QString& title) override;
    void setBusyCursor(bool busy) override;
    void processEvents() override;
    void refreshPages() override;
    void takeOverPages() override;
    NameBox nameBox(int group, int index) override;
    void showCommDialog(const QString& caption) override;
    void hideCommDialog() override;
    void showSplash() override;
    void closeSplash() override;
    void loadMainWindow() override;
    void setMainCaption(const QString& caption) override;
    QString mainCaption() const override;
    void setToolbarButtonVisible(int button, bool visible) override;
    void setTestButtonVisible(bool visible) override;
    void showMainWindow() override;
    FormGeometry mainGeometry() const override;
    void setMainGeometry(const FormGeometry& geometry) override;
    int activeTab() const override;
    void focusTabStrip() override;

private:
    MainWindow& m_mainWindow;
    Hooks m_hooks;
    bool m_mainLoaded = false;
};

} // namespace zoz
