#pragma once

#include <QAccessible>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace zoz {

class DataPage;
class FieldCatalog;
class Texts;

// Names and describes the page controls for assistive technology (screen readers): every
// control gets a name that says what it is on its own, taken from the field catalogue that also
// names fields in Compare and the command-line tool, so there is one source of names.
//
// Naming costs the catalogue; it runs only while assistive technology listens (Qt reports that
// through its activation observer), for each page when it is built and for every built page once
// a screen reader starts. A start-up without one pays nothing.
class AccessibleNames : public QObject, public QAccessible::ActivationObserver {
    Q_OBJECT
public:
    AccessibleNames(const Texts& texts, std::function<const FieldCatalog&()> catalog,
                    QObject* parent = nullptr);
    ~AccessibleNames() override;

    // A page to name once it is built (and assistive technology is active).
    void addPage(DataPage* page);
    // Names the controls of a built page now; existing names are kept.
    void namePage(DataPage* page);

    // The change mark in words, in the control's description: "changed, the QPL holds …";
    // controller values "" clears it. The change marks call this beside their frame.
    static void setMark(QWidget* control, const Texts& texts, const QString& controllerValues);

    void accessibilityActiveChanged(bool active) override;

private:
    const Texts& m_texts;
    std::function<const FieldCatalog&()> m_catalog;
    QList<QPointer<DataPage>> m_pages;
};

} // namespace zoz
