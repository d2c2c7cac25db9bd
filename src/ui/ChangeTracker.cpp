#include "ui/ChangeTracker.h"

#include "dataset/DataStore.h"
#include "dataset/EditorDocument.h"
#include "dataset/FieldCatalog.h"
#include "pages/DataPage.h"
#include "pages/DataPages.h"
#include "settings/IniFile.h"
#include "settings/Switches.h"
#include "settings/Texts.h"
#include "ui/AccessibleNames.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace zoz {

namespace {
const char* const kMarkProperty = "zozDiffers";
const char* const kToolTipProperty = "zozToolTip";
const char* const kStyleProperty = "zozStyleSheet";
// An amber frame on a pale ground: visible on the plain and on the XP look, in light and dark.
// Appended to the control's own sheet, which may use selectors itself.
const QString kMarkStyle = QStringLiteral(
    "\n*[zozDiffers=\"true\"] { border: 2px solid #e08a00; background-color: #fff3d6; "
    "color: black; }");
} // namespace

// One change of the editor's set: the whole set before and after it.
class ChangeTracker::Step : public QUndoCommand {
public:
    Step(ChangeTracker& tracker, const DataSet& before, const DataSet& after, const QString& name,
         const QString& mergeKey)
        : QUndoCommand(name), m_tracker(tracker), m_before(before), m_after(after),
          m_mergeKey(mergeKey) {}

    // The change is already in the pages when the step is pushed.
    void redo() override {
        if (m_done)
            m_tracker.apply(m_after);
        m_done = true;
    }
    void undo() override { m_tracker.apply(m_before); }
    int id() const override { return 1; }
    // A name typed letter by letter, or an operation seen in parts, stays one step.
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const Step*>(other);
        if (m_mergeKey.isEmpty() || next->m_mergeKey != m_mergeKey)
            return false;
        m_after = next->m_after;
        setObsolete(m_after == m_before);
        return true;
    }

private:
    ChangeTracker& m_tracker;
    DataSet m_before;
    DataSet m_after;
    QString m_mergeKey;
    bool m_done = false;
};

ChangeTracker::ChangeTracker(DataStore& store, const Switches& switches, Texts& texts,
                             EditorDocument& document, std::function<const FieldCatalog&()> catalog,
                             std::function<DataPages*()> pages, QObject* parent)
    : QObject(parent), m_store(store), m_switches(switches), m_texts(texts), m_document(document),
      m_catalog(std::move(catalog)), m_pages(std::move(pages)), m_status(new QLabel) {
    m_status->setObjectName(QStringLiteral("ControllerState"));
    m_undo.setUndoLimit(UndoDepth);
    m_document.setEditorSet(m_store.DataSet);
    connect(&m_document, &EditorDocument::copyChanged, this,
            qOverload<>(&ChangeTracker::updateMarks));
    watchPages();
    updateMarks();
}

// The status bar owns the field once it shows it.
ChangeTracker::~ChangeTracker() {
    if (m_status && !m_status->parent())
        delete m_status;
}

void ChangeTracker::watchPages() {
    if (DataPages* pages = m_watched.size() < 9 && m_pages ? m_pages() : nullptr)
        for (int n = 1; n <= 9; ++n)
            watchPage(pages->window(n));
}

void ChangeTracker::watchPage(DataPage* page) {
    if (!page || m_watched.contains(page))
        return;
    m_watched.insert(page);
    connect(page, &DataPage::edited, this, &ChangeTracker::pageEdited);
    const auto watchBoxes = [this](DataPage* built) {
        for (QLineEdit* box : built->findChildren<QLineEdit*>())
            if (!box->isReadOnly())
                box->installEventFilter(this);
    };
    connect(page, &DataPage::built, this, watchBoxes);
    if (page->isBuilt())
        watchBoxes(page);
}

void ChangeTracker::pageEdited(DataPage* page) {
    m_edited.insert(page);
    if (!m_applying)
        scheduleCheck();
}

bool ChangeTracker::eventFilter(QObject* watched, QEvent* event) {
    // Typing into one box is one step until the box is left.
    if (event->type() == QEvent::FocusOut) {
        ++m_typingSerial;
        scheduleCheck();
    }
    // A text box on a page keeps its own undo to itself: Ctrl+Z and the redo keys go to the
    // editor's steps, which know every page.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y)) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ChangeTracker::scheduleCheck() {
    if (m_checkPending || !m_switches.InitDone)
        return;
    m_checkPending = true;
    QTimer::singleShot(0, this, [this] {
        m_checkPending = false;
        check();
    });
}

