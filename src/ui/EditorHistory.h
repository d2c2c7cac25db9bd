#pragma once

#include "dataset/ControllerCopy.h"
#include "files/HistoryStore.h"
#include "ui/CompareWindow.h"
#include "ui/HistoryWindow.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;

namespace zoz {

class AppLog;
class ChangeTracker;
class DataFile;
class DataPages;
class DataStore;
class FieldCatalog;
class MainWindow;
class Texts;
class UserInterface;
struct Switches;

// Everything that knows what is on the controller: its copy of the data set, the automatic
// history, the change tracker with undo and redo, the compare and history windows and their
// commands in the main window's extras menu. The composition root feeds it the link's events.
class EditorHistory : public QObject {
    Q_OBJECT
public:
    EditorHistory(Switches& switches, Texts& texts, AppLog& log, UserInterface& ui,
                  DataStore& store, DataFile& dataFile, MainWindow& mainWindow,
                  std::function<DataPages*()> pages, std::function<QString()> portName,
                  QObject* parent = nullptr);
    ~EditorHistory() override;

    // Once start-up is done (language and pages known): tracker, status field, the four
    // commands.
    void start();

    // From the link: a data set was received and decoded; the data set goes out with a
    // checksum; the controller confirmed a checksum.
    void dataSetReceived();
    void dataSetSending(qint32 checksum);
    void sendConfirmed(qint32 checksum);
    // Around a command that changes the whole set; the step gets the text of nameKey.
    void beginOperation(const QString& nameKey);
    void endOperation();

    ControllerCopy& controllerCopy() { return m_copy; }
    HistoryStore& historyStore() { return m_history; }
    // Null before start().
    ChangeTracker* tracker() const { return m_tracker.get(); }
    CompareWindow& compareWindow();
    HistoryWindow& historyWindow();

    // The field catalogue, built on its first use.
    const FieldCatalog& catalog();

    void showCompare();
    void showHistory();
    // The history entry into the editor after the usual question; true when loaded.
    bool loadIntoEditor(const QString& path);

private:
    void writeHistory(ControllerCopy::Origin origin);
    std::optional<DataSet> readFile(const QString& path);
    DataSet editorSet() const;
    QAction* addAction(const char* name, const char* key, QAction* action = nullptr);

    Switches& m_switches;
    Texts& m_texts;
    AppLog& m_log;
    UserInterface& m_ui;
    DataStore& m_store;
    DataFile& m_dataFile;
    MainWindow& m_mainWindow;
    std::function<DataPages*()> m_pages;
    std::function<QString()> m_portName;
    ControllerCopy m_copy;
    HistoryStore m_history;
    std::unique_ptr<FieldCatalog> m_catalog;
    std::unique_ptr<ChangeTracker> m_tracker;
    QPointer<CompareWindow> m_compare;
    QPointer<HistoryWindow> m_historyWindow;
};

} // namespace zoz
