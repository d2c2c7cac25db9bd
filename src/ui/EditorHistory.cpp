#include "ui/EditorHistory.h"

#include "app/Activity.h"
#include "app/PageCopy.h"
#include "app/Prompts.h"
#include "dataset/DataStore.h"
#include "dataset/FieldCatalog.h"
#include "files/DataFile.h"
#include "files/HistoryOrigins.h"
#include "log/AppLog.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "ui/ChangeTracker.h"
#include "ui/CompareWindow.h"
#include "ui/HistoryWindow.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace zoz {

namespace {
constexpr int kRed = 255;
} // namespace

EditorHistory::EditorHistory(Switches& switches, Texts& texts, AppLog& log, Prompts& prompts,
                             Activity& activity, PageCopy& pageCopy, DataStore& store,
                             DataFile& dataFile, MainWindow& mainWindow,
                             std::function<DataPages*()> pages, std::function<QString()> portName,
                             QObject* parent)
    : QObject(parent), m_switches(switches), m_texts(texts), m_log(log), m_prompts(prompts),
      m_activity(activity), m_pageCopy(pageCopy), m_store(store), m_dataFile(dataFile),
      m_mainWindow(mainWindow), m_pages(std::move(pages)), m_portName(std::move(portName)),
      m_history(HistoryStore::folderIn(switches.ProgramFolder)),
      m_keeper(m_document, m_history, [this]() -> const FieldCatalog& { return catalog(); }) {
    connect(&controllerCopy(), &ControllerCopy::changed, this, &EditorHistory::writeHistory);
    connect(&m_keeper, &UnsentKeeper::failed, this,
            [this](const QString& failure) { reportHistoryError(failure); });
    connect(&m_document, &EditorDocument::copyChanged, this, &EditorHistory::dataSetsChanged);
}

EditorHistory::~EditorHistory() {
    delete m_compare;
    delete m_historyWindow;
    // The undo stack announces its clearing: this object must still be whole to hear it.
    m_tracker.reset();
}

