#include "widgets/ChooseDialog.h"

#include "settings/Texts.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zoz {

ChooseDialog::ChooseDialog(const Texts& texts, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)),
      m_ok(new QPushButton(QStringLiteral("&Ok"), this)),
      m_cancel(new QPushButton(QStringLiteral("Abbrechen"), this)) {
    setObjectName(QStringLiteral("frmChoose"));
    m_list->setObjectName(QStringLiteral("lstChoose"));
    m_ok->setObjectName(QStringLiteral("cmdOk"));
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(300, 360);

    setWindowTitle(QStringLiteral("Ziel wählen"));
    setWindowTitle(texts.message(QStringLiteral("Form_Choose.Caption")));
    m_list->setToolTip(texts.message(QStringLiteral("Form_Choose.ToolTip"), QString()));

    connect(m_ok, &QPushButton::clicked, this, &ChooseDialog::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &ChooseDialog::onCancel);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) { onOk(); });
}

void ChooseDialog::clearList() {
    m_list->clear();
}

void ChooseDialog::addItem(const QString& text, int itemData) {
    auto* item = new QListWidgetItem(text, m_list);
    item->setData(Qt::UserRole, itemData);
}

void ChooseDialog::showModal() {
    if (!m_runner) {
        exec();
        return;
    }
    show();
    m_runner(*this);
    if (isVisible())
        hide();
}

void ChooseDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activate();
}

// Each time the dialog appears: nothing selected, then the entry whose code equals the preset.
void ChooseDialog::activate() {
    if (m_list->count() > 0) {
        m_list->clearSelection();
        m_list->setCurrentRow(-1);
    }
    ChosenItemData = ChosenItemData.trimmed().toLower();
    if (ChosenItemData.isEmpty())
        return;
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (QString::number(item->data(Qt::UserRole).toInt()) == ChosenItemData) {
            m_list->setCurrentItem(item);
            item->setSelected(true);
            m_list->scrollToItem(item);
            break;
        }
    }
}

void ChooseDialog::onOk() {
    ChosenItemData.clear();
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        ChosenItemData = QString::number(selected.first()->data(Qt::UserRole).toInt());
    done(QDialog::Accepted);
}

void ChooseDialog::onCancel() {
    done(QDialog::Rejected);
}

} // namespace zoz
