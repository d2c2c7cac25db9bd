#include "ui/HistoryWindow.h"

#include "dataset/DifferenceRows.h"
#include "dataset/FieldCatalog.h"
#include "files/HistoryOrigins.h"
#include "files/HistoryStore.h"
#include "settings/IniFile.h"
#include "settings/Texts.h"
#include "ui/CompareWindow.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace zoz {

HistoryWindow::HistoryWindow(Texts& texts, const FieldCatalog& catalog, const HistoryStore& store,
                             std::function<DataSet()> editorSet, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_catalog(catalog), m_store(store),
      m_editorSet(std::move(editorSet)), m_rows(new QTreeWidget(this)),
      m_controllers(new QComboBox(this)) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(text("History.Caption"));
    m_rows->setObjectName(QStringLiteral("lstHistory"));
    m_rows->setRootIsDecorated(false);
    m_rows->setHeaderLabels({text("History_Time"), text("History_Direction"),
                             text("History_Differences"), text("History_Controller")});
    m_controllers->setObjectName(QStringLiteral("cboHistoryController"));
    connect(m_controllers, &QComboBox::currentIndexChanged, this, &HistoryWindow::applyFilter);
    m_rows->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* buttons = new QDialogButtonBox(this);
    auto add = [&](const char* name, const char* key, QDialogButtonBox::ButtonRole role) {
        auto* b = new QPushButton(text(key), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(text((QByteArray(key) + ".ToolTip").constData()));
        b->setAutoDefault(false);
        buttons->addButton(b, role);
        return b;
    };
    QPushButton* load = add("cmdHistoryLoad", "History_Load", QDialogButtonBox::ActionRole);
    QPushButton* compare =
        add("cmdHistoryCompare", "History_Compare", QDialogButtonBox::ActionRole);
    QPushButton* folder = add("cmdHistoryFolder", "History_Folder", QDialogButtonBox::ActionRole);
    auto* close = new QPushButton(text("Window_Close"), this);
    close->setObjectName(QStringLiteral("cmdHistoryClose"));
    close->setAutoDefault(false);
    buttons->addButton(close, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_controllers);
    layout->addWidget(m_rows, 1);
    layout->addWidget(buttons);
    resize(560, 420);

    connect(load, &QPushButton::clicked, this, [this] {
        if (const QString path = currentFile(); !path.isEmpty())
            emit loadRequested(path);
    });
    connect(compare, &QPushButton::clicked, this, [this] {
        if (const QString path = currentFile(); !path.isEmpty())
            emit compareRequested(path);
    });
    connect(folder, &QPushButton::clicked, this, [this] {
        QDir().mkpath(m_store.folder());
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_store.folder()));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString HistoryWindow::text(const char* key) const {
    const QString k = QString::fromLatin1(key);
    return m_texts.message(k, k);
}

void HistoryWindow::reload() {
    m_rows->clear();
    const DataSet editor = m_editorSet ? m_editorSet() : DataSet{};
    const QHash<QString, HistoryOrigins::Origin> origins = HistoryOrigins(m_store.folder()).all();
    QStringList controllers;
    for (const HistoryEntry& entry : m_store.entries()) {
        QStringList columns;
        if (entry.readable) {
            const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
            QString direction =
                text(entry.direction == HistoryEntry::Direction::Sent     ? "History_Sent"
                     : entry.direction == HistoryEntry::Direction::Unsent ? "History_Unsent"
                                                                          : "History_Received");
            // Receives that brought the same set again show as the newest time of this entry.
            if (entry.lastSeen.isValid()) {
                QString unchanged = text("History_Unchanged");
                ReplaceParams(unchanged, entry.time.toString(format));
                direction += QStringLiteral(", ") + unchanged;
            }
            columns << (entry.lastSeen.isValid() ? entry.lastSeen : entry.time).toString(format)
                    << direction
                    << QString::number(
                           DifferenceRows::shownDifferences(m_catalog, editor, entry.data).size());
        } else {
            columns << QFileInfo(entry.filePath).fileName() << text("History_Unreadable")
                    << QString();
        }
        const HistoryOrigins::Origin origin = origins.value(QFileInfo(entry.filePath).fileName());
        columns << origin.port;
        if (!origin.port.isEmpty() && !controllers.contains(origin.port))
            controllers << origin.port;
        auto* row = new QTreeWidgetItem(m_rows, columns);
        row->setToolTip(3, origin.status);
        row->setData(0, Qt::UserRole, entry.readable ? entry.filePath : QString());
        row->setToolTip(0, entry.filePath);
        if (!entry.readable)
            row->setDisabled(true);
    }
    // The filter keeps its choice while that controller still has entries.
    const QString chosen =
        m_controllers->currentIndex() > 0 ? m_controllers->currentText() : QString();
    const QSignalBlocker quiet(m_controllers);
    m_controllers->clear();
    m_controllers->addItem(text("History_AllControllers"));
    controllers.sort();
    m_controllers->addItems(controllers);
    m_controllers->setCurrentIndex(qMax(0, m_controllers->findText(chosen)));
    applyFilter();
}

void HistoryWindow::applyFilter() {
    const QString chosen =
        m_controllers->currentIndex() > 0 ? m_controllers->currentText() : QString();
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < m_rows->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_rows->topLevelItem(i);
        row->setHidden(!chosen.isEmpty() && row->text(3) != chosen);
        if (!first && !row->isHidden())
            first = row;
    }
    if (first)
        m_rows->setCurrentItem(first);
}

QString HistoryWindow::currentFile() const {
    const QTreeWidgetItem* row = m_rows->currentItem();
    return row ? row->data(0, Qt::UserRole).toString() : QString();
}

} // namespace zoz
