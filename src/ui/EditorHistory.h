#pragma once

#include "dataset/ControllerCopy.h"
#include "dataset/EditorDocument.h"
#include "files/HistoryStore.h"
#include "files/UnsentKeeper.h"
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
class Activity;
class PageCopy;
class Prompts;
struct Switches;

// Everything that knows what is on the controller: its copy of the data set, the automatic
// history, the change tracker with undo and redo, the compare and history windows and their
// commands in the main window's extras menu. The composition root feeds it the link's events.
class EditorHistory : public QObject, public CompareSources {
    Q_OBJECT
public:
    EditorHistory(Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
                  Activity& activity, PageCopy& pageCopy, DataStore& store, DataFile& dataFile,
                  MainWindow& mainWindow, std::function<DataPages*()> pages,
                  std::function<QString()> portName, QObject* parent = nullptr);
    ~EditorHistory() override;

    // Once start-up is done (language and pages known): tracker, status field, the four
    // commands.
    void start();

    // From the link: a data set arrived, decoded as the controller sent it (before any page saw
    // it); it was received (the pages show it now); the data set goes out with a checksum; the
    // controller confirmed a checksum.
    void dataSetDecoded(const DataSet& set);
    void dataSetReceived();
    void dataSetSending(qint32 checksum, const DataSet& set);
    void sendConfirmed(qint32 checksum);
    // Around a command that changes the whole set; the step gets the text of nameKey.
    void beginOperation(const QString& nameKey);
    void endOperation();

    // The port changed: the controller's copy is unknown at once.
    void portChanged();
    // The end: edits not yet seen are taken and unsent ones kept.
    void ending();

    EditorDocument& document() { return m_document; }
    ControllerCopy& controllerCopy() { return m_document.copy(); }
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
    // Undo and redo also while that window is modal (the protocol window). Their keys work in
    // every window of the editor that is not blocked by another.
    void addStepActions(QWidget* window);

    // The compare window's sources.
    DataSet editorSet() const override;
    std::optional<DataSet> controllerSet(QString* title, QString* header) override;
    QString chooseFile() override;
    std::optional<DataSet> readFile(const QString& path) override;
    void takeIntoEditor(const DataSet& set) override;
    void sendToController(const DataSet& set) override;

signals:
    // A set to send as the data set through the dispatcher's send (question, frame,
    // confirmation).
    void sendRequested(const zoz::DataSet& set);

public slots:
    // The editor's set or the controller's copy may have changed: what shows them follows.
    // Fed by the undo stack (every edit, undo, redo, take and load is a step) and by the copy
    // (receive, confirmed send).
    void dataSetsChanged();

private:
    void writeHistory(ControllerCopy::Origin origin);
    void reportHistoryError(const QString& failure);
    QAction* addAction(const char* name, const char* key, QAction* action = nullptr);

    Switches& m_switches;
    Texts& m_texts;
    AppLog& m_log;
    Prompts& m_prompts;
    Activity& m_activity;
    PageCopy& m_pageCopy;
    DataStore& m_store;
    DataFile& m_dataFile;
    MainWindow& m_mainWindow;
    std::function<DataPages*()> m_pages;
    std::function<QString()> m_portName;
    EditorDocument m_document;
    HistoryStore m_history;
    UnsentKeeper m_keeper;
    std::optional<DataSet> m_decoded; // the set of the receive under way
    std::unique_ptr<FieldCatalog> m_catalog;
    std::unique_ptr<ChangeTracker> m_tracker;
    QPointer<CompareWindow> m_compare;
    QPointer<HistoryWindow> m_historyWindow;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
};

} // namespace zoz
