#pragma once

#include "dataset/DataSet.h"
#include "dataset/DifferenceRows.h"
#include "ui/CompareSources.h"

#include <QDialog>
#include <optional>

class QLabel;
class QPushButton;
class QTreeView;

namespace zoz {

class CompareModel;
class FieldCatalog;
class Texts;

// Lists every difference between two data sets, one row per field in the pages' own terms (an
// option group is one row): page, group, item and the two sides' values, headed by the sides'
// names. Against the editor the list is live: it follows every change of the editor's set and of
// the controller's copy (sourcesChanged), rows can be taken into the editor, and against the
// controller the selected rows can be sent: the controller's copy with those rows changed.
class CompareWindow : public QDialog {
    Q_OBJECT
public:
    CompareWindow(Texts& texts, const FieldCatalog& catalog, CompareSources& compared,
                  QWidget* parent = nullptr);

    // The editor against the controller's copy, a data file, or a set given by the caller.
    void compareWithController();
    void compareWithFile(const QString& path);
    void compareEditorWith(const QString& otherTitle, const DataSet& other);
    void compareFiles(const QString& first, const QString& second);

    // The selected rows (the current row when none is selected), or all rows, into the editor.
    void takeSelected();
    void takeAll();
    // The controller's copy with the selected rows as the editor has them, to the controller.
    void sendSelected();

    const CompareModel& model() const { return *m_model; }

public slots:
    // The editor's set or the controller's copy changed: the rows follow once events settled.
    void sourcesChanged();
    // The comparison again, now.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class Source { None, Controller, File, Files };

    void start(Source source, const QString& otherTitle, const DataSet& other);
    QList<DifferenceRow> selectedRows() const;
    void take(const QList<DifferenceRow>& rows);
    void updateButtons();
    QString text(const char* key) const;

    Texts& m_texts;
    DifferenceRows m_differences;
    CompareSources& m_sources;
    QLabel* m_title;
    QLabel* m_result;
    QTreeView* m_view;
    CompareModel* m_model;
    QPushButton* m_take;
    QPushButton* m_takeAll;
    QPushButton* m_send;
    Source m_source = Source::None;
    DataSet m_first; // the first file of two
    DataSet m_other;
    QString m_firstTitle;
    QString m_otherTitle;
    bool m_refreshPending = false;
};

} // namespace zoz
