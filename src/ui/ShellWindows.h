#pragma once

#include "app/Activity.h"
#include "app/Shell.h"

#include <QObject>
#include <memory>

namespace zoz {

class CommDialog;
class MainWindow;
class SplashWindow;

// The editor's windows as start-up, shutdown and long operations see them: the main window with
// its status bar, toolbar and tab strip, the splash and the transfer dialog. The splash and the
// transfer dialog are built on first use: a start-up without requests never builds the dialog.
class ShellWindows : public QObject, public Activity, public Shell {
    Q_OBJECT
public:
    explicit ShellWindows(MainWindow& mainWindow);
    ~ShellWindows() override;

    // frmSplash: the splash at start-up, later the About window.
    SplashWindow& splashWindow();
    CommDialog& commDialog();

    void showStatusText(const QString& text) override;
    void setBusyCursor(bool busy) override;
    void processEvents() override;
    void showCommDialog(const QString& caption) override;
    void hideCommDialog() override;
    void focusTabStrip() override;

    void showSplash() override;
    void closeSplash() override;
    void loadMainWindow() override {} // the main window exists from the program's construction
    void setMainCaption(const QString& caption) override;
    void setToolbarButtonVisible(int button, bool visible) override;
    void setTestButtonVisible(bool visible) override;
    void showMainWindow() override;
    FormGeometry mainGeometry() const override;
    void setMainGeometry(const FormGeometry& geometry) override;
    int activeTab() const override;

signals:
    // The transfer dialog's Cancel button.
    void transferCancelled();

private:
    MainWindow& m_mainWindow;
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<CommDialog> m_commDialog;
};

} // namespace zoz