void EditorHistory::start() {
    if (m_tracker)
        return;
    m_tracker = std::make_unique<ChangeTracker>(
        m_store, m_switches, m_texts, m_document,
        [this]() -> const FieldCatalog& { return catalog(); }, m_pages);
    m_mainWindow.statusBar()->addPermanentWidget(m_tracker->statusField());

    QAction* compare = addAction("actCompare", "Menu_Compare");
    compare->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    connect(compare, &QAction::triggered, this, &EditorHistory::showCompare);
    QAction* history = addAction("actHistory", "Menu_History");
    history->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_H));
    connect(history, &QAction::triggered, this, &EditorHistory::showHistory);

    QUndoStack& stack = m_tracker->undoStack();
    connect(&stack, &QUndoStack::indexChanged, this, &EditorHistory::dataSetsChanged);
    QAction* undo = m_undo = addAction("actUndo", "Menu_Undo");
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = m_redo = addAction("actRedo", "Menu_Redo");
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // Compare, History and the protocol window are windows of their own: the keys work there too.
    // Text boxes outside the pages keep their own undo (they take the keys first).
    undo->setShortcutContext(Qt::ApplicationShortcut);
    redo->setShortcutContext(Qt::ApplicationShortcut);
    // An edit still open in a box becomes its own step before anything is undone.
    connect(undo, &QAction::triggered, this, [this] {
        m_tracker->check();
        m_tracker->undoStack().undo();
    });
    connect(redo, &QAction::triggered, this, [this] {
        m_tracker->check();
        m_tracker->undoStack().redo();
    });
    auto label = [this](QAction* action, const char* key, const QString& step) {
        const QString k = QString::fromLatin1(key);
        QString text = m_texts.message(k, k);
        if (!step.isEmpty())
            text += QStringLiteral(": ") + step;
        action->setText(text);
    };
    connect(&stack, &QUndoStack::undoTextChanged, undo,
            [=](const QString& step) { label(undo, "Menu_Undo", step); });
    connect(&stack, &QUndoStack::redoTextChanged, redo,
            [=](const QString& step) { label(redo, "Menu_Redo", step); });
    connect(&stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    undo->setEnabled(false);
    redo->setEnabled(false);
    m_tracker->check(); // the set start-up left is where undoing ends
    m_keeper.setEnabled(true);
    // Edits an earlier run could not send: said once, in the status bar.
    const QList<HistoryEntry> entries = m_history.entries();
    if (!entries.isEmpty() && entries.first().direction == HistoryEntry::Direction::Unsent &&
        entries.first().readable) {
        QString text = m_texts.message(QStringLiteral("History_UnsentKept"));
        ReplaceParams(text, entries.first().time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        m_activity.showStatusText(text);
    }
}

// Built when first needed (a change, the compare or history window): a start-up without
// edits never pays for naming every field.
const FieldCatalog& EditorHistory::catalog() {
    if (!m_catalog)
        m_catalog = std::make_unique<FieldCatalog>(m_texts, m_store);
    return *m_catalog;
}

QAction* EditorHistory::addAction(const char* name, const char* key, QAction* action) {
    if (!action)
        action = new QAction(&m_mainWindow);
    const QString k = QString::fromLatin1(key);
    action->setObjectName(QString::fromLatin1(name));
    action->setText(m_texts.message(k, k));
    const QString tip = k + QStringLiteral(".ToolTip");
    action->setToolTip(m_texts.message(tip, tip));
    m_mainWindow.addExtraAction(action);
    return action;
}

DataSet EditorHistory::editorSet() const {
    return m_tracker ? m_tracker->editorSet() : m_store.DataSet;
}

void EditorHistory::dataSetDecoded(const DataSet& set) {
    // The pages still hold the editor's set: unsent edits in it stay kept.
    m_keeper.keepBeforeReplace();
    m_decoded = set;
}

void EditorHistory::dataSetReceived() {
    beginOperation(QStringLiteral("Step_DataReceived"));
    // What the controller sent, not what the pages made of it.
    const DataSet set = m_decoded ? *m_decoded : editorSet();
    m_decoded.reset();
    controllerCopy().adopt(set, ControllerCopy::Origin::Received,
                           m_portName ? m_portName() : QString());
    endOperation();
}

void EditorHistory::dataSetSending(qint32 checksum, const DataSet& set) {
    controllerCopy().sending(set, checksum);
}

void EditorHistory::dataSetsChanged() {
    if (m_compare)
        m_compare->sourcesChanged();
}

void EditorHistory::addStepActions(QWidget* window) {
    for (QAction* action : {m_undo, m_redo})
        if (action && !window->actions().contains(action))
            window->addAction(action);
}

void EditorHistory::sendConfirmed(qint32 checksum) {
    controllerCopy().confirmed(checksum, m_portName ? m_portName() : QString());
}

void EditorHistory::portChanged() {
    controllerCopy().forget();
}

void EditorHistory::ending() {
    if (!m_tracker)
        return;
    m_tracker->editorSet();
    m_keeper.keepNow();
}

void EditorHistory::beginOperation(const QString& nameKey) {
    if (m_tracker)
        m_tracker->beginOperation(nameKey);
}

void EditorHistory::endOperation() {
    if (m_tracker)
        m_tracker->endOperation();
}

// After the exchange has run on: a failure is one red line in the protocol and nothing else.
void EditorHistory::writeHistory(ControllerCopy::Origin origin) {
    if (origin == ControllerCopy::Origin::Unknown)
        return;
    const DataSet set = controllerCopy().dataSet();
    const QDateTime when = controllerCopy().time();
    QTimer::singleShot(0, this, [this, set, when, origin] {
        QString failure;
        const QString written = m_history.write(
            set,
            origin == ControllerCopy::Origin::Sent ? HistoryEntry::Direction::Sent
                                                   : HistoryEntry::Direction::Received,
            when, HistoryStore::keepFrom(m_texts.iniFileName()), &failure);
        if (!written.isEmpty()) {
            QStringList status; // the Status page's lines as the controller last sent them
            for (int i = 1; i <= 6; ++i)
                if (const QString t = m_store.StatusText[i].trimmedRight().trimmed(); !t.isEmpty())
                    status << t;
            HistoryOrigins(m_history.folder())
                .record(written, {m_portName ? m_portName() : QString(),
                                  status.join(QStringLiteral(" | "))});
        }
        if (written.isEmpty())
            reportHistoryError(failure);
        if (m_historyWindow && m_historyWindow->isVisible())
            m_historyWindow->reload();
    });
}

void EditorHistory::reportHistoryError(const QString& failure) {
    QString text = m_texts.message(QStringLiteral("History_Write_Err"));
    ReplaceParams(text, failure, m_history.folder());
    m_log.WriteLog(QStringLiteral("  ") + text, LogTo::Screen, kRed);
}

std::optional<DataSet> EditorHistory::readFile(const QString& path) {
    DataSet set;
    switch (HistoryStore::readDataSet(path, set)) {
    case HistoryStore::ReadResult::Ok:
        return set;
    case HistoryStore::ReadResult::WrongLength:
        m_log.WriteLog(DataFile::VersionConflictGerman(path));
        m_prompts.messageBox(DataFile::VersionConflictText(path), MsgButtons::Ok,
                             MsgIcon::Exclamation, m_switches.ProgramName);
        break;
    case HistoryStore::ReadResult::Unreadable: {
        QString text = m_texts.message(QStringLiteral("ReadingData_Err"));
        ReplaceParams(text, path);
        m_dataFile.ReportText(QStringLiteral("  ") + text);
        break;
    }
    }
    return std::nullopt;
}

std::optional<DataSet> EditorHistory::controllerSet(QString* title, QString* header) {
    const ControllerCopy& copy = controllerCopy();
    if (!copy.known())
        return std::nullopt;
    const bool sent = copy.origin() == ControllerCopy::Origin::Sent;
    QString t = m_texts.message(sent ? QStringLiteral("Compare_ControllerSent")
                                     : QStringLiteral("Compare_ControllerReceived"));
    ReplaceParams(t, copy.time().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), copy.port());
    *title = t;
    QString h = m_texts.message(sent ? QStringLiteral("Compare_HeaderSent")
                                     : QStringLiteral("Compare_HeaderReceived"));
    ReplaceParams(h, copy.time().toString(QStringLiteral("HH:mm:ss")));
    *header = h;
    return copy.dataSet();
}

