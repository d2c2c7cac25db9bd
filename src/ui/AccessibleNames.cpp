#include "ui/AccessibleNames.h"

#include "dataset/FieldCatalog.h"
#include "pages/DataPage.h"
#include "settings/Texts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QToolBar>

namespace zoz {

namespace {

const char* const kValue = "zozA11yValue";
const char* const kMark = "zozA11yMark";

// The state a sighted user sees, in words: the chooser's value, then the change mark.
void describe(QWidget* control) {
    QStringList parts;
    for (const char* property : {kValue, kMark})
        if (const QString part = control->property(property).toString(); !part.isEmpty())
            parts.append(part);
    control->setAccessibleDescription(parts.join(QStringLiteral("; ")));
}

// The text with its "&" replaced by the value (once: a value may hold "&" itself).
QString fill(QString text, const QString& value) {
    if (const qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0)
        text.replace(at, 1, value);
    return text;
}

QString plain(QString text) {
    text.remove(QLatin1Char('&'));
    return text.simplified();
}

// Where a control sits: its frame's caption and the row it shares with others.
struct Place {
    QString group;
    QString label; // the row's label, "" when it has none
    QLabel* labelWidget = nullptr;
    int row = -1;
};

class Places {
public:
    explicit Places(QWidget* root) {
        collect(root->layout(), QString());
        for (QGroupBox* frame : root->findChildren<QGroupBox*>())
            collect(frame->layout(), plain(frame->title()));
    }
    // A control inside a placed one (a button of a row's toolbar) shares its place.
    Place of(QWidget* control, const QWidget* root) const {
        for (QWidget* w = control; w && w != root; w = w->parentWidget())
            if (auto it = m_places.constFind(w); it != m_places.constEnd())
                return it.value();
        return {};
    }

private:
    void put(const QList<QWidget*>& row, const QString& group, QLabel* label) {
        ++m_rows;
        for (QWidget* w : row)
            m_places.insert(w, {group, label ? plain(label->text()) : QString(), label, m_rows});
    }
    void collect(QLayout* layout, const QString& group) {
        if (!layout)
            return;
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            for (int r = 0; r < grid->rowCount(); ++r) {
                QLabel* label = nullptr;
                QList<QWidget*> row;
                for (int c = 0; c < grid->columnCount(); ++c)
                    take(grid->itemAtPosition(r, c), group, label, row);
                put(row, group, label);
            }
            return;
        }
        // A box layout: a label names the controls after it.
        QLabel* label = nullptr;
        QList<QWidget*> row;
        for (int i = 0; i < layout->count(); ++i)
            take(layout->itemAt(i), group, label, row);
        put(row, group, label);
    }
    void take(QLayoutItem* item, const QString& group, QLabel*& label, QList<QWidget*>& row) {
        if (!item)
            return;
        if (item->layout())
            collect(item->layout(), group);
        else if (auto* text = qobject_cast<QLabel*>(item->widget()))
            label = text;
        else if (item->widget() && !row.contains(item->widget()))
            row.append(item->widget());
    }

    QHash<QWidget*, Place> m_places;
    int m_rows = 0;
};

bool isControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w);
}

} // namespace

AccessibleNames::AccessibleNames(const Texts& texts, std::function<const FieldCatalog&()> catalog,
                                 QObject* parent)
    : QObject(parent), m_texts(texts), m_catalog(std::move(catalog)) {
    QAccessible::installActivationObserver(this);
}

AccessibleNames::~AccessibleNames() {
    QAccessible::removeActivationObserver(this);
}

void AccessibleNames::addPage(DataPage* page) {
    m_pages.append(page);
    connect(page, &DataPage::built, this, [this](DataPage* built) {
        if (QAccessible::isActive())
            namePage(built);
    });
    if (page->isBuilt() && QAccessible::isActive())
        namePage(page);
}

void AccessibleNames::accessibilityActiveChanged(bool active) {
    if (!active)
        return;
    for (const QPointer<DataPage>& page : std::as_const(m_pages))
        if (page && page->isBuilt())
            namePage(page);
}