DataSet ChangeTracker::takeEdits() {
    DataPages* pages = m_pages ? m_pages() : nullptr;
    if (!pages)
        return m_store.DataSet;
    if (!m_allTaken) {
        // The first time every page is read (and built); the take-over also reads the module
        // data, which go back as they were.
        const DataSet storeSet = m_store.DataSet;
        const auto statusText = m_store.StatusText;
        const auto version = m_store.QPLVersion;
        pages->TakeOverPages();
        DataSet shown = m_store.DataSet;
        m_store.DataSet = storeSet;
        m_store.StatusText = statusText;
        m_store.QPLVersion = version;
        m_allTaken = true;
        m_edited.clear();
        return shown;
    }
    if (m_edited.isEmpty())
        return m_document.editorSet();
    // Each page's part writes its own fields: the others keep what the editor's set holds.
    DataStore scratch = m_store;
    scratch.DataSet = m_document.editorSet();
    const QSet<DataPage*> edited = std::exchange(m_edited, {});
    for (DataPage* page : edited)
        page->TakeOver(scratch, *pages);
    return scratch.DataSet;
}

DataSet ChangeTracker::editorSet() {
    if (m_switches.InitDone && !m_applying && m_pages && m_pages()) {
        if (!m_hasBaseline)
            check();
        if (!m_allTaken || !m_edited.isEmpty())
            check();
    }
    return m_document.editorSet();
}

QList<int> ChangeTracker::changesNotSent() {
    editorSet();
    return m_document.copy().known() ? m_document.changesNotSent(m_catalog()) : QList<int>();
}

void ChangeTracker::beginOperation(const QString& nameKey) {
    if (m_operationDepth++ == 0) {
        check(); // edits made before belong to their own step
        m_operationKey = nameKey;
        ++m_operationSerial;
    }
}

void ChangeTracker::endOperation() {
    if (m_operationDepth == 0)
        return;
    check();
    if (--m_operationDepth > 0)
        return;
    // A file loaded or a reset while nothing is known of the controller is no edit: unsent
    // edits count from there.
    if (!m_document.copy().known() && (m_operationKey == QLatin1String("Step_FileLoaded") ||
                                       m_operationKey == QLatin1String("Step_Reset")))
        m_document.setBaseline(m_document.editorSet());
    m_operationKey.clear();
}

void ChangeTracker::setEditorSet(const DataSet& set, const QString& nameKey) {
    beginOperation(nameKey);
    m_store.DataSet = set;
    if (DataPages* pages = m_pages ? m_pages() : nullptr)
        pages->RefreshPages();
    endOperation();
}

void ChangeTracker::check() {
    if (m_applying || !m_switches.InitDone || !m_pages || !m_pages())
        return;
    watchPages(); // pages made after the tracker
    if (!m_hasBaseline && !m_document.copy().known()) {
        // The first set is where undoing ends. Taking it over later, when a page is next built
        // or refreshed, gives the same set without building every page at start-up; with the
        // controller's data unknown there are no marks to show meanwhile.
        m_hasBaseline = true;
        m_last = m_store.DataSet;
        m_document.setBaseline(m_last);
        m_document.setEditorSet(m_last);
        QPointer<ChangeTracker> alive(this);
        m_pages()->TakeOverPagesLater([alive](const DataStore& taken) {
            if (!alive || alive->m_allTaken)
                return;
            alive->m_last = taken.DataSet;
            alive->m_document.setBaseline(taken.DataSet);
            alive->m_document.setEditorSet(taken.DataSet);
        });
        m_edited.clear();
        updateMarks(true);
        return;
    }
    const DataSet now = takeEdits();
    if (!m_hasBaseline) {
        m_hasBaseline = true;
        m_last = now;
        m_document.setBaseline(now);
    } else if (now != m_last) {
        QString name;
        QString mergeKey;
        if (m_operationDepth > 0) {
            name = m_texts.message(m_operationKey);
            mergeKey = QStringLiteral("op%1").arg(m_operationSerial);
        } else {
            auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            const QString typing =
                box ? QStringLiteral("type%1:%2").arg(m_typingSerial).arg(box->objectName())
                    : QString();
            if (!typing.isEmpty() && typing == m_typingKey && m_undo.index() == m_typingIndex) {
                mergeKey = typing; // the next letter of the same name: no need to name it again
            } else {
                const QList<int> fields = m_catalog().differences(m_last, now);
                name = stepName(fields);
                if (fields.size() == 1)
                    mergeKey = typing;
            }
        }
        const DataSet before = m_last;
        m_last = now;
        m_undo.push(new Step(*this, before, now, name, mergeKey));
        m_typingKey = mergeKey;
        m_typingIndex = m_undo.index();
    }
    m_document.setEditorSet(now);
    updateMarks(true);
}

