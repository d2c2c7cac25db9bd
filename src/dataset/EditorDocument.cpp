#include "dataset/EditorDocument.h"

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

QList<int> EditorDocument::shownDifferences(const FieldCatalog& catalog, const DataSet& a,
                                            const DataSet& b) {
    QList<int> fields = catalog.differences(a, b);
    fields.removeIf([&](int f) { return catalog.valueText(a, f) == catalog.valueText(b, f); });
    return fields;
}

QList<int> EditorDocument::changesNotSent(const FieldCatalog& catalog) const {
    if (!m_copy.known())
        return {};
    QList<int> fields = shownDifferences(catalog, m_editor, m_copy.dataSet());
    fields.removeIf([&](int f) { return catalog.fields().at(f).kind == FieldKind::FileName; });
    return fields;
}

bool EditorDocument::hasUnsentEdits(const FieldCatalog& catalog) const {
    if (m_copy.known())
        return !changesNotSent(catalog).isEmpty();
    QList<int> fields = shownDifferences(catalog, m_editor, m_baseline);
    fields.removeIf([&](int f) { return catalog.fields().at(f).kind == FieldKind::FileName; });
    return !fields.isEmpty();
}

} // namespace zoz
