#pragma once

#include "link/PortCatalog.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zoz {

class Texts;

// Lists the serial ports the system knows with their descriptions, marks the configured one, finds
// those a controller answers on and lets the user choose one. A port the system does not list (a
// pseudo terminal) can be typed as a path.
class PortPickerDialog : public QDialog {
    Q_OBJECT
public:
    struct Link {
        QString configuredDevice; // the device [Comm] Port names
        QString openDevice;       // the editor's own open port; never probed
        QString settings;         // [Comm] Settings and HandShaking, used for probing
        int handshaking = 0;
        // Writes [Comm] Port and reopens the port; false when that failed (already reported).
        std::function<bool(const QString& port)> choose;
        std::function<QList<PortInfo>()> ports; // default: PortCatalog::available
    };

    static constexpr int kProbeTimeoutMs = 1000;

    explicit PortPickerDialog(Texts& texts, QWidget* parent = nullptr);

    // Fills the list and shows the dialog, window-modal; returns at once.
    void start(Link link);
    // Sends the online test on every listed free port and the typed one; marks those answering.
    void findController();

private:
    QTreeWidgetItem* rowFor(const QString& location);
    void showState(QTreeWidgetItem* row, const QString& result);
    void choose();

    Texts& m_texts;
    Link m_link;
    QTreeWidget* m_list;
    QLineEdit* m_path;
    QPushButton* m_find;
    QPushButton* m_choose;
    QPushButton* m_cancel;
};

} // namespace zoz
