#pragma once

#include "dataset/DataSet.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace zoz {

class EditorDocument;
class FieldCatalog;
class HistoryStore;

// Unsent edits are never lost without a trace: the editor's set with edits not yet sent is kept
// as the run's unsent entry of the history a moment after an edit (so that a crash loses at most
// that moment), at the end, and before a receive replaces it (that entry then stays). Once the
// editor is in step again the run's entry goes; entries of earlier runs stay.
class UnsentKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int DelayMs = 2000;

    UnsentKeeper(EditorDocument& document, HistoryStore& store,
                 std::function<const FieldCatalog&()> catalog, QObject* parent = nullptr);

    // Nothing is kept before the editor's set is known (start-up done).
    void setEnabled(bool enabled) { m_enabled = enabled; }
    // Keeps the editor's set now when it has unsent edits, else drops this run's entry.
    void keepNow();
    // The editor's set is about to be replaced (a receive): its unsent edits stay kept, also
    // once the editor is in step with the new set.
    void keepBeforeReplace();
    // The path of this run's unsent entry, "" when it has none.
    const QString& written() const { return m_written; }

signals:
    // The entry could not be written: the system's description and the folder.
    void failed(const QString& failure, const QString& folder);

private:
    EditorDocument& m_document;
    HistoryStore& m_store;
    std::function<const FieldCatalog&()> m_catalog;
    QTimer m_timer;
    bool m_enabled = false;
    QString m_written;
    DataSet m_kept;
};

} // namespace zoz
