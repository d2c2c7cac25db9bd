#include "ui/MainWindow.h"

#include <QStatusBar>

namespace zoz {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
}

void MainWindow::ShowStatusText(const QString& text) { statusBar()->showMessage(text); }

} // namespace zoz
