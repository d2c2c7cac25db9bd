#include "ui/CompareWindow.h"

#include "dataset/FieldCatalog.h"
#include "settings/IniFile.h"
#include "settings/Texts.h"
#include "ui/CompareModel.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace zoz {

namespace {
QPushButton* button(QWidget* parent, const QString& name, const QString& text,
                    const QString& toolTip) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(toolTip);
    b->setAutoDefault(false);
    return b;
}
} // namespace

CompareWindow::CompareWindow(Texts& texts, const FieldCatalog& catalog, CompareSources& compared,
                             QWidget* parent)
    : QDialog(parent), m_texts(texts), m_differences(catalog), m_sources(compared),
      m_title(new QLabel(this)), m_result(new QLabel(this)), m_view(new QTreeView(this)),
      m_model(new CompareModel({text("Compare_Page"), text("Compare_Group"), text("Compare_Item")},
                               this)) {
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(text("Compare.Caption"));
    m_title->setObjectName(QStringLiteral("lblCompareTitle"));
    m_result->setObjectName(QStringLiteral("lblCompareResult"));
    m_view->setObjectName(QStringLiteral("lstCompare"));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* sources = new QHBoxLayout;
    QPushButton* controller =
        button(this, QStringLiteral("cmdCompareController"), text("Compare_Controller"),
               text("Compare_Controller.ToolTip"));
    QPushButton* file = button(this, QStringLiteral("cmdCompareFile"), text("Compare_File"),
                               text("Compare_File.ToolTip"));
    QPushButton* files = button(this, QStringLiteral("cmdCompareFiles"), text("Compare_Files"),
                                text("Compare_Files.ToolTip"));
    sources->addWidget(controller);
    sources->addWidget(file);
    sources->addWidget(files);
    sources->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    m_take = button(this, QStringLiteral("cmdCompareTake"), text("Compare_Take"),
                    text("Compare_Take.ToolTip"));
    m_takeAll = button(this, QStringLiteral("cmdCompareTakeAll"), text("Compare_TakeAll"),
                       text("Compare_TakeAll.ToolTip"));
    m_send = button(this, QStringLiteral("cmdCompareSend"), text("Compare_Send"),
                    text("Compare_Send.ToolTip"));
    for (QPushButton* b : {m_take, m_takeAll, m_send})
        buttons->addButton(b, QDialogButtonBox::ActionRole);
    QPushButton* close =
        button(this, QStringLiteral("cmdCompareClose"), text("Window_Close"), QString());
    buttons->addButton(close, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sources);
    layout->addWidget(m_title);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_result);
    layout->addWidget(buttons);
    resize(760, 480);
    updateButtons();

    connect(controller, &QPushButton::clicked, this, &CompareWindow::compareWithController);
    connect(file, &QPushButton::clicked, this, [this] {
        const QString path = m_sources.chooseFile();
        if (!path.isEmpty())
            compareWithFile(path);
    });
    connect(files, &QPushButton::clicked, this, [this] {
        const QString first = m_sources.chooseFile();
        if (first.isEmpty())
            return;
        const QString second = m_sources.chooseFile();
        if (!second.isEmpty())
            compareFiles(first, second);
    });
    connect(m_take, &QPushButton::clicked, this, &CompareWindow::takeSelected);
    connect(m_takeAll, &QPushButton::clicked, this, &CompareWindow::takeAll);
    connect(m_send, &QPushButton::clicked, this, &CompareWindow::sendSelected);
    connect(m_view, &QTreeView::doubleClicked, this, &CompareWindow::takeSelected);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CompareWindow::updateButtons);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CompareWindow::updateButtons);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CompareWindow::updateButtons);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString CompareWindow::text(const char* key) const {
    const QString k = QString::fromLatin1(key);
    return m_texts.message(k, k);
}

void CompareWindow::compareWithController() {
    start(Source::Controller, QString(), DataSet{});
}

void CompareWindow::compareWithFile(const QString& path) {
    const std::optional<DataSet> set = m_sources.readFile(path);
    if (set)
        compareEditorWith(QFileInfo(path).fileName(), *set);
}

void CompareWindow::compareEditorWith(const QString& otherTitle, const DataSet& other) {
    start(Source::File, otherTitle, other);
}

void CompareWindow::compareFiles(const QString& first, const QString& second) {
    const std::optional<DataSet> a = m_sources.readFile(first);
    if (!a)
        return;
    if (const std::optional<DataSet> b = m_sources.readFile(second)) {
        m_first = *a;
        m_firstTitle = QFileInfo(first).fileName();
        start(Source::Files, QFileInfo(second).fileName(), *b);
    }
}

