#include "dataset/EditorDocument.h"

#include "dataset/DifferenceRows.h"
#include "dataset/FieldCatalog.h"

namespace zoz {

EditorDocument::EditorDocument(QObject* parent) : QObject(parent) {
    connect(&m_copy, &ControllerCopy::changed, this, &EditorDocument::copyChanged);
}

void EditorDocument::setEditorSet(const DataSet& set) {
    if (set == m_editor)
        return;
    m_editor = set;
    emit editorChanged();
}

namespace {
// What a send would change: configuration file names are the editor's own settings.
QList<int> sentDifferences(const FieldCatalog& catalog, const DataSet& a, const DataSet& b) {
    QList<int> fields = DifferenceRows::shownDifferences(catalog, a, b);
    fields.removeIf([&](int f) { return catalog.fields().at(f).kind == FieldKind::FileName; });
    return fields;
}
} // namespace

QList<int> EditorDocument::changesNotSent(const FieldCatalog& catalog) const {
    return m_copy.known() ? sentDifferences(catalog, m_editor, m_copy.dataSet()) : QList<int>();
}

bool EditorDocument::hasUnsentEdits(const FieldCatalog& catalog) const {
    return !sentDifferences(catalog, m_editor, m_copy.known() ? m_copy.dataSet() : m_baseline)
                .isEmpty();
}

} // namespace zoz
