#pragma once

#include "app/UserInterface.h"

#include <QList>
#include <QObject>
#include <functional>

class QLineEdit;
class QWidget;

namespace zoz {

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
class Texts;
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
    // What the pages ask of the rest of the program; the composition root connects these.
    struct Services {
        std::function<void()> focusTabStrip;
        std::function<void(bool)> setBusyCursor;
        // BlankNames_Replaced of the data store (with ShowStatus).
        std::function<void(bool)> blankNamesReplaced;
        // The snapshot page's transfers: configuration 1..8, or 0 for the group; they return the
        // description of a failure ("" otherwise), which the page reports to the log.
        std::function<QString(int)> requestConfiguration;
        std::function<QString(int)> sendConfiguration;
        std::function<void(const QString&)> writeLog;
        // The System page's send button: the dispatcher's command 108.
        std::function<void(int)> menuCommand;
    };

    DataPages(DataStore& store, const Switches& switches, const Texts& texts, ChooseDialog& chooser,
              QWidget* mainWindow, QObject* parent = nullptr);
    ~DataPages() override;

    Services services;

    // Page 1..9 (frmTabStripData01 .. 09).
    DataPage* page(int number) const;
    StatusPage* statusPage() const { return m_status; }
    NamesPage* namesPage() const { return m_names; }
    LayerPage* layerPage() const { return m_layer; }
    MonitorPage* monitorPage() const { return m_monitor; }
    GpioPage* gpioPage() const { return m_gpio; }
    EditorPage* editorPage() const { return m_editor; }
    SnapShotPage* snapShotPage() const { return m_snapShot; }
    FBoxPage* fboxPage() const { return m_fbox; }
    SystemPage* systemPage() const { return m_system; }

    void RefreshPages();
    void TakeOverPages();
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
    void FillChannelChoice(int pairFilter, bool withNotDefined, bool withExtMon = false,
                           bool withOutputs = false);
    void ChooseChannel(AssignBox* box, int index, bool withNotDefined, bool withExtMon = false,
                       bool withOutputs = false);
    void ShowGpioItem(AssignBox* itemBox, QLineEdit* infoBox, int code, int listNo);
    void ChooseGpioItem(AssignBox* itemBox, QLineEdit* infoBox, int listNo);
    void CheckGroupClick(ValueCheckBox* box, bool keepOne = false);
    void UpdateSnapShotButtons();

    // group 1..5, index from 1 within the group; an empty box for anything else.
    NameBox nameBox(int group, int index) const;

    // The display form of a stored file name and its reverse (the program folder is left out
    // when the file lies in it).
    QString displayFileName(const QString& stored) const;
    QString storedFileName(const QString& shown) const;

    // The numeric value of "0" + text as the pages read a Tag: leading digits (and a fraction)
    // count, anything after them is ignored, so "", "abc" and "-5" give 0.
    static double numericValue(const QString& text);

private:
    void connectPages();
    // "SnapShot_Transfer_Err" with the failure's description, to the log.
    void reportTransferError(const QString& description);
    void centreChooser();

    DataStore& m_store;
    const Switches& m_switches;
    const Texts& m_texts;
    ChooseDialog& m_chooser;
    QWidget* m_mainWindow;

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
};

} // namespace zoz
