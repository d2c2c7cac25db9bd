#include "files/UnsentKeeper.h"

#include "dataset/EditorDocument.h"
#include "files/HistoryStore.h"

#include <QDateTime>

namespace zoz {

UnsentKeeper::UnsentKeeper(EditorDocument& document, HistoryStore& store,
                           std::function<const FieldCatalog&()> catalog, QObject* parent)
    : QObject(parent), m_document(document), m_store(store), m_catalog(std::move(catalog)) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(DelayMs);
    connect(&m_timer, &QTimer::timeout, this, &UnsentKeeper::keepNow);
    // Started by the first edit and not pushed back by the next ones: steady typing is kept too.
    const auto soon = [this] {
        if (!m_timer.isActive())
            m_timer.start();
    };
    connect(&m_document, &EditorDocument::editorChanged, this, soon);
    connect(&m_document, &EditorDocument::copyChanged, this, soon);
}

void UnsentKeeper::keepNow() {
    m_timer.stop();
    if (!m_enabled)
        return;
    if (!m_document.hasUnsentEdits(m_catalog())) {
        if (!m_written.isEmpty())
            m_store.dropUnsent(m_written);
        m_written.clear();
        return;
    }
    const DataSet& set = m_document.editorSet();
    if (!m_written.isEmpty() && set == m_kept)
        return;
    QString failure;
    const QString path = m_store.keepUnsent(set, QDateTime::currentDateTime(), m_written, &failure);
    if (path.isEmpty()) {
        emit failed(failure, m_store.folder());
        return;
    }
    m_written = path;
    m_kept = set;
}

void UnsentKeeper::keepBeforeReplace() {
    if (!m_enabled)
        return;
    keepNow();
    m_written.clear(); // no longer this run's edits: it stays until replaced
}

} // namespace zoz