void AccessibleNames::namePage(DataPage* page) {
    QWidget* root = page->fraTab();
    if (!page->isBuilt() || root->property("zozA11yNamed").toBool())
        return;
    root->setProperty("zozA11yNamed", true);
    const Places places(root);
    const FieldCatalog& catalog = m_catalog();
    QHash<QString, int> byKey;
    for (int f = 0; f < catalog.fields().size(); ++f)
        byKey.insert(catalog.fields().at(f).key, f);
    QHash<QWidget*, int> fieldOf;
    for (auto it = page->fieldControls().constBegin(); it != page->fieldControls().constEnd(); ++it)
        // A switch in a row's toolbar is named by its tip and row, as the row's other buttons.
        if (it.value() && !qobject_cast<QToolBar*>(it.value()->parentWidget()))
            fieldOf.insert(it.value(), byKey.value(it.key(), -1));

    QList<QWidget*> controls;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (isControl(w) && w->accessibleName().isEmpty())
            controls.append(w);

    // First the fields' own controls, by the catalogue.
    QHash<QWidget*, QString> names;
    QHash<QWidget*, QString> groups;
    const QString fieldName =
        m_texts.message(QStringLiteral("A11y_FieldName"), QStringLiteral("&"));
    for (QWidget* w : controls) {
        const int field = fieldOf.value(w, -1);
        if (field < 0)
            continue;
        const FieldRef& ref = catalog.fields().at(field);
        QString name = ref.item;
        if (auto* button = qobject_cast<QAbstractButton*>(w);
            button && !plain(button->text()).isEmpty())
            name = plain(button->text()); // a check box by its own label
        else if (ref.kind == FieldKind::Name)
            name = fill(fieldName, ref.item);
        names.insert(w, name);
        groups.insert(w, ref.group);
    }
    // A field's name that repeats on the page says its group ("Layer B, Channel 1 / 2").
    QHash<QString, int> repeats;
    for (QWidget* w : controls)
        if (names.contains(w))
            ++repeats[names.value(w)];
    for (QWidget* w : controls)
        if (repeats.value(names.value(w)) > 1 && !groups.value(w).isEmpty())
            names[w] = groups.value(w) + QStringLiteral(", ") + names.value(w);

    // The others lean on the field before them in their row (its drop-down button, the text
    // shown beside it), else on the row's label.
    const QString choose = m_texts.message(QStringLiteral("A11y_Choose"), QStringLiteral("&"));
    const QString shownText = m_texts.message(QStringLiteral("A11y_RowText"), QStringLiteral("&"));
    QString lastName;
    int lastRow = -1;
    for (QWidget* w : controls) {
        const Place place = places.of(w, root);
        if (names.contains(w)) {
            lastName = names.value(w);
            lastRow = place.row;
            continue;
        }
        const bool ofField = place.row >= 0 && place.row == lastRow;
        const QString row = ofField ? lastName : place.label;
        QString name;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            const QString tip = plain(button->toolTip());
            if (!plain(button->text()).isEmpty())
                name = plain(button->text());
            else if (button->property("Picture").isValid())
                name = fill(choose, row); // a row's drop-down button
            else if (!tip.isEmpty())
                name = row.isEmpty() ? tip : tip + QStringLiteral(", ") + row;
            else
                name = row;
        } else if (ofField) {
            name = fill(shownText, row); // the text beside a field
        } else {
            name = row.isEmpty() ? plain(w->toolTip()) : row;
        }
        names.insert(w, name.isEmpty() ? place.group : name);
    }

    // A name that is not unique on the page says its frame, then its position.
    auto pair = [](QWidget* w, const QString& name) {
        const QString description =
            w->accessibleDescription().isEmpty() ? w->toolTip() : w->accessibleDescription();
        return name + QLatin1Char('\n') + description;
    };
    for (int pass = 0; pass < 2; ++pass) {
        QHash<QString, int> count;
        for (QWidget* w : controls)
            ++count[pair(w, names.value(w))];
        QHash<QString, int> seen;
        for (QWidget* w : controls) {
            const QString key = pair(w, names.value(w));
            if (count.value(key) < 2)
                continue;
            const Place place = places.of(w, root);
            if (pass == 0 && !place.group.isEmpty())
                names[w] = place.group + QStringLiteral(", ") + names.value(w);
            else if (pass == 1)
                names[w] += QStringLiteral(" (%1)").arg(++seen[key]);
        }
    }
    for (QWidget* w : controls) {
        w->setAccessibleName(names.value(w));
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            auto show = [box](const QString& value) {
                box->setProperty(kValue, value);
                describe(box);
            };
            show(box->currentText());
            connect(box, &QComboBox::currentTextChanged, box, show);
            // On Linux a list's name is its value; its label reaches the reader as a relation.
            if (const Place place = places.of(box, root); place.labelWidget)
                if (!place.labelWidget->buddy())
                    place.labelWidget->setBuddy(box);
        }
    }
}

void AccessibleNames::setMark(QWidget* control, const Texts& texts,
                              const QString& controllerValues) {
    QString mark;
    if (!controllerValues.isEmpty()) {
        mark = fill(texts.message(QStringLiteral("A11y_Changed"), QStringLiteral("&")),
                    controllerValues);
    }
    if (control->property(kMark).toString() == mark)
        return;
    control->setProperty(kMark, mark);
    describe(control);
}

} // namespace zoz
