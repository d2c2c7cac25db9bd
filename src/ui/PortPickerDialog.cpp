#include "ui/PortPickerDialog.h"

#include "app/Texts.h"
#include "link/ControllerProbe.h"
#include "link/SerialPort.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zoz {

namespace {

enum Column { PortColumn, DescriptionColumn, StateColumn };
constexpr int kLocationRole = Qt::UserRole;

} // namespace

PortPickerDialog::PortPickerDialog(Texts& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_list(new QTreeWidget(this)), m_path(new QLineEdit(this)),
      m_find(new QPushButton(this)), m_choose(new QPushButton(this)),
      m_cancel(new QPushButton(this)) {
    setObjectName(QStringLiteral("frmPortPicker"));
    m_list->setObjectName(QStringLiteral("lstPorts"));
    m_path->setObjectName(QStringLiteral("txtPortPath"));
    m_find->setObjectName(QStringLiteral("cmdFindController"));
    m_choose->setObjectName(QStringLiteral("cmdChoose"));
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(3);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_choose->setDefault(true);

    auto* pathLabel = new QLabel(this);
    pathLabel->setObjectName(QStringLiteral("lblPortPath"));
    pathLabel->setBuddy(m_path);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(m_path, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_find);
    buttons->addStretch(1);
    buttons->addWidget(m_choose);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(pathRow);
    layout->addLayout(buttons);
    resize(640, 320);

    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* row) {
        if (row)
            m_path->setText(row->data(PortColumn, kLocationRole).toString());
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &PortPickerDialog::choose);
    connect(m_find, &QPushButton::clicked, this, &PortPickerDialog::findController);
    connect(m_choose, &QPushButton::clicked, this, &PortPickerDialog::choose);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void PortPickerDialog::start(Link link) {
    m_link = std::move(link);
    // The language is known once start-up has run, so the texts are looked up here.
    setWindowTitle(m_texts.message(QStringLiteral("PortPicker_Caption")));
    m_list->setHeaderLabels({m_texts.message(QStringLiteral("PortPicker_Port")),
                             m_texts.message(QStringLiteral("PortPicker_Description")),
                             m_texts.message(QStringLiteral("PortPicker_State"))});
    findChild<QLabel*>(QStringLiteral("lblPortPath"))
        ->setText(m_texts.message(QStringLiteral("PortPicker_Path")));
    m_find->setText(m_texts.message(QStringLiteral("PortPicker_Find")));
    m_choose->setText(m_texts.message(QStringLiteral("PortPicker_Choose")));
    m_cancel->setText(m_texts.message(QStringLiteral("PortPicker_Cancel")));

    m_list->clear();
    m_path->clear();
    const QList<PortInfo> ports = m_link.ports ? m_link.ports() : PortCatalog::available();
    for (const PortInfo& port : ports) {
        QTreeWidgetItem* row = rowFor(port.systemLocation);
        row->setText(DescriptionColumn, port.description); // USB maker, product, serial
    }
    // A configured port the system does not list (a pseudo terminal) is shown all the same.
    if (!m_link.configuredDevice.isEmpty())
        m_list->setCurrentItem(rowFor(m_link.configuredDevice));
    setWindowModality(Qt::WindowModal);
    show();
}

QTreeWidgetItem* PortPickerDialog::rowFor(const QString& location) {
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_list->topLevelItem(i);
        if (row->data(PortColumn, kLocationRole).toString() == location)
            return row;
    }
    auto* row = new QTreeWidgetItem(m_list);
    row->setText(PortColumn, location);
    row->setData(PortColumn, kLocationRole, location);
    if (location == m_link.configuredDevice) {
        QFont bold = row->font(PortColumn);
        bold.setBold(true);
        row->setFont(PortColumn, bold);
    }
    showState(row, QString());
    return row;
}

void PortPickerDialog::showState(QTreeWidgetItem* row, const QString& result) {
    const QString location = row->data(PortColumn, kLocationRole).toString();
    QStringList state;
    if (location == m_link.configuredDevice)
        state << m_texts.message(QStringLiteral("PortPicker_Configured"));
    if (location == m_link.openDevice)
        state << m_texts.message(QStringLiteral("PortPicker_InUse"));
    if (!result.isEmpty())
        state << result;
    row->setText(StateColumn, state.join(QStringLiteral(", ")));
}

void PortPickerDialog::findController() {
    const QString typed = m_path->text().trimmed();
    if (!typed.isEmpty())
        rowFor(typed);
    m_find->setEnabled(false);
    m_choose->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_list->topLevelItem(i);
        const QString location = row->data(PortColumn, kLocationRole).toString();
        if (location == m_link.openDevice)
            continue; // the editor's own port is busy
        QString error;
        QString result;
        if (ControllerProbe::answersOnlineTest(location, m_link.settings, m_link.handshaking,
                                               kProbeTimeoutMs, &error)) {
            result = m_texts.message(QStringLiteral("PortPicker_Answers"));
        } else if (!error.isEmpty()) {
            const QString hint = SerialPort::PermissionHint(m_texts, location);
            result = hint.isEmpty() ? error : error + QStringLiteral(" - ") + hint;
        } else {
            result = m_texts.message(QStringLiteral("PortPicker_NoAnswer"));
        }
        showState(row, result);
    }
    QApplication::restoreOverrideCursor();
    m_find->setEnabled(true);
    m_choose->setEnabled(true);
}

void PortPickerDialog::choose() {
    const QString port = m_path->text().trimmed();
    if (port.isEmpty() || !m_link.choose)
        return;
    // A port that fails to open was reported; the dialog stays for another choice.
    if (m_link.choose(port))
        accept();
}

} // namespace zoz
