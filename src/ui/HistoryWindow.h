#pragma once

#include "dataset/DataSet.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace zoz {

class FieldCatalog;
class HistoryStore;
class Texts;

// The automatic history, newest first: time, direction, the number of differences to the
// editor's set and the controller it came from (a filter shows one controller's entries); an entry
// can be loaded or compared with the editor, the folder opened.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    HistoryWindow(Texts& texts, const FieldCatalog& catalog, const HistoryStore& store,
                  std::function<DataSet()> editorSet, QWidget* parent = nullptr);

    // Reads the folder again.
    void reload();
    // The file of the current row, "" when none or an unreadable one is chosen.
    QString currentFile() const;

signals:
    void loadRequested(const QString& path);
    void compareRequested(const QString& path);

private:
    QString text(const char* key) const;
    // Hides the rows of other controllers than the filter's; all show for its first item.
    void applyFilter();

    Texts& m_texts;
    const FieldCatalog& m_catalog;
    const HistoryStore& m_store;
    std::function<DataSet()> m_editorSet;
    QTreeWidget* m_rows;
    QComboBox* m_controllers;
};

} // namespace zoz
