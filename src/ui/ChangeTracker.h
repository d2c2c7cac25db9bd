#pragma once

#include "dataset/DataSet.h"

#include <QHash>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QUndoStack>
#include <QWidget>
#include <functional>

namespace zoz {

class DataPage;
class DataPages;
class DataStore;
class EditorDocument;
class FieldCatalog;
class Texts;
struct Switches;

// Keeps the editor's set of the document current from the pages' announced edits: every change
// becomes one undo step (the whole set before and after), the status field counts the changes
// not sent, and every page control whose value differs from the controller's gets marked.
//
// The pages keep edits in their controls until the next TakeOverPages, so the editor's set is
// what a take-over would give; only the pages that announced an edit are read again, into a
// copy, and the data store stays as it was.
class ChangeTracker : public QObject {
    Q_OBJECT
public:
    static constexpr int UndoDepth = 1000;

    ChangeTracker(DataStore& store, const Switches& switches, Texts& texts,
                  EditorDocument& document, std::function<const FieldCatalog&()> catalog,
                  std::function<DataPages*()> pages, QObject* parent = nullptr);
    ~ChangeTracker() override;

    QUndoStack& undoStack() { return m_undo; }
    // The permanent field of the status bar ("ControllerState").
    QLabel* statusField() const { return m_status; }

    // The editor's set as the pages show it (an edit not yet seen is taken now).
    DataSet editorSet();
    // Fields where the editor differs from the controller's copy; empty while it is unknown.
    QList<int> changesNotSent();

    // A change of the whole set (file loaded, reset, data received) runs between begin and end;
    // whatever changes meanwhile is one step named by the text of nameKey.
    void beginOperation(const QString& nameKey);
    void endOperation();
    // Puts a set into the editor as one step (rows taken from a comparison).
    void setEditorSet(const DataSet& set, const QString& nameKey);

    // Takes the pages that announced edits: a difference becomes a step; then the marks.
    void check();
    void updateMarks();

    // Undo and redo put a set back into the pages; never a word to the controller.
    void apply(const DataSet& set);

    // The status text for a number of changes not sent (or the copy unknown / in step).
    QString statusText(int changes) const;
signals:
    // After every update of the marks: the controls marked now.
    void marksChanged(const QList<QWidget*>& marked);

protected:
    // The pages' text boxes: the end of typing into one, and the undo keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Step;
    void watchPages();
    void watchPage(DataPage* page);
    void pageEdited(DataPage* page);
    // The editor's set with the pages that announced edits taken over (all pages the first time).
    DataSet takeEdits();
    QString stepName(const QList<int>& fields) const;
    // The control of the built page that shows the field with that key, nullptr if none does.
    QWidget* control(const QString& key);
    void updateMarks(bool ready);
    // Marks the controls in `marks` (each with the controller's values for its tool tip) and
    // takes the marks off all others.
    void applyMarks(const QHash<QWidget*, QStringList>& marks);
    void scheduleCheck();

    DataStore& m_store;
    const Switches& m_switches;
    Texts& m_texts;
    EditorDocument& m_document;
    std::function<const FieldCatalog&()> m_catalog; // built on the first change
    std::function<DataPages*()> m_pages;
    QUndoStack m_undo;
    QPointer<QLabel> m_status;
    DataSet m_last; // the set the last step ended with
    bool m_hasBaseline = false;
    bool m_allTaken = false; // every page taken over once: from then on only edited ones
    bool m_applying = false;
    bool m_checkPending = false;
    int m_operationDepth = 0;
    QString m_operationKey;
    int m_operationSerial = 0;
    int m_typingSerial = 0;
    QString m_typingKey; // of the step on top while one box is typed into
    int m_typingIndex = -1;
    QSet<DataPage*> m_edited;
    QSet<DataPage*> m_watched;
    QHash<QString, QPointer<QWidget>> m_controls; // by field key
    QList<QPointer<QWidget>> m_marked;
};

} // namespace zoz
