#pragma once

#include "dataset/ControllerCopy.h"
#include "dataset/DataSet.h"

#include <QList>
#include <QObject>

namespace zoz {

class FieldCatalog;

// Which data set is which, in one place: the editor's set (as the pages hold it; the change
// tracking keeps it current from the pages' edits), the controller's copy (or unknown) and the
// set the editor began with. The status field, the marks, the comparison, the history and the
// keeping of unsent edits all read it here.
class EditorDocument : public QObject {
    Q_OBJECT
public:
    explicit EditorDocument(QObject* parent = nullptr);

    const DataSet& editorSet() const { return m_editor; }
    // The editor's set changed (an edit, an undo, a whole set put in); no signal when equal.
    void setEditorSet(const DataSet& set);
    // Where the editor began (start-up's set, or a file loaded over it while nothing was known
    // of the controller): edits beyond it are unsent even while the controller is unknown.
    void setBaseline(const DataSet& set) { m_baseline = set; }

    ControllerCopy& copy() { return m_copy; }
    const ControllerCopy& copy() const { return m_copy; }

    // The fields where the editor differs from the controller's copy, configuration file names
    // left out (they are the editor's own settings and no send carries them); empty while the
    // copy is unknown.
    QList<int> changesNotSent(const FieldCatalog& catalog) const;
    // Edits a send has not yet taken to the controller: against the copy when it is known,
    // against the baseline while it is not.
    bool hasUnsentEdits(const FieldCatalog& catalog) const;

signals:
    void editorChanged();
    // The copy became known, changed or unknown.
    void copyChanged();

private:
    DataSet m_editor;
    DataSet m_baseline;
    ControllerCopy m_copy;
};

} // namespace zoz