void ChangeTracker::apply(const DataSet& set) {
    m_applying = true;
    m_store.DataSet = set;
    if (DataPages* pages = m_pages ? m_pages() : nullptr)
        pages->RefreshPages();
    m_applying = false;
    m_last = takeEdits();
    m_hasBaseline = true;
    m_document.setEditorSet(m_last);
    updateMarks(true);
}

QString ChangeTracker::stepName(const QList<int>& fields) const {
    if (fields.isEmpty())
        return m_texts.message(QStringLiteral("Step_Edit"));
    const FieldRef& first = m_catalog().fields().at(fields.first());
    QString name = m_texts.message(fields.size() == 1 ? QStringLiteral("Step_Field")
                                                      : QStringLiteral("Step_Fields"));
    if (fields.size() == 1)
        ReplaceParams(name, first.group, first.item, first.page);
    else
        ReplaceParams(name, QString::number(fields.size()), first.page);
    return name;
}

QWidget* ChangeTracker::control(const QString& key) {
    auto it = m_controls.constFind(key);
    if (it != m_controls.constEnd() && it.value())
        return it.value();
    DataPages* pages = m_pages ? m_pages() : nullptr;
    QWidget* found = nullptr;
    for (int n = 1; pages && n <= 9 && !found; ++n)
        if (DataPage* page = pages->window(n); page && page->isBuilt())
            found = page->fieldControl(key);
    if (found)
        m_controls.insert(key, found);
    return found;
}

void ChangeTracker::updateMarks() {
    const bool ready = m_switches.InitDone && m_pages && m_pages();
    // With the controller's data unknown nothing is marked, whatever the editor's set.
    if (ready && m_document.copy().known())
        editorSet(); // edits not yet seen, and the first reading of every page
    updateMarks(ready);
}

QString ChangeTracker::statusText(int changes) const {
    if (!m_document.copy().known())
        return m_texts.cached(QStringLiteral("Controller_Unknown"));
    if (changes == 0)
        return m_texts.cached(QStringLiteral("Controller_InStep"));
    return m_texts.counted(QStringLiteral("Controller_Changes"), changes);
}

void ChangeTracker::updateMarks(bool ready) {
    const bool known = ready && m_document.copy().known();
    const QList<int> changes = known ? m_document.changesNotSent(m_catalog()) : QList<int>();
    if (m_status)
        m_status->setText(statusText(changes.size()));
    QHash<QWidget*, QStringList> marks;
    for (int field : changes) {
        const FieldCatalog& catalog = m_catalog();
        if (QWidget* widget = control(catalog.fields().at(field).key))
            marks[widget].append(catalog.valueText(m_document.copy().dataSet(), field));
    }
    applyMarks(marks);
}

void ChangeTracker::applyMarks(const QHash<QWidget*, QStringList>& marks) {
    for (const QPointer<QWidget>& widget : std::as_const(m_marked)) {
        if (!widget || marks.contains(widget))
            continue;
        widget->setStyleSheet(widget->property(kStyleProperty).toString());
        widget->setToolTip(widget->property(kToolTipProperty).toString());
        widget->setProperty(kMarkProperty, false);
        AccessibleNames::setMark(widget, m_texts, {});
    }
    m_marked.clear();
    const QString prefix = m_texts.cached(QStringLiteral("Controller_Value"));
    for (auto it = marks.constBegin(); it != marks.constEnd(); ++it) {
        QWidget* widget = it.key();
        if (!widget->property(kMarkProperty).toBool()) {
            widget->setProperty(kStyleProperty, widget->styleSheet());
            widget->setProperty(kToolTipProperty, widget->toolTip());
            widget->setProperty(kMarkProperty, true);
            widget->setStyleSheet(widget->styleSheet() + kMarkStyle);
        }
        QString tip = prefix;
        ReplaceParams(tip, it.value().join(QStringLiteral(", ")));
        widget->setToolTip(tip);
        AccessibleNames::setMark(widget, m_texts, it.value().join(QStringLiteral(", ")));
        m_marked.append(widget);
    }
    emit marksChanged(marks.keys());
}

} // namespace zoz
