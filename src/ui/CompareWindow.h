#pragma once

#include "dataset/DataSet.h"

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace zoz {

class FieldCatalog;
class Texts;

// Lists every difference between two data sets, one row per field in the pages' own terms
// (page, group, item, this value, the other value). When "this" is the editor, rows can be taken
// into it.
class CompareWindow : public QDialog {
    Q_OBJECT
public:
    // What the window needs; the owner connects these.
    struct Services {
        std::function<DataSet()> editorSet;
        // The controller's copy and its description, nothing while it is unknown.
        std::function<std::optional<DataSet>(QString* title)> controllerSet;
        // A data file chosen by the user ("" on cancel) and its reading, which reports a file it
        // cannot take itself (a version conflict for a wrong length).
        std::function<QString()> chooseFile;
        std::function<std::optional<DataSet>(const QString& path)> readFile;
        // Puts the set into the editor as one step.
        std::function<void(const DataSet&)> takeIntoEditor;
    };

    CompareWindow(Texts& texts, const FieldCatalog& catalog, Services services,
                  QWidget* parent = nullptr);

    // The editor against the controller's copy, a data file, or a set given by the caller.
    void compareWithController();
    void compareWithFile(const QString& path);
    void compareEditorWith(const QString& otherTitle, const DataSet& other);
    void compareFiles(const QString& first, const QString& second);

    // The fields whose values the pages show differently: a name padded with code 0 and the same
    // name padded with blanks read alike and are no difference to the user.
    static QList<int> shownDifferences(const FieldCatalog& catalog, const DataSet& a,
                                       const DataSet& b);

    // The fields of the selected rows (the current row when none is selected) into the editor.
    void takeSelected();

private:
    void present(const QString& thisTitle, const DataSet& a, const QString& otherTitle,
                 const DataSet& b, bool thisIsEditor);
    QString text(const char* key) const;

    Texts& m_texts;
    const FieldCatalog& m_catalog;
    Services m_services;
    QLabel* m_title;
    QLabel* m_result;
    QTreeWidget* m_rows;
    QPushButton* m_take;
    DataSet m_other;
    QString m_otherTitle;
    bool m_thisIsEditor = false;
};

} // namespace zoz
