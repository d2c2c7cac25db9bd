#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <stdexcept>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QVBoxLayout;

namespace zoz {

class DataPages;
class DataStore;
class Texts;
struct Switches;
class AssignBox;
class ValueCheckBox;

// One data page window (frmTabStripDataNN). All its controls live in the root frame fraTab,
// which the main window hosts; the page reads its texts from "TabStrip_<page>_" + language.
class DataPage : public QWidget {
    Q_OBJECT
public:
    // Design width of a page: the fixed main window (625 pixels) less the tab strip's border,
    // the scroll bar and the gap beside it. Every page fits it without clipping.
    static constexpr int DesignWidth = 560;

    DataPage(int number, const QString& designCaption, const QString& sectionPrefix,
             const Texts& texts, const Switches& switches, QWidget* parent = nullptr);

    int number() const { return m_number; }
    QFrame* fraTab() const { return m_fraTab; }
    // The design caption of fraTab, by which the main window matches the page to its tab.
    QString caption() const { return m_caption; }

    virtual void LoadTexts() = 0;

    // The controls are built when first needed (shown, taken over, or asked for through
    // DataPages::page); until then the page is an empty shell and DataPages holds its refreshes.
    bool isBuilt() const { return m_built; }
    // Showing an unbuilt page builds it first, so that its height is known when it appears.
    void setVisible(bool visible) override;
    // How the page gets built when it is shown: DataPages sets it so that the held refreshes are
    // replayed; without it the page builds itself.
    std::function<void(DataPage*)> buildNeeded;
    // Builds the controls and runs LoadTexts (the page's load); DataPages calls it.
    void buildControls();

    // The page's part of RefreshPages (the data set onto its controls) and of TakeOverPages (its
    // controls back into the data set). DataPages runs the parts in page order, 1 to 9; every
    // statement of a part goes through step.
    virtual void Refresh(DataStore& store, DataPages& pages) = 0;
    virtual void TakeOver(DataStore& store, DataPages& pages) = 0;

    // Every statement of a copy runs on its own: one that fails (an index outside its array, a
    // value a control refuses) is skipped and the next one runs.
    template <typename F> static void step(F&& statement) {
        try {
            statement();
        } catch (const std::exception&) {
        }
    }
    template <typename T> static T& at(QList<T>& list, int index) {
        if (index < 0 || index >= list.size())
            throw std::out_of_range("control index");
        return list[index];
    }
    template <typename T> static const T& at(const QList<T>& list, int index) {
        if (index < 0 || index >= list.size())
            throw std::out_of_range("control index");
        return list[index];
    }
    // A text box shows a text up to its first code-0 character.
    static QString shown(const QString& text);
    // Blanks only, as the fixed-width fields pad with blanks; other white space is kept.
    static QString rightTrimmed(const QString& text);
    // A number rounded to a 16-bit integer (halves to even); out of range fails the statement.
    static qint16 toInteger(double value);
    // A list position the list does not have fails the statement.
    static void setListIndex(QComboBox* list, int index);
    static QString tagOf(const QWidget* widget);

    // Two digits: the last two characters of "00" + n.
    static QString nn(int n);
    static QString controlName(const QString& arrayName, int index);

    // The control showing each field of the field catalogue that the page shows, by the field's
    // key ("names.adat[3]"); filled when the controls are built. Marks and accessible names find
    // the controls here, so a control's object name is the page's own business.
    const QHash<QString, QPointer<QWidget>>& fieldControls() const { return m_fieldControls; }
    QWidget* fieldControl(const QString& key) const { return m_fieldControls.value(key); }

signals:
    void built(DataPage* page);
    // One of the page's values changed: typed, clicked, chosen, or put there by the program (a
    // refresh, an undo). Its part of the next take-over may differ now.
    void edited(zoz::DataPage* page);

protected:
    // A code kept in a control's "Tag" property (an assignment, a switch) changed.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Creates the page's controls inside fraTab (the first part of the page's load).
    virtual void build() = 0;

    QString text(const QString& key, const QString& defaultValue) const;
    QString message(const QString& key, const QString& defaultValue) const;
    // Frame NN caption and tool tip from "PartNN.Caption" / "PartNN.ToolTip".
    void loadFrameTexts(QGroupBox* frame, int part, const QString& captionDefault,
                        const QString& toolTipDefault = QString());

    QGroupBox* makeFrame(const QString& name, const QString& caption);
    QLabel* makeLabel(const QString& arrayName, int index, const QString& caption);
    QLineEdit* makeTextBox(const QString& arrayName, int index, bool locked);
    AssignBox* makeAssignBox(const QString& arrayName, int index);
    QToolButton* makeDropDown(const QString& arrayName, int index);
    static void showFromStart(QLineEdit* box);
    ValueCheckBox* makeCheck(const QString& arrayName, int index, const QString& caption);
    // The page shows the field `key` in `control`; a run: `stem`[1], [2] ... in list order.
    void showsField(const QString& key, QWidget* control) { m_fieldControls.insert(key, control); }
    template <typename T> void showsFields(const char* stem, const QList<T*>& controls) {
        for (int i = 0; i < controls.size(); ++i)
            showsField(QString::fromLatin1(stem) + QLatin1Char('[') + QString::number(i + 1) +
                           QLatin1Char(']'),
                       controls.at(i));
    }
    // The XP-style drop-down picture of the main window (picXP(0)) when XPLook is set.
    void applyDropDownLook(const QList<QToolButton*>& buttons) const;

    const Texts& m_texts;
    const Switches& m_switches;
    QFrame* m_fraTab;
    QVBoxLayout* m_rootLayout;

private:
    // Runs LoadTexts and fixes the root frame's height for the design width.
    void finishLoad();
    // Every value control of the page announces its changes through edited.
    void announceEdits();

    bool m_built = false;
    QHash<QString, QPointer<QWidget>> m_fieldControls;
    QIcon m_dropDownIcon; // parsed once per page, not once per button
    int m_number;
    QString m_caption;
    QString m_sectionPrefix;
};

} // namespace zoz
