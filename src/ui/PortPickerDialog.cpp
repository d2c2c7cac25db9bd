#include "ui/PortPickerDialog.h"

#include "link/ControllerProbe.h"
#include "link/SerialPort.h"
#include "settings/IniFile.h"
#include "settings/Texts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zoz {

namespace {

enum Column { PortColumn, DescriptionColumn, StateColumn };
constexpr int kLocationRole = Qt::UserRole;
constexpr int kConnectionRole = Qt::UserRole + 1; // the name of a saved connection
const QString kConnections = QStringLiteral("Connections");

} // namespace

PortPickerDialog::PortPickerDialog(Texts& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_list(new QTreeWidget(this)), m_path(new QLineEdit(this)),
      m_find(new QPushButton(this)), m_choose(new QPushButton(this)),
      m_cancel(new QPushButton(this)), m_save(new QPushButton(this)),
      m_rename(new QPushButton(this)), m_delete(new QPushButton(this)) {
    setObjectName(QStringLiteral("frmPortPicker"));
    m_list->setObjectName(QStringLiteral("lstPorts"));
    m_path->setObjectName(QStringLiteral("txtPortPath"));
    m_find->setObjectName(QStringLiteral("cmdFindController"));
    m_choose->setObjectName(QStringLiteral("cmdChoose"));
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_save->setObjectName(QStringLiteral("cmdSaveConnection"));
    m_rename->setObjectName(QStringLiteral("cmdRenameConnection"));
    m_delete->setObjectName(QStringLiteral("cmdDeleteConnection"));
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
    pathRow->addWidget(m_save);
    pathRow->addWidget(m_rename);
    pathRow->addWidget(m_delete);
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
        const bool saved = !connectionOf(row).isEmpty();
        m_rename->setEnabled(saved);
        m_delete->setEnabled(saved);
    });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &PortPickerDialog::choose);
    connect(m_find, &QPushButton::clicked, this, &PortPickerDialog::findController);
    connect(m_choose, &QPushButton::clicked, this, &PortPickerDialog::choose);
    // Cancel first ends a running search; a second one closes the dialog.
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (probing())
            stopFinding();
        else
            reject();
    });
    connect(m_save, &QPushButton::clicked, this, &PortPickerDialog::saveConnection);
    connect(m_rename, &QPushButton::clicked, this, &PortPickerDialog::renameConnection);
    connect(m_delete, &QPushButton::clicked, this, &PortPickerDialog::deleteConnection);
}

// A probe ends within its time-out; the dialog outlives none of them.
PortPickerDialog::~PortPickerDialog() {
    ++m_round;
    for (const QPointer<QThread>& thread : std::as_const(m_probes))
        if (thread)
            thread->wait();
}

void PortPickerDialog::start(Link link) {
    if (!link.choose)
        qFatal("PortPickerDialog: a choice must reach the editor's port");
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
    m_save->setText(m_texts.message(QStringLiteral("PortPicker_Save")));
    m_rename->setText(m_texts.message(QStringLiteral("PortPicker_Rename")));
    m_delete->setText(m_texts.message(QStringLiteral("PortPicker_Delete")));

    stopFinding();
    m_list->clear();
    m_path->clear();
    const QList<PortInfo> ports = m_link.ports ? m_link.ports() : PortCatalog::available();
    for (const PortInfo& port : ports) {
        QTreeWidgetItem* row = rowFor(port.systemLocation);
        row->setText(DescriptionColumn, port.description); // USB maker, product, serial
    }
    listConnections();
    // A configured port the system does not list (a pseudo terminal) is shown all the same.
    if (!m_link.configuredDevice.isEmpty())
        m_list->setCurrentItem(rowFor(m_link.configuredDevice));
    const bool saved = !connectionOf(m_list->currentItem()).isEmpty();
    m_rename->setEnabled(saved);
    m_delete->setEnabled(saved);
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
    // The typed port gets its row, which becomes the current one: the list and the field agree.
    const QString typed = m_path->text().trimmed();
    if (!typed.isEmpty())
        m_list->setCurrentItem(rowFor(typed));
    stopFinding();
    const int round = ++m_round;
    m_answered = false;
    m_find->setEnabled(false);
    m_choose->setEnabled(false);
    const QString testing = m_texts.message(QStringLiteral("PortPicker_Testing"));
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_list->topLevelItem(i);
        const QString location = row->data(PortColumn, kLocationRole).toString();
        if (location == m_link.openDevice)
            continue; // the editor's own port is busy
        showState(row, testing);
        const QString settings = m_link.settings;
        const int handshaking = m_link.handshaking;
        QThread* thread = QThread::create([this, round, location, settings, handshaking] {
            QString error;
            const bool answers = ControllerProbe::answersOnlineTest(location, settings, handshaking,
                                                                    kProbeTimeoutMs, &error);
            QMetaObject::invokeMethod(
                this, [=] { probed(round, location, answers, error); }, Qt::QueuedConnection);
        });
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
        m_probes.append(thread);
        ++m_pending;
        thread->start();
    }
    if (m_pending == 0)
        finishFinding();
}

