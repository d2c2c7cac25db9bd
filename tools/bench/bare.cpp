// A bare Qt main window, shown and painted once, then ended: the yardstick of the editor's
// start-up, which also paints its window before it is measured as ready.
//   bare-window          an empty window
//   bare-window --text   the same with one line in its status bar: the first text drawn loads
//                        the fonts and the text shaping, which an empty window never does
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

namespace {

// Ends the program after its first paint has been drawn and flushed; a zero timer started
// before exec() would end it before the window is ever exposed.
class BareWindow : public QMainWindow {
protected:
    void paintEvent(QPaintEvent* event) override {
        QMainWindow::paintEvent(event);
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.resize(800, 600);
    if (QCoreApplication::arguments().contains(QStringLiteral("--text")))
        window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.show();
    return app.exec();
}