void CompareWindow::start(Source source, const QString& otherTitle, const DataSet& other) {
    m_source = source;
    m_other = other;
    m_otherTitle = otherTitle;
    m_view->clearSelection();
    refresh();
    if (!isVisible())
        QDialog::show();
    raise();
}

void CompareWindow::sourcesChanged() {
    if (m_refreshPending || m_source == Source::None || !isVisible())
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, [this] {
        m_refreshPending = false;
        refresh();
    });
}

void CompareWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    sourcesChanged(); // whatever changed while the window was hidden
}

void CompareWindow::refresh() {
    m_refreshPending = false;
    const QString editor = text("Compare_Editor");
    DataSet first = m_first;
    DataSet other = m_other;
    QString firstTitle = m_firstTitle;
    QString otherTitle = m_otherTitle;
    QString otherHeader = m_otherTitle;
    if (m_source == Source::Controller) {
        const std::optional<DataSet> copy = m_sources.controllerSet(&otherTitle, &otherHeader);
        if (!copy) {
            m_model->setRows({}, editor, QString());
            m_title->clear();
            m_result->setText(text("Controller_Unknown"));
            return;
        }
        other = *copy;
    }
    if (m_source != Source::Files) {
        first = m_sources.editorSet();
        firstTitle = editor;
    }

    // The same fields stay selected when the rows change around them.
    QSet<int> selected;
    for (const DifferenceRow& row : selectedRows())
        selected.insert(row.fields.first());
    const int current = m_view->currentIndex().isValid()
                            ? m_model->rows().at(m_view->currentIndex().row()).fields.first()
                            : -1;
    m_model->setRows(m_differences.between(first, other), firstTitle, otherHeader);
    QItemSelectionModel* selection = m_view->selectionModel();
    for (int r = 0; r < m_model->rowCount(); ++r) {
        const int field = m_model->rows().at(r).fields.first();
        const QModelIndex index = m_model->index(r, 0);
        if (field == current)
            selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        if (selected.contains(field))
            selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    m_title->setText(firstTitle + QStringLiteral("  \u2194  ") + otherTitle);
    const int count = m_model->rowCount();
    if (count == 0) {
        m_result->setText(text("Compare_Identical"));
    } else {
        m_result->setText(m_texts.counted(QStringLiteral("Compare_Count"), count));
    }
    updateButtons();
}

QList<DifferenceRow> CompareWindow::selectedRows() const {
    QList<DifferenceRow> rows;
    QModelIndexList chosen = m_view->selectionModel()->selectedRows();
    if (chosen.isEmpty() && m_view->currentIndex().isValid())
        chosen.append(m_view->currentIndex());
    std::sort(chosen.begin(), chosen.end());
    for (const QModelIndex& index : std::as_const(chosen))
        if (index.row() < m_model->rowCount())
            rows.append(m_model->rows().at(index.row()));
    return rows;
}

void CompareWindow::updateButtons() {
    const bool editorSide = m_source == Source::Controller || m_source == Source::File;
    const bool rows = m_model->rowCount() > 0;
    const bool chosen = rows && m_view->currentIndex().isValid();
    m_take->setEnabled(editorSide && chosen);
    m_takeAll->setEnabled(editorSide && rows);
    m_send->setEnabled(m_source == Source::Controller && chosen);
}

void CompareWindow::take(const QList<DifferenceRow>& rows) {
    if (m_source == Source::Files || m_source == Source::None || rows.isEmpty())
        return;
    DataSet other = m_other;
    if (m_source == Source::Controller) {
        QString title, header;
        const std::optional<DataSet> copy = m_sources.controllerSet(&title, &header);
        if (!copy)
            return;
        other = *copy;
    }
    DataSet set = m_sources.editorSet();
    m_differences.copyRows(rows, other, set);
    m_sources.takeIntoEditor(set);
    sourcesChanged();
}

void CompareWindow::takeSelected() {
    take(selectedRows());
}

void CompareWindow::takeAll() {
    take(m_model->rows());
}

void CompareWindow::sendSelected() {
    const QList<DifferenceRow> rows = selectedRows();
    if (m_source != Source::Controller || rows.isEmpty())
        return;
    QString title, header;
    std::optional<DataSet> set = m_sources.controllerSet(&title, &header);
    if (!set)
        return;
    m_differences.copyRows(rows, m_sources.editorSet(), *set);
    m_sources.sendToController(*set);
}

} // namespace zoz