void PortPickerDialog::probed(int round, const QString& location, bool answers,
                              const QString& error) {
    if (round != m_round)
        return; // a search that was stopped
    QString result;
    if (answers)
        result = m_texts.message(QStringLiteral("PortPicker_Answers"));
    else if (!error.isEmpty()) {
        const QString hint = SerialPort::PermissionHint(m_texts, location);
        result = hint.isEmpty() ? error : error + QStringLiteral(" - ") + hint;
    } else {
        result = m_texts.message(QStringLiteral("PortPicker_NoAnswer"));
    }
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = m_list->topLevelItem(i);
        if (row->data(PortColumn, kLocationRole).toString() != location)
            continue;
        showState(row, result);
        if (answers && !std::exchange(m_answered, true)) {
            m_list->setCurrentItem(row);
            m_path->setText(location);
        }
    }
    if (--m_pending == 0)
        finishFinding();
}

void PortPickerDialog::stopFinding() {
    if (m_pending == 0)
        return;
    ++m_round;
    m_pending = 0;
    const QString testing = m_texts.message(QStringLiteral("PortPicker_Testing"));
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->text(StateColumn).endsWith(testing))
            showState(m_list->topLevelItem(i), QString());
    finishFinding();
}

void PortPickerDialog::finishFinding() {
    m_probes.removeAll(nullptr);
    m_find->setEnabled(true);
    m_choose->setEnabled(true);
}

QString PortPickerDialog::connectionOf(const QTreeWidgetItem* row) const {
    return row ? row->data(PortColumn, kConnectionRole).toString() : QString();
}

// Each saved connection is a row of its own: its name, its port string as the description.
void PortPickerDialog::listConnections() {
    if (m_link.iniFileName.isEmpty())
        return;
    for (const QString& name : GetIniKeys(kConnections, m_link.iniFileName).mid(1)) {
        const QString port = GetIniValue(m_link.iniFileName, kConnections, name, QString());
        if (port.trimmed().isEmpty())
            continue; // a deleted connection
        QTreeWidgetItem* row = rowFor(port.trimmed());
        row->setText(PortColumn, name);
        row->setData(PortColumn, kConnectionRole, name);
        row->setText(DescriptionColumn, port.trimmed());
    }
}

// A name is a settings key: no "=", ";" or brackets, and no blanks around it.
static QString askName(QWidget* parent, Texts& texts, const QString& suggestion) {
    bool ok = false;
    QString name = QInputDialog::getText(parent, texts.message(QStringLiteral("PortPicker_Save")),
                                         texts.message(QStringLiteral("PortPicker_Name")),
                                         QLineEdit::Normal, suggestion, &ok);
    for (const QChar c : {QLatin1Char('='), QLatin1Char(';'), QLatin1Char('['), QLatin1Char(']')})
        name.remove(c);
    return ok ? name.trimmed() : QString();
}

void PortPickerDialog::saveConnection() {
    const QString port = m_path->text().trimmed();
    if (port.isEmpty() || m_link.iniFileName.isEmpty())
        return;
    const QString name = askName(this, m_texts, connectionOf(m_list->currentItem()));
    if (name.isEmpty())
        return;
    SetIniValue(m_link.iniFileName, kConnections, name, port);
    listConnections();
    m_list->setCurrentItem(rowFor(port));
}

void PortPickerDialog::renameConnection() {
    QTreeWidgetItem* row = m_list->currentItem();
    const QString old = connectionOf(row);
    if (old.isEmpty())
        return;
    const QString name = askName(this, m_texts, old);
    if (name.isEmpty() || name == old)
        return;
    const QString port = row->data(PortColumn, kLocationRole).toString();
    SetIniValue(m_link.iniFileName, kConnections, name, port);
    SetIniValue(m_link.iniFileName, kConnections, old, QString());
    listConnections();
}

// The key stays with an empty value, which names no connection.
void PortPickerDialog::deleteConnection() {
    QTreeWidgetItem* row = m_list->currentItem();
    const QString name = connectionOf(row);
    if (name.isEmpty())
        return;
    SetIniValue(m_link.iniFileName, kConnections, name, QString());
    delete row;
}

void PortPickerDialog::choose() {
    const QString port = m_path->text().trimmed();
    if (port.isEmpty())
        return;
    // A port that fails to open was reported; the dialog stays for another choice.
    if (m_link.choose(port))
        accept();
}

} // namespace zoz
