#include "ui/ShellWindows.h"

#include "ui/FramedHeight.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"
#include "widgets/CommDialog.h"

#include <QApplication>

namespace zoz {

ShellWindows::ShellWindows(MainWindow& mainWindow) : m_mainWindow(mainWindow) {}

ShellWindows::~ShellWindows() = default;

SplashWindow& ShellWindows::splashWindow() {
    if (!m_splash)
        m_splash = std::make_unique<SplashWindow>();
    return *m_splash;
}

CommDialog& ShellWindows::commDialog() {
    if (!m_commDialog)
        m_commDialog = std::make_unique<CommDialog>([this] { emit transferCancelled(); });
    return *m_commDialog;
}

void ShellWindows::showStatusText(const QString& text) {
    m_mainWindow.ShowStatusText(text);
}

void ShellWindows::setBusyCursor(bool busy) {
    if (busy) {
        if (QApplication::overrideCursor())
            QApplication::changeOverrideCursor(Qt::WaitCursor);
        else
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void ShellWindows::processEvents() {
    QApplication::processEvents();
}

void ShellWindows::showCommDialog(const QString& caption) {
    commDialog().showTransfer(caption, &m_mainWindow);
}

void ShellWindows::hideCommDialog() {
    if (m_commDialog)
        m_commDialog->hideTransfer();
}

void ShellWindows::focusTabStrip() {
    m_mainWindow.FocusTabStrip();
}

void ShellWindows::showSplash() {
    SplashWindow& splash = splashWindow();
    splash.setStartUpSplash(true);
    splash.show();
    splash.repaint();
}

// Gone, not hidden: its window and pictures would otherwise be held while the main window paints
// for the first time; the About box makes it again.
void ShellWindows::closeSplash() {
    m_splash.reset();
}

void ShellWindows::setMainCaption(const QString& caption) {
    m_mainWindow.setWindowTitle(caption);
}

void ShellWindows::setToolbarButtonVisible(int button, bool visible) {
    m_mainWindow.setToolbarButtonVisible(button, visible);
}

void ShellWindows::setTestButtonVisible(bool visible) {
    m_mainWindow.setTestButtonVisible(visible);
}

void ShellWindows::showMainWindow() {
    m_mainWindow.show();
    m_mainWindow.raise();
    m_mainWindow.activateWindow();
}

FormGeometry ShellWindows::mainGeometry() const {
    FormGeometry geometry;
    const QWidget& w = m_mainWindow;
    geometry.left = w.x();
    geometry.top = w.y();
    geometry.height = m_mainWindow.framedHeight().height();
    geometry.normalState = !(w.isMinimized() || w.isMaximized() || w.isFullScreen());
    return geometry;
}

void ShellWindows::setMainGeometry(const FormGeometry& geometry) {
    m_mainWindow.move(geometry.left, geometry.top);
    m_mainWindow.framedHeight().setHeight(geometry.height);
}

int ShellWindows::activeTab() const {
    return m_mainWindow.activeTab();
}

} // namespace zoz
