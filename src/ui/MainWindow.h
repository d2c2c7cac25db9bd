#pragma once

#include <QMainWindow>

namespace zoz {

// The editor's main window (frmMain).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    void ShowStatusText(const QString& text);
};

} // namespace zoz
