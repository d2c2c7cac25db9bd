#pragma once

#include "dataset/DataSet.h"

#include <QHash>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUndoStack>
#include <QWidget>
#include <functional>

namespace zoz {

class ControllerCopy;
class DataPages;
class DataStore;
class FieldCatalog;
class Texts;
struct Switches;

// Knows the editor's data set against the controller's copy: every change of the set becomes one
// undo step (snapshots of the whole set before and after), the status field counts the changes
// not sent, and every page control whose value differs from the controller's gets marked.
//
// The pages keep edits in their controls until the next TakeOverPages, so the editor's set is
// what a take-over would give; it is read into a copy and the data store stays as it was.
class ChangeTracker : public QObject {
    Q_OBJECT
public:
    static constexpr int UndoDepth = 1000;

    ChangeTracker(DataStore& store, const Switches& switches, Texts& texts, ControllerCopy& copy,
                  std::function<const FieldCatalog&()> catalog, std::function<DataPages*()> pages,
                  QObject* parent = nullptr);
    ~ChangeTracker() override;

    QUndoStack& undoStack() { return m_undo; }
    // The permanent field of the status bar ("ControllerState").
    QLabel* statusField() const { return m_status; }

    // The editor's set as the pages show it.
    DataSet editorSet() const;
    // Fields where the editor differs from the controller's copy; empty while it is unknown.
    QList<int> changesNotSent() const;
    QList<int> changesNotSent(const DataSet& editor) const;

    // A change of the whole set (file loaded, reset, data received) runs between begin and end;
    // whatever changes meanwhile is one step named by the text of nameKey.
    void beginOperation(const QString& nameKey);
    void endOperation();
    // Puts a set into the editor as one step (rows taken from a comparison).
    void setEditorSet(const DataSet& set, const QString& nameKey);

    // Compares the pages with the last known set: a difference becomes a step; then the marks.
    void check();
    void updateMarks();

    // Undo and redo put a set back into the pages; never a word to the controller.
    void apply(const DataSet& set);

    // After every update of the marks: the controls marked now.
    std::function<void(const QList<QWidget*>&)> marksChanged;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Step;
    QString stepName(const QList<int>& fields) const;
    QWidget* control(const QString& objectName);
    void updateMarks(const DataSet& editor, bool ready = true);
    void scheduleCheck();
    bool onPage(const QWidget* widget) const;

    DataStore& m_store;
    const Switches& m_switches;
    Texts& m_texts;
    ControllerCopy& m_copy;
    std::function<const FieldCatalog&()> m_catalog; // built on the first change
    std::function<DataPages*()> m_pages;
    QUndoStack m_undo;
    QPointer<QLabel> m_status;
    DataSet m_last;
    bool m_hasBaseline = false;
    bool m_applying = false;
    bool m_checkPending = false;
    int m_operationDepth = 0;
    QString m_operationKey;
    int m_operationSerial = 0;
    int m_typingSerial = 0;
    QHash<QString, QPointer<QWidget>> m_controls;
    QList<QPointer<QWidget>> m_marked;
};

} // namespace zoz
