#pragma once

#include "link/PortCatalog.h"

#include <QDialog>
#include <QPointer>
#include <functional>

class QLineEdit;
class QPushButton;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;

namespace zoz {

class Texts;

// Lists the serial ports the system knows with their descriptions and the saved connections
// ([Connections], name = port string), marks the configured one, finds those a controller answers
// on and lets the user choose one. A port the system does not list (a pseudo terminal, a
// tcp:// or rfc2217:// address) can be typed, and saved, renamed or deleted as a connection.
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
        QString iniFileName;                    // the settings file with [Connections]
    };

    static constexpr int kProbeTimeoutMs = 1000;

    explicit PortPickerDialog(Texts& texts, QWidget* parent = nullptr);
    ~PortPickerDialog() override;

    // Fills the list and shows the dialog, window-modal; returns at once.
    void start(Link link);
    // Sends the online test on every listed free port and the typed one, all at once, each in a
    // thread of its own; a row shows "testing" until its result arrives, the first answering row
    // is selected. Returns at once.
    void findController();
    bool probing() const { return m_pending > 0; }
    // Ends a search: rows still testing are cleared, late results are ignored.
    void stopFinding();

private:
    QTreeWidgetItem* rowFor(const QString& location);
    void showState(QTreeWidgetItem* row, const QString& result);
    void choose();
    void probed(int round, const QString& location, bool answers, const QString& error);
    void finishFinding();
    void listConnections();
    void saveConnection();
    void renameConnection();
    void deleteConnection();
    QString connectionOf(const QTreeWidgetItem* row) const;

    Texts& m_texts;
    Link m_link;
    QTreeWidget* m_list;
    QLineEdit* m_path;
    QPushButton* m_find;
    QPushButton* m_choose;
    QPushButton* m_cancel;
    QPushButton* m_save;
    QPushButton* m_rename;
    QPushButton* m_delete;
    QList<QPointer<QThread>> m_probes;
    int m_round = 0;   // a search's number; results of an earlier one are ignored
    int m_pending = 0; // probes of this search not yet answered
    bool m_answered = false;
};

} // namespace zoz
