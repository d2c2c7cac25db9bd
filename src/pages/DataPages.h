#pragma once

#include "app/MenuCommand.h"
#include "app/PageCopy.h"
#include "dataset/DataStore.h"
#include "pages/PageServices.h"
#include "settings/Texts.h"

#include <QList>
#include <QObject>
#include <functional>
#include <optional>

class QLineEdit;
class QWidget;

namespace zoz {

class Activity;
class AssignBox;
class ChooseDialog;
class DataPage;
class DataStore;
class EditorPage;
class FBoxPage;
class GpioPage;
class LayerPage;
class MonitorPage;
class NamesPage;
class SnapShotPage;
class StatusPage;
class SystemPage;
class ValueCheckBox;
struct Switches;

// The nine data pages and everything they share: the frame and order of the copies between the
// data set and the controls (RefreshPages, TakeOverPages; each page owns its part, see
// DataPage::Refresh), the channel and GPIO choosers, the option-group clicks and the
// synchronisation at a tab change. The pages never write into the data set on their own:
// an edit stays in its control until the next TakeOverPages.
class DataPages : public QObject {
    Q_OBJECT
public:
    // The chooser is asked for on its first use: a list dialog nobody opened costs start-up.
    DataPages(DataStore& store, const Switches& switches, const Texts& texts, Activity& activity,
              std::function<ChooseDialog&()> chooser, QWidget* mainWindow,
              QObject* parent = nullptr);

    // Needed from the first tab change after start-up or snapshot transfer on; using the pages
    // that far without them is a wiring fault and ends the program.
    void setServices(PageServices& services) { m_services = &services; }
    ~DataPages() override;

    // Page 1..9 (frmTabStripData01 .. 09) with its controls: asking for a page builds it.
    DataPage* page(int number);
    NamesPage* namesPage();
    EditorPage* editorPage();
    // The page window as it is, possibly an unbuilt shell (for hosting it, or asking whether a
    // widget lies on it).
    DataPage* window(int number) const;
    // Builds a page's controls and replays the refreshes held for it, in their order.
    void ensureBuilt(DataPage* page);

    void RefreshPages();
    void TakeOverPages();
    // A take-over as the pages stand now, for `done`, without building a page at once: the
    // built pages are taken over now, the unbuilt ones when the next page is built or the next
    // refresh is held (until then nothing can change what their controls will hold).
    // `done` gets the store as the take-over left it; the data store itself is not changed.
    void TakeOverPagesLater(std::function<void(const DataStore&)> done);
    // After the user may have edited: take over, replace blank names, refresh (only once
    // start-up has finished).
    void Synchronise();
    // A tab was selected and its page shown: the synchronisation, then PageSelected.
    void TabSelected(int pageNumber);
    // The page's own step once it is in front: channel names for Layer and Monitor, the GPIO
    // lists for GPIO and FBox. The page by number or by window name (frmTabStripData04).
    void PageSelected(int pageNumber);
    void PageSelected(const QString& windowName);
    // The loading of the GPIO function lists, mirrored into the GPIO page's hidden lists.
    void LoadGPIOLists();

    void ShowChannelName(QLineEdit* box, int code);
    // What the channel list offers besides the input names: "not defined", the ext. monitor
    // inputs by pair, the bus outputs by pair.
    enum class ChannelChoice {
        Names = 0x0,
        NotDefined = 0x1,
        ExtMonPairs = 0x2,
        OutputPairs = 0x4
    };
    Q_DECLARE_FLAGS(ChannelChoices, ChannelChoice)
    void FillChannelChoice(int pairFilter, ChannelChoices choices);
    void ChooseChannel(AssignBox* box, int index, ChannelChoices choices);
    void ShowGpioItem(AssignBox* itemBox, QLineEdit* infoBox, int code,
                      const QVector<GpioListEntry>& list);
    void ChooseGpioItem(AssignBox* itemBox, QLineEdit* infoBox, int listNo);
    void UpdateSnapShotButtons();

    // group 1..5, index from 1 within the group; an empty box for anything else.
    NameBox nameBox(int group, int index) const;

    // The display form of a stored file name and its reverse (PageFileNames, with the program
    // folder of the switches).
    QString displayFileName(const QString& stored) const;
    QString storedFileName(const QString& shown) const;

signals:
    // The System page's send button: the dispatcher's command 108.
    void commandWanted(zoz::MenuCommand command);

private:
    // What a refresh of an unbuilt page reads: the store as it was, and the Names page's box
    // texts right after that refresh (for the channel names of Layer and Monitor), filled once
    // the Names page is built.
    struct HeldRefresh {
        DataStore store;
        QList<QStringList> names;
    };
    // More held refreshes than this build every page instead.
    static constexpr int MaxHeld = 8;
    struct PendingTakeOver {
        DataStore store;
        QList<DataPage*> pages;
        std::function<void(const DataStore&)> done;
    };

    void connectPages();
    void connectControls(DataPage* page);
    void buildPages(QList<DataPage*> wanted);
    void buildAll();
    void resolvePendingTakeOver();
    QList<QStringList> nameTexts() const;
    void mirrorGpioLists();
    // "SnapShot_Transfer_Err" with the failure's description, to the log.
    void reportTransferError(const QString& description);
    void centreChooser();
    PageServices& services();

    DataStore& m_store;
    const Switches& m_switches;
    const Texts m_texts; // as the settings file was when the pages were made
    Activity& m_activity;
    std::function<ChooseDialog&()> m_chooser;
    QWidget* m_mainWindow;
    PageServices* m_services = nullptr;

    StatusPage* m_status;
    NamesPage* m_names;
    LayerPage* m_layer;
    MonitorPage* m_monitor;
    GpioPage* m_gpio;
    EditorPage* m_editor;
    SnapShotPage* m_snapShot;
    FBoxPage* m_fbox;
    SystemPage* m_system;
    QList<DataPage*> m_pages;
    QList<HeldRefresh> m_held;
    std::optional<PendingTakeOver> m_pendingTakeOver;
    // While a held refresh of Layer or Monitor is replayed: the channel names it saw.
    const QList<QStringList>* m_namesSeen = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DataPages::ChannelChoices)

} // namespace zoz
