#include "ui/CompareWindow.h"

#include "app/IniFile.h"
#include "app/Texts.h"
#include "dataset/FieldCatalog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

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

CompareWindow::CompareWindow(Texts& texts, const FieldCatalog& catalog, Services services,
                             QWidget* parent)
    : QDialog(parent), m_texts(texts), m_catalog(catalog), m_services(std::move(services)),
      m_title(new QLabel(this)), m_result(new QLabel(this)), m_rows(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("frmCompare"));
    setWindowTitle(text("Compare.Caption"));
    m_title->setObjectName(QStringLiteral("lblCompareTitle"));
    m_result->setObjectName(QStringLiteral("lblCompareResult"));
    m_rows->setObjectName(QStringLiteral("lstCompare"));
    m_rows->setRootIsDecorated(false);
    m_rows->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_rows->setHeaderLabels({text("Compare_Page"), text("Compare_Group"), text("Compare_Item"),
                             text("Compare_This"), text("Compare_Other")});
    m_rows->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

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
    buttons->addButton(m_take, QDialogButtonBox::ActionRole);
    QPushButton* close =
        button(this, QStringLiteral("cmdCompareClose"), text("Window_Close"), QString());
    buttons->addButton(close, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sources);
    layout->addWidget(m_title);
    layout->addWidget(m_rows, 1);
    layout->addWidget(m_result);
    layout->addWidget(buttons);
    resize(760, 480);

    connect(controller, &QPushButton::clicked, this, &CompareWindow::compareWithController);
    connect(file, &QPushButton::clicked, this, [this] {
        const QString path = m_services.chooseFile ? m_services.chooseFile() : QString();
        if (!path.isEmpty())
            compareWithFile(path);
    });
    connect(files, &QPushButton::clicked, this, [this] {
        if (!m_services.chooseFile)
            return;
        const QString first = m_services.chooseFile();
        if (first.isEmpty())
            return;
        const QString second = m_services.chooseFile();
        if (!second.isEmpty())
            compareFiles(first, second);
    });
    connect(m_take, &QPushButton::clicked, this, &CompareWindow::takeSelected);
    connect(m_rows, &QTreeWidget::itemDoubleClicked, this, [this] { takeSelected(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString CompareWindow::text(const char* key) const {
    const QString k = QString::fromLatin1(key);
    return m_texts.message(k, k);
}

QList<int> CompareWindow::shownDifferences(const FieldCatalog& catalog, const DataSet& a,
                                           const DataSet& b) {
    QList<int> fields = catalog.differences(a, b);
    fields.removeIf([&](int f) { return catalog.valueText(a, f) == catalog.valueText(b, f); });
    return fields;
}

void CompareWindow::compareWithController() {
    QString title;
    const std::optional<DataSet> set =
        m_services.controllerSet ? m_services.controllerSet(&title) : std::nullopt;
    if (!set) {
        m_rows->clear();
        m_take->setEnabled(false);
        m_title->clear();
        m_result->setText(text("Controller_Unknown"));
        return;
    }
    compareEditorWith(title, *set);
}

void CompareWindow::compareWithFile(const QString& path) {
    const std::optional<DataSet> set =
        m_services.readFile ? m_services.readFile(path) : std::nullopt;
    if (set)
        compareEditorWith(QFileInfo(path).fileName(), *set);
}

void CompareWindow::compareEditorWith(const QString& otherTitle, const DataSet& other) {
    present(text("Compare_Editor"), m_services.editorSet ? m_services.editorSet() : DataSet{},
            otherTitle, other, true);
}

void CompareWindow::compareFiles(const QString& first, const QString& second) {
    if (!m_services.readFile)
        return;
    const std::optional<DataSet> a = m_services.readFile(first);
    if (!a)
        return;
    const std::optional<DataSet> b = m_services.readFile(second);
    if (b)
        present(QFileInfo(first).fileName(), *a, QFileInfo(second).fileName(), *b, false);
}

void CompareWindow::present(const QString& thisTitle, const DataSet& a, const QString& otherTitle,
                            const DataSet& b, bool thisIsEditor) {
    m_other = b;
    m_otherTitle = otherTitle;
    m_thisIsEditor = thisIsEditor;
    m_title->setText(thisTitle + QStringLiteral("  \u2194  ") + otherTitle);
    m_rows->clear();
    const QList<int> fields = shownDifferences(m_catalog, a, b);
    for (int field : fields) {
        const FieldRef& ref = m_catalog.fields().at(field);
        auto* row = new QTreeWidgetItem(m_rows, {ref.page, ref.group, ref.item,
                                                 m_catalog.valueText(a, field),
                                                 m_catalog.valueText(b, field)});
        row->setData(0, Qt::UserRole, field);
        row->setToolTip(0, ref.key);
    }
    m_take->setEnabled(thisIsEditor && !fields.isEmpty());
    if (fields.isEmpty()) {
        m_result->setText(text("Compare_Identical"));
    } else {
        m_result->setText(m_texts.counted(QStringLiteral("Compare_Count"), fields.size()));
    }
    if (!isVisible())
        QDialog::show();
    raise();
}

void CompareWindow::takeSelected() {
    if (!m_thisIsEditor || !m_services.editorSet || !m_services.takeIntoEditor)
        return;
    QList<QTreeWidgetItem*> rows = m_rows->selectedItems();
    if (rows.isEmpty() && m_rows->currentItem())
        rows.append(m_rows->currentItem());
    if (rows.isEmpty())
        return;
    DataSet set = m_services.editorSet();
    for (QTreeWidgetItem* row : std::as_const(rows))
        m_catalog.copyField(row->data(0, Qt::UserRole).toInt(), m_other, set);
    m_services.takeIntoEditor(set);
    compareEditorWith(m_otherTitle, m_other);
}

} // namespace zoz