QString EditorHistory::chooseFile() {
    return m_dataFile.FileOpenDialog(m_switches.DatFileName, FileKind::Data);
}

void EditorHistory::takeIntoEditor(const DataSet& set) {
    m_tracker->setEditorSet(set, QStringLiteral("Step_Taken"));
}

void EditorHistory::sendToController(const DataSet& set) {
    emit sendRequested(set);
}

CompareWindow& EditorHistory::compareWindow() {
    if (!m_compare) {
        start();
        m_compare = new CompareWindow(m_texts, catalog(), *this, &m_mainWindow);
        m_compare->setWindowFlag(Qt::Window);
    }
    return *m_compare;
}

HistoryWindow& EditorHistory::historyWindow() {
    if (!m_historyWindow) {
        start();
        m_historyWindow = new HistoryWindow(
            m_texts, catalog(), m_history, [this] { return editorSet(); }, &m_mainWindow);
        m_historyWindow->setWindowFlag(Qt::Window);
        connect(m_historyWindow, &HistoryWindow::loadRequested, this, [this](const QString& path) {
            if (loadIntoEditor(path))
                m_historyWindow->reload();
        });
        connect(m_historyWindow, &HistoryWindow::compareRequested, this,
                [this](const QString& path) {
                    compareWindow().compareWithFile(path);
                    compareWindow().show();
                });
    }
    return *m_historyWindow;
}

void EditorHistory::showCompare() {
    CompareWindow& window = compareWindow();
    window.compareWithController();
    window.show();
    window.raise();
}

void EditorHistory::showHistory() {
    HistoryWindow& window = historyWindow();
    window.reload();
    window.show();
    window.raise();
}

bool EditorHistory::loadIntoEditor(const QString& path) {
    QString question = m_texts.message(QStringLiteral("QueryReadData"));
    ReplaceParams(question, path);
    if (m_prompts.messageBox(question, MsgButtons::YesNo, MsgIcon::Critical,
                             m_prompts.mainCaption()) != MsgAnswer::Yes)
        return false;
    beginOperation(QStringLiteral("Step_FileLoaded"));
    QString name = path;
    const bool loaded = m_dataFile.ReadDataFile(name, ReadFlag::NoDialog);
    if (loaded) {
        m_pageCopy.refreshPages();
        if (m_store.BlankNames_Replaced(m_pageCopy, m_activity, m_texts, m_log, true))
            m_activity.showStatusText(m_texts.message(QStringLiteral("ReadingData_Ok")));
    }
    endOperation();
    return loaded;
}

} // namespace zoz
